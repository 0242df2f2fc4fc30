#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "codecs/gif_decoder.h"
#include "core/bitmap24.h"

namespace kelbo {

// The logical screen of an animation as its frames are drawn and disposed:
// a buffer of the logical size, black at the start, and, when any frame is
// transparent, a mask of the same size, 1 (transparent) at the start, that
// says where nothing opaque has been drawn. A viewer shows its background
// where the mask is 1; the buffer is black there.
//
// The composer keeps a reference to the file, which must outlive it.
class GifComposer {
public:
    // Throws BitmapSizeError when the logical screen is over the picture
    // limits or cannot be held.
    explicit GifComposer(const GifFile& file);

    // Draws frame `index` (0-based) over the screen: a transparent frame
    // leaves the screen where its mask is 1, an opaque one covers its area.
    // A frame to be restored afterwards first saves what it covers; without
    // memory for that it is left in place instead, as kLeave.
    // Throws std::out_of_range for an index outside the file's frames and
    // std::invalid_argument for a frame without pixels or off the screen.
    void Compose(std::size_t index);

    // Undoes frame `index` as its disposal says, before the next frame:
    // kBackground makes the area black and transparent, kPrevious restores
    // what Compose saved, kNone and kLeave do nothing.
    void Dispose(std::size_t index);

    const Bitmap24& Buffer() const { return buffer_; }
    bool HasMask() const { return file_.anyTransparent; }
    // Logical width * height bytes, rows from the top; empty without HasMask().
    std::span<const std::uint8_t> Mask() const { return mask_; }

private:
    struct Saved {
        Bitmap24 image;
        std::vector<std::uint8_t> mask;
    };
    void SaveUnder(const GifFrame& frame, Saved& saved);

    const GifFile& file_;
    Bitmap24 buffer_;
    std::vector<std::uint8_t> mask_;
    std::vector<Saved> saved_;  // per frame; used by kPrevious frames only
};

// Plays the animation once as a viewer shows it: frame 0 on the fresh
// screen, then for each later frame the previous one disposed and the frame
// composed. `visit` sees the screen after each frame is composed.
void ComposeGifFrames(const GifFile& file,
                      const std::function<void(std::size_t index, const GifComposer& screen)>& visit);

}  // namespace kelbo
