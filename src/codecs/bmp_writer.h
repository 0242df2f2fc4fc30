#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "codecs/bmp_info.h"
#include "core/bitmap24.h"
#include "core/color.h"

namespace kelbo {

// Bits per pixel a format is written with: 1, 4, 8, 16 (for 15 and 16), 24
// or 32. Device-dependent and custom formats are written as 24 bits.
int BmpBitsPerPixel(PixelFormat format);

// A Windows bitmap of the given format: BITMAPFILEHEADER, BITMAPINFOHEADER
// (2835 pixels per metre = 72 dpi), rows bottom-up padded to 4 bytes with
// zeros.
// - 1, 4, 8 bits: BI_RGB with the colour table ChooseBmpPalette picks
//   (`palette` is the table the picture was read with); only the table's
//   entries are stored, biClrUsed says how many when fewer than 2^bits.
// - 15 bits: BI_RGB 16 bits of 5-5-5; 16 bits: BI_BITFIELDS 5-6-5 (masks
//   after the header). Each channel takes the level that reads back nearest
//   to it, so colours a reader gives from such a file survive a round trip.
// - 24 bits: BI_RGB; 32 bits: BI_RGB, the fourth byte 0.
// An empty picture throws std::invalid_argument; one whose file would pass
// 4 GiB throws std::length_error.
std::vector<std::uint8_t> EncodeBmp(ConstPixelView pixels, PixelFormat format, std::span<const Color> palette = {});

// Writes EncodeBmp atomically; throws FileError and what EncodeBmp throws.
void WriteBmp(const std::filesystem::path& path, ConstPixelView pixels, PixelFormat format,
              std::span<const Color> palette = {});

// An 8-bit bitmap straight from palette indices (width * height, rows from
// the top): the very bytes WriteBmp writes at k8, with `palette` as the
// table, for the picture the indices make. Bad sizes or indices throw
// std::invalid_argument; the rest as WriteBmp.
void WriteBmpIndexed(const std::filesystem::path& path, int width, int height, std::span<const std::uint8_t> indices,
                     std::span<const Color> palette);

// A bitmap written as its rows come, through the safe save, so that a
// picture need never be held whole: 24 bits, with the very bytes WriteBmp
// writes at k24, or given a `palette`, 8 bits of indices into it, with the
// bytes of WriteBmpIndexed. Rows come bottom first (kStored) or top first
// (kTopDown: each block of rows is then written at its place in the file).
// Destroyed before Commit, it leaves any old file as it was. Throws what
// WriteBmpIndexed throws.
class BmpRowWriter {
public:
    BmpRowWriter(const std::filesystem::path& path, int width, int height, BmpRowOrder order = BmpRowOrder::kStored,
                 std::span<const Color> palette = {});
    ~BmpRowWriter();
    BmpRowWriter(const BmpRowWriter&) = delete;
    BmpRowWriter& operator=(const BmpRowWriter&) = delete;

    // The row's width pixels: blue, green, red, or palette indices.
    void WriteRow(const std::uint8_t* row);
    // After the last row.
    void Commit();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Changes the pixels to exactly the colours a file of that format, written by
// EncodeBmp with the same `palette`, reads back as: what saving a document in
// its recorded format leaves in it.
void ReduceToBmpFormat(PixelView pixels, PixelFormat format, std::span<const Color> palette = {});

// The 24-bit form, kept for callers that only ever write 24 bits.
std::vector<std::uint8_t> EncodeBmp24(ConstPixelView pixels);
void WriteBmp24(const std::filesystem::path& path, ConstPixelView pixels);

}  // namespace kelbo
