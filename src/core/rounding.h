#pragma once

#include <cstdint>

namespace kelbo {

// Round to the nearest integer, exact halves to the even neighbour (the x87
// default rounding mode). Done by hand so a caller that changed the FPU
// rounding mode cannot change results. Throws std::overflow_error for NaN,
// infinities and values outside the 64-bit range.
std::int64_t Round(long double x);

// Drop the fraction toward zero. Same failures as Round.
std::int64_t Trunc(long double x);

}  // namespace kelbo
