#pragma once

#include <cstdint>

namespace kelbo {

// A Windows colour value (COLORREF order): red in the low byte, then green,
// then blue. The high byte is always zero for colours made here.
using Color = std::uint32_t;

struct RgbParts {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const RgbParts&, const RgbParts&) = default;
};

// Not named RGB / GetRValue: windows.h defines those as macros.
constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

constexpr std::uint8_t RedOf(Color c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Color c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Color c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

constexpr RgbParts SplitColor(Color c) { return {RedOf(c), GreenOf(c), BlueOf(c)}; }
constexpr Color JoinColor(RgbParts p) { return Rgb(p.r, p.g, p.b); }

namespace colors {
inline constexpr Color kBlack = Rgb(0, 0, 0);
inline constexpr Color kWhite = Rgb(255, 255, 255);
inline constexpr Color kRed = Rgb(255, 0, 0);
inline constexpr Color kGreen = Rgb(0, 255, 0);
inline constexpr Color kBlue = Rgb(0, 0, 255);
}  // namespace colors

}  // namespace kelbo
