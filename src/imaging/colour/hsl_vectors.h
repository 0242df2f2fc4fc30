// "Zmeň HSL" four pixels at a time with AVX2, or eight with AVX-512, for the
// processors that have them; not part of the public interface.
#pragma once

#include <cstdint>

namespace kelbo::hsl_vectors {

// The three percentages, each already within -1000..100000.
struct Percents {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};

// How many pixels at a time this processor changes: 8, 4, or 0 for none.
int WidestStep();

// Changes the row's pixels from the first on, `step` (4 or 8, at most
// WidestStep()) at a time, with exactly the results of the pixel-by-pixel
// change; returns how many it changed (a multiple of four), the rest left
// to the caller.
int ChangeRow(std::uint8_t* row, int width, const Percents& percents, int step);

// The AVX-512 half, for ChangeRow: whether it runs, and eight at a time.
bool EightAvailable();
int ChangeEightAtATime(std::uint8_t* row, int width, const Percents& percents);

}  // namespace kelbo::hsl_vectors
