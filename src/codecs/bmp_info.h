#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

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
  BmpHeaderKind header_kind = BmpHeaderKind::kInfo;
  std::uint32_t header_size = 0;
  std::int32_t width = 0;   // > 0
  std::int32_t height = 0;  // > 0; the sign of the file's field is in bottom_up
  bool bottom_up = true;
  std::uint16_t bits_per_pixel = 0;  // 1, 4, 8, 16, 24 or 32
  BmpCompression compression = BmpCompression::kRgb;
  std::uint32_t colors_used = 0;      // as stored; 0 means "all" for <= 8 bits
  std::uint32_t palette_entries = 0;  // entries the file actually carries
  std::uint32_t pixel_offset = 0;     // bfOffBits
  std::uint32_t image_size = 0;       // biSizeImage as stored (may be 0)
  std::uint32_t red_mask = 0, green_mask = 0, blue_mask = 0;  // kBitfields only
  std::int32_t x_pixels_per_meter = 0, y_pixels_per_meter = 0;
};

// Reads the file and info headers only. `file_size` is the size of the whole
// file when `head` is just its beginning; it lets a cheap read still detect a
// file that stops before its palette or, for uncompressed pixels, its last row.
Result<BmpInfo> ReadBmpInfo(std::span<const std::uint8_t> head, std::uint64_t file_size);
Result<BmpInfo> ReadBmpInfo(std::span<const std::uint8_t> whole_file);
// Reads only the first few hundred bytes of the file.
Result<BmpInfo> ReadBmpInfo(const std::filesystem::path& path);

// Bytes per stored row: bits_per_pixel * width rounded up to 4 bytes.
// Nullopt when it overflows.
std::optional<std::uint64_t> BmpRowBytes(std::uint16_t bits_per_pixel, std::int32_t width);

}  // namespace kelbo
