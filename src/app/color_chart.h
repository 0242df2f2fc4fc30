#pragma once

#include "core/bitmap24.h"

namespace kelbo {

inline constexpr int kColorChartWidth = 45;
inline constexpr int kColorChartHeight = 96;

// The colour chart of the main window's information panel (Image1): one hue
// per row, from red at the top once round the colour circle, and along each
// row black, the full colour in the middle column, then white.
Bitmap24 MakeColorChart();

}  // namespace kelbo
