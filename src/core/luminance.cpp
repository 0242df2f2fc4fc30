#include "core/luminance.h"

#include "core/rounding.h"

namespace kelbo {

std::uint8_t Luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  constexpr long double kRed = 0.299L;
  constexpr long double kGreen = 0.587L;
  constexpr long double kBlue = 0.114L;
  const long double sum = kRed * r + kGreen * g + kBlue * b;
  // The weights add up to 1 within a few ulps, so the sum never rounds past 255.
  return static_cast<std::uint8_t>(Round(sum));
}

std::uint8_t Luminance(Color c) { return Luminance(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace kelbo
