#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/picture_limits.h"
#include "core/picture_target.h"
#include "core/result.h"

namespace kelbo {

// Pixels one file may make the decoder hold: all frames together, and the
// logical screen on its own (each frame and the screen are also held to the
// picture limits of core/picture_limits.h, kMaxGifFrames images at most).
// LZW lets a few bytes claim any size, so without a limit a small hostile
// file could ask for gigabytes.
inline constexpr std::uint64_t kGifDefaultPixelLimit = std::uint64_t{1} << 27;

// Frames must bring LZW data that could fill them. A code of w bits names a
// string of fewer than 2^w pixels, so a byte of codes yields at most
// 8 * 4096 / 12 pixels. Pixels beyond what their frame's data could give
// (truncated or forged frames) may add up to kGifPixelsWithoutData per file;
// a frame that needs more is not read.
inline constexpr std::uint64_t kGifMaxPixelsPerDataByte = 2731;
inline constexpr std::uint64_t kGifPixelsWithoutData = std::uint64_t{1} << 20;

// Why reading the blocks ended. Frames read before the stop are kept.
enum class GifStop : std::uint8_t {
    kTrailer,           // ";"
    kEndOfData,         // the data ran out between blocks
    kUnknownExtension,  // an extension label other than 0x01, 0xF9, 0xFE, 0xFF
    kUnknownBlock,      // a byte that starts no block
    kFrameLimit,        // a 257th image
    kBadFrame,          // an image that could not be read; stopDetail says why
};
const char* GifStopName(GifStop stop);

// Disposal after a frame was shown, mapped from the graphic control field:
// 0 and 1 as stored, 3 restores what lay under the frame, anything else 2.
enum class GifDisposal : std::uint8_t {
    kNone = 0,
    kLeave = 1,
    kBackground = 2,  // the area becomes black and transparent
    kPrevious = 3,
};

struct GifFrame {
    // Position and size from the image descriptor.
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    int colorBits = 0;  // bits of the frame's own table, 0 when it uses the global one
    bool hasLocalTable = false;
    // The frame's own table, or the global one as it was when the frame was
    // read; entries the file does not give are black.
    std::array<RgbParts, 256> colorTable{};
    // Palette entries of the frame's 8-bit picture: 2^colorBits, or
    // 2^GlobalBits at the time the frame was read.
    int paletteSize = 0;
    bool interlaced = false;
    // From the graphic control extension before the image, if any.
    GifDisposal disposal = GifDisposal::kNone;
    std::int32_t delayMs = 0;  // the stored hundredths times 10
    bool transparent = false;
    std::uint8_t transparentIndex = 0;
    Color transparentColor = 0;  // the colour table entry at transparentIndex
    std::string comment;         // comment extensions since the previous image, bytes as stored

    // Colour indices, width*height, rows from the top, not padded. Pixels the
    // data did not reach (truncated data) are index 0.
    std::vector<std::uint8_t> indices;
    std::size_t pixelsDecoded = 0;  // in the order the data stores them
    // Why the pixels stop short of the last one, when the data did not just
    // run out (a code that names nothing, an end code too early, a minimum
    // code size outside 2..11: GifLzwProblem's words); empty otherwise, and
    // when the blocks were only walked.
    std::string pixelError;
    // The frame in colour; transparent pixels are black.
    Bitmap24 image;
    // Only when transparent: width*height bytes, 1 where a decoded pixel has
    // transparentIndex, else 0.
    std::vector<std::uint8_t> mask;

    bool Complete() const {
        return pixelsDecoded == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
};

struct GifFile {
    std::string version;  // the three bytes after "GIF", not checked
    int screenWidth = 0;
    int screenHeight = 0;
    std::uint8_t screenFlags = 0;
    std::uint8_t backgroundIndex = 0;
    std::uint8_t aspect = 0;
    bool hasGlobalTable = false;
    // Bits of the largest colour table seen so far (global or local).
    int globalBits = 0;
    std::array<RgbParts, 256> globalTable{};  // black when the file has none
    // The screen size, enlarged to cover every frame.
    int logicalWidth = 0;
    int logicalHeight = 0;
    std::uint16_t loopCount = 1;  // NETSCAPE2.0; 0 means for ever
    bool hasLoopExtension = false;
    bool anyTransparent = false;
    bool anyInterlaced = false;
    std::vector<GifFrame> frames;
    GifStop stop = GifStop::kEndOfData;
    std::string stopDetail;

    bool MultiFrame() const { return frames.size() > 1; }
};

// Receives the bytes parsed so far, the total, Round(100 * parsed / total)
// and a flag, true on entry, that the handler clears to abort the load.
// Called at the start of every block, and for frames of more than 100000
// pixels after every row whose number is a multiple of 64 (frames up to 320
// pixels wide) or of 32 (wider frames).
using GifProgressHandler = std::function<void(std::size_t parsed, std::size_t total, int percent, bool& goOn)>;

struct GifDecodeOptions {
    GifProgressHandler onProgress;
    std::uint64_t maxPixels = kGifDefaultPixelLimit;
    // False: walk the blocks only. Frames keep every field but their pixels
    // (indices, image and mask stay empty); sizes are checked all the same.
    bool decodePixels = true;
};

// Fails for empty data, data not starting with "GIF", a header, screen
// descriptor or global table cut short, a logical screen over the pixel or
// picture limit, and an abort from the progress handler (kIo, "loading was
// aborted").
// Everything else ends the block walk and keeps the frames read so far; a file
// may thus decode to no frames at all.
Result<GifFile> DecodeGif(std::span<const std::uint8_t> data, const GifDecodeOptions& options = {});
// The same after reading the whole file (kIo when it cannot be read).
Result<GifFile> ReadGifFile(const std::filesystem::path& path, const GifDecodeOptions& options = {});

// True when the data starts with "GIF", the only check the format gets.
bool IsGifSignature(std::span<const std::uint8_t> head);

// The picture a load of the file yields: a bitmap of the first frame's size
// with the frame drawn at its own left and top offsets (so an offset frame
// is cut off at the right and bottom). A transparent frame is drawn over the
// colour of its transparent index, which therefore also fills the uncovered
// area; otherwise the uncovered area is black. Fails when there is no frame.
Result<Bitmap24> GifFirstFrameBitmap(const GifFile& file);
// The same drawn into `target`, asked for the first frame's size unless the
// file has no frame; a target that cannot make it is a failure.
std::optional<Failure> DrawGifFirstFrame(const GifFile& file, PictureTarget& target);

}  // namespace kelbo
