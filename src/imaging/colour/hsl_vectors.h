// "Zmeň HSL" four pixels at a time with AVX2, for the processors that have it;
// not part of the public interface.
#pragma once

#include <cstdint>

namespace kelbo::hsl_vectors {

// The three percentages, each already within -1000..100000.
struct Percents {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};

// Whether this processor runs ChangeRow.
bool Available();

// Changes the row's pixels from the first on, four at a time, with exactly
// the results of the pixel-by-pixel change; returns how many it changed (a
// multiple of four), the rest left to the caller.
int ChangeRow(std::uint8_t* row, int width, const Percents& percents);

}  // namespace kelbo::hsl_vectors
