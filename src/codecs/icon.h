#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/bitmap24.h"
#include "core/progress.h"
#include "core/result.h"

namespace kelbo {

// One entry of an icon file's directory, as stored (0 in width or height
// means 256).
struct IconDirEntry {
    int width = 0;
    int height = 0;
    int colorCount = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t bytes = 0;
    std::uint32_t offset = 0;
};

// The directory of an icon (type 1) or cursor (type 2) file. Every entry's
// image lies inside the file.
struct IconDirectory {
    int type = 1;
    std::vector<IconDirEntry> entries;
};

// Directories are refused above this many entries: real icons hold a few
// dozen sizes at most, and each entry needs 16 bytes anyway.
inline constexpr std::size_t kMaxIconEntries = 512;
// The largest icon side the format's one-byte fields can state.
inline constexpr int kMaxIconSide = 256;

Result<IconDirectory> ReadIconDirectory(std::span<const std::uint8_t> file);

// The entry LoadIcon reads: the largest area, then the most bits per pixel,
// then the first in the directory.
std::size_t LargestIconEntry(const IconDirectory& directory);

struct IconPicture {
    Bitmap24 bitmap;
    int bitsPerPixel = 0;   // of the image read, from its bitmap header
    std::size_t entry = 0;  // which directory entry was read
};

// Reads the largest image of an icon file, drawn at (0, 0) on a white
// bitmap of the image's size, as drawing the icon on a fresh picture shows
// it: the image is a device-independent bitmap of 1, 4, 8, 16, 24 or 32 bits
// (uncompressed) whose stored height covers the colour rows and the AND mask.
// - Where the AND mask is set the pixel is white XOR the colour (white for
//   the usual black there, the inverse colour for "inverting" pixels).
// - A 32-bit image with any non-zero alpha byte is blended over white by its
//   alpha instead: Round((c * a + 255 * (255 - a)) / 255) per channel.
// Sides follow the image's own header (directories are often wrong) and may
// not exceed kMaxIconSide. PNG-compressed images are kUnsupported.
// Progress, when given, is the bitmap reader's: 0 to 100, then 0 again.
Result<IconPicture> ReadIcon(std::span<const std::uint8_t> file, Progress* progress = nullptr);
Result<IconPicture> ReadIcon(const std::filesystem::path& path, Progress* progress = nullptr);

// An icon file holding the picture as one 32-bit image: every alpha byte
// 255, an all-clear AND mask. Sides of 1..256 only; an empty picture or a
// larger one throws std::invalid_argument with a message for the user.
std::vector<std::uint8_t> EncodeIcon(ConstPixelView pixels);
// Writes EncodeIcon atomically; throws FileError and what EncodeIcon throws.
void WriteIcon(const std::filesystem::path& path, ConstPixelView pixels);

}  // namespace kelbo
