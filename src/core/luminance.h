#pragma once

#include <cstdint>

#include "core/color.h"

namespace kelbo {

// Grey value Round(0.299 R + 0.587 G + 0.114 B), with the weights and the sum
// in long double (extended precision) as the program has always computed it.
std::uint8_t LuminanceLongDouble(std::uint8_t r, std::uint8_t g, std::uint8_t b);

// The same values, fast. 299 R + 587 G + 114 B is exact in integers, and the
// extended sum lies within a few ulps of it / 1000, so only a sum whose
// thousandths are exactly 500 can round either way; those few go through the
// extended computation, where the inexact binary weights decide.
inline std::uint8_t Luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const unsigned sum = 299u * r + 587u * g + 114u * b;
    const unsigned rounded = (sum + 500u) / 1000u;
    if (rounded * 1000u != sum + 500u) return static_cast<std::uint8_t>(rounded);
    return LuminanceLongDouble(r, g, b);
}

inline std::uint8_t Luminance(Color c) { return Luminance(RedOf(c), GreenOf(c), BlueOf(c)); }

// Luminance of `width` pixels of blue, green, red bytes into `out`, several
// pixels at a time where the processor allows; the same values. `wide`
// false keeps to SSE2 even where AVX-512 VBMI would run, so that both paths
// can be compared.
void LuminanceRow(const std::uint8_t* bgr, int width, std::uint8_t* out, bool wide = true);

}  // namespace kelbo
