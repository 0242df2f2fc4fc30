// Rows of blue, green, red bytes 64 bytes at a time with AVX-512 VBMI's
// byte permutes, for the processors that have them; not part of the public
// interface.
#pragma once

#include <cstdint>

namespace kelbo::row_bytes {

// Whether this processor runs MapRow and SpreadGreys.
bool Available();

// The row's `width` pixels (blue, green, red bytes) each through its
// channel's table; touches no byte beyond them.
void MapRow(std::uint8_t* row, int width, const std::uint8_t* blue, const std::uint8_t* green, const std::uint8_t* red);

// Each of the first pixels' three bytes set to its grey, 64 pixels at a
// time; returns how many it set (a multiple of 64), the rest left to the
// caller.
int SpreadGreys(const std::uint8_t* grey, int width, std::uint8_t* row);

}  // namespace kelbo::row_bytes
