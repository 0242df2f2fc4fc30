// Two pictures combined pixel by pixel ("Alfa miešanie", "Aritmetické
// funkcie"). Pixels pair by position from the top left; the result has the
// common size, min(w1, w2) x min(h1, h2).
#pragma once

#include <cstdint>
#include <vector>

#include "core/bitmap24.h"
#include "core/geometry.h"
#include "core/progress.h"

namespace kelbo {

// "Použitá metóda", in the radio group's order.
enum class CombineMethod : std::uint8_t {
    kAdd,         // "sčítanie": min(255, A + B)
    kSubtract,    // "odčítanie": max(0, A - B)
    kDifference,  // "rozdieľ": |A - B|
    kAnd,         // "logické a (AND)"
    kOr,          // "logické alebo (OR)"
    kDarker,      // "tmavší": colour A when Luminance(A) < Luminance(B), else B
    kLighter,     // "svetlejší": colour B when Luminance(A) < Luminance(B), else A
    kAverage,     // "priemer": (A + B) div 2
};

// The common top-left size of two pictures.
Size CommonSize(ConstPixelView a, ConstPixelView b);

// Progress by rows. Throws std::invalid_argument when a picture is empty.
Bitmap24 Combine(ConstPixelView a, ConstPixelView b, CombineMethod method, Progress* progress = nullptr);

// Round(a·A + (1 − a)·B) per channel with a = alpha / 255, in extended
// precision; alpha 255 gives the first picture, 0 the second.
std::uint8_t AlphaMixChannel(std::uint8_t a, std::uint8_t b, int alpha);
Bitmap24 AlphaMix(ConstPixelView a, ConstPixelView b, int alpha, Progress* progress = nullptr);

// The alphas of "Generuj postupnosť": start + k·((end − start) div count)
// for k = 0 … count − 1, in 8 bits. A count of 0 throws std::invalid_argument.
std::vector<int> AlphaSequence(int count, int start, int end);

}  // namespace kelbo
