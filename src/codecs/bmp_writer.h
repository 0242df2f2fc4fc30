#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/bitmap24.h"

namespace kelbo {

// A standard 24-bit Windows bitmap: BITMAPFILEHEADER, BITMAPINFOHEADER
// (BI_RGB, 2835 pixels per metre = 72 dpi), rows bottom-up padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp24(ConstPixelView pixels);

// Writes EncodeBmp24 atomically; throws FileError. An empty picture cannot be
// stored as a bitmap file and throws std::invalid_argument.
void WriteBmp24(const std::filesystem::path& path, ConstPixelView pixels);

}  // namespace kelbo
