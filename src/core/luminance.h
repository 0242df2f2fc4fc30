#pragma once

#include <cstdint>

#include "core/color.h"

namespace kelbo {

// Grey value Round(0.299 R + 0.587 G + 0.114 B), with the weights and the sum
// in long double (extended precision) as the program has always computed it.
std::uint8_t Luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b);
std::uint8_t Luminance(Color c);

}  // namespace kelbo
