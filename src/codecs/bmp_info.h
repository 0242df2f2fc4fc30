#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "core/pixel_format.h"
#include "core/result.h"

namespace kelbo {

enum class BmpHeaderKind {
    kCore,  // OS/2 BITMAPCOREHEADER, 12 bytes
    kInfo,  // BITMAPINFOHEADER, 40 bytes
    kV4,    // BITMAPV4HEADER, 108 bytes
    kV5,    // BITMAPV5HEADER, 124 bytes
};

enum class BmpCompression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitfields = 3,
};

const char* BmpHeaderKindName(BmpHeaderKind kind);
const char* BmpCompressionName(BmpCompression compression);

inline constexpr std::size_t kBmpFileHeaderSize = 14;

// What the headers of a Windows bitmap file say, checked for consistency.
struct BmpInfo {
    BmpHeaderKind headerKind = BmpHeaderKind::kInfo;
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;   // > 0
    std::int32_t height = 0;  // > 0; the sign of the file's field is in bottomUp
    bool bottomUp = true;
    std::uint16_t bitsPerPixel = 0;  // 1, 4, 8, 16, 24 or 32
    BmpCompression compression = BmpCompression::kRgb;
    std::uint32_t colorsUsed = 0;                            // as stored; 0 means "all" for <= 8 bits
    std::uint32_t paletteEntries = 0;                        // entries the file actually carries
    std::uint32_t pixelOffset = 0;                           // bfOffBits
    std::uint32_t imageSize = 0;                             // biSizeImage as stored (may be 0)
    std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;  // kBitfields only
    std::int32_t xPixelsPerMeter = 0, yPixelsPerMeter = 0;
};

// Reading a Windows bitmap never gives kDevice.
PixelFormat PixelFormatOf(const BmpInfo& info);

// A bit-field channel value scaled to 0..255: value * 255 / max, rounded, so
// 0 and max give black and full intensity.
constexpr std::uint8_t BmpChannelTo8(std::uint64_t value, std::uint64_t max) {
    return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
}
// Where the colour table starts: after the headers and any masks that follow
// a 40-byte header.
std::uint64_t BmpColorTableOffset(const BmpInfo& info);
// 3 for the OS/2 core header's RGBTRIPLEs, 4 for RGBQUADs.
std::uint32_t BmpColorEntrySize(const BmpInfo& info);

// Reads the file and info headers only. A picture over the limits of
// core/picture_limits.h is kUnsupported. Bit-field masks must be non-empty,
// contiguous, disjoint and inside the pixel. For 1, 4 and 8 bits a pixel offset that cuts into the
// colour table shortens the table to the entries before it; deeper pictures'
// optional tables must fit whole. `fileSize` is the size of the whole
// file when `head` is just its beginning; it lets a cheap read still detect a
// file that stops before its palette or, for uncompressed pixels, its last row.
Result<BmpInfo> ReadBmpInfo(std::span<const std::uint8_t> head, std::uint64_t fileSize);
Result<BmpInfo> ReadBmpInfo(std::span<const std::uint8_t> wholeFile);
// Reads only the first few hundred bytes of the file.
Result<BmpInfo> ReadBmpInfo(const std::filesystem::path& path);

// Bytes per stored row: bitsPerPixel * width rounded up to 4 bytes.
// Nullopt when it overflows.
std::optional<std::uint64_t> BmpRowBytes(std::uint16_t bitsPerPixel, std::int32_t width);

// The order rows go by, read (BmpRowReader) or written (BmpRowWriter): as the
// file stores them (bottom row first unless top-down), or the top row first
// whatever the file.
enum class BmpRowOrder { kStored, kTopDown };

}  // namespace kelbo
