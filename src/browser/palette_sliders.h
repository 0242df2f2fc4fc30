// The palette window's sliders: hue, saturation and lightness in percent of
// the program's HSL scale, and the colour read-out of its colour boxes.
#pragma once

#include "core/color.h"

namespace kelbo {

struct HslSliders {
    int h = 0;  // 0..100 each
    int s = 0;
    int l = 0;
    friend bool operator==(const HslSliders&, const HslSliders&) = default;
};

// Each of RGBToHSL's components as Round(value / (HSLRange * 0.01)).
HslSliders HslSlidersOf(Color color);
// HSLToRGB of each position times HSLRange * 0.01, rounded.
Color ColorOfHslSliders(HslSliders sliders);

}  // namespace kelbo
