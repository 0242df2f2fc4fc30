#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/color.h"

namespace kelbo::testing {

enum class TestBmpHeader { kCore, kInfo, kV4, kV5 };

// A bitmap file described field by field; BuildBmp lays it out with a pixel
// offset right after the colour table, so every byte of the file is known.
struct TestBmp {
    TestBmpHeader header = TestBmpHeader::kInfo;
    std::int32_t width = 1;
    std::int32_t height = 1;  // positive; topDown stores it negated
    bool topDown = false;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;       // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    std::vector<Color> palette;          // RGBQUADs, or RGBTRIPLEs with the core header
    std::uint32_t colorsUsed = 0;        // biClrUsed as stored
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue, for BI_BITFIELDS
    std::vector<std::uint8_t> data;      // the pixel data exactly as stored
};

std::vector<std::uint8_t> BuildBmp(const TestBmp& file);

// Stored rows from rows of values given top row first: palette indices for
// 1, 4 and 8 bits, the 16-bit word for 16, a Color for 24 and the 32-bit word
// (blue in the low byte) for 32. Rows are padded to 4 bytes with zeros and
// stored bottom-up unless `topDown`.
std::vector<std::uint8_t> PackRows(const std::vector<std::vector<std::uint32_t>>& rows, int bits, bool topDown = false);

// A small valid file of every kind the reader knows, named for messages.
struct NamedBmp {
    std::string name;
    std::vector<std::uint8_t> bytes;
};
std::vector<NamedBmp> EveryKindOfBmp();

// A palette of n distinct entries: entry i is Rgb(i, 255 - i, i / 2 + 7),
// so every entry differs from black and from the others.
std::vector<Color> RampPalette(int n);

}  // namespace kelbo::testing
