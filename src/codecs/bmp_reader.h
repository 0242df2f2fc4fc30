#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "codecs/bmp_info.h"
#include "core/bitmap24.h"
#include "core/color.h"
#include "core/picture_target.h"
#include "core/progress.h"
#include "core/result.h"

namespace kelbo {

// What reading a Windows bitmap file gives besides the pixels: what saving it
// back needs, the pixel format it had and its colour table, and its headers.
// A bitmap read from a file is always device-independent.
struct BmpFormatInfo {
    PixelFormat format = PixelFormat::k24;
    Palette palette;  // the colour table as stored; may be empty
    BmpInfo info;
};

// The same with the pixels in the working 24-bit form.
struct BmpPicture : BmpFormatInfo {
    Bitmap24 bitmap;
};

// Reads every depth and header ReadBmpInfo accepts: 1, 4 and 8 bits with a
// colour table (also short ones, and BI_RLE4/BI_RLE8), 16 bits (5-5-5, or
// any bit-field masks, each scaled to 0..255 as value * 255 / its maximum,
// rounded), 24 bits, 32 bits (BI_RGB or bit fields; the fourth byte is
// ignored), bottom-up and top-down.
// - An index beyond the colour table gives black.
// - Pixels that run-length data skips (delta, end of line, end of bitmap)
//   take the colour of table entry 0, the background of an indexed picture
//   (black when the table is empty).
// - A run-length picture above 64 megapixels must bring at least one byte of
//   data per 1024 pixels; the header alone cannot demand gigabytes.
// Failures come back with their reason; nothing here throws for bad data.
// Progress, when given, runs from 0 to 100 and is set back to 0 at the end.
// The pixels go into `target`, asked for them once the headers are read
// (not at all when they fail); a picture over the limits, a target that
// cannot make it and no memory for the reader's own buffers come back as
// kUnsupported.
Result<BmpFormatInfo> ReadBmp(std::span<const std::uint8_t> file, PictureTarget& target, Progress* progress = nullptr);
Result<BmpPicture> ReadBmp(std::span<const std::uint8_t> file, Progress* progress = nullptr);
// Reads uncompressed rows from the file in blocks straight into `target`,
// any other file whole first; a file that cannot be read is kIo.
Result<BmpFormatInfo> ReadBmp(const std::filesystem::path& path, PictureTarget& target, Progress* progress = nullptr);
Result<BmpPicture> ReadBmp(const std::filesystem::path& path, Progress* progress = nullptr);

// The rows of an uncompressed 24-bit bitmap taken from its file a block at a
// time, for work that never holds the whole picture.
class BmpRowReader {
public:
    // Null for any other file, bitmaps of other kinds and files ReadBmp would
    // refuse included: those are read whole, with ReadBmp's reasons. Throws
    // FileError when the file cannot be opened.
    static std::unique_ptr<BmpRowReader> Open(const std::filesystem::path& path,
                                              BmpRowOrder order = BmpRowOrder::kStored);
    ~BmpRowReader();
    BmpRowReader(const BmpRowReader&) = delete;
    BmpRowReader& operator=(const BmpRowReader&) = delete;

    const BmpInfo& Info() const { return info_; }
    // The next stored row: Info().width pixels of blue, green, red, valid
    // until the next call. Throws FileError when the file shrank meanwhile.
    const std::uint8_t* NextRow();

private:
    struct State;
    BmpRowReader(BmpInfo info, std::unique_ptr<State> state);
    BmpInfo info_;
    std::unique_ptr<State> state_;
};

}  // namespace kelbo
