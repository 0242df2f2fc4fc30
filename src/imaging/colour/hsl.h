// The program's integer HSL scale: hue 0..239, saturation and lightness 0..240.
#pragma once

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/progress.h"

namespace kelbo {

inline constexpr int HSLRange = 240;

struct HslReal {
    double h = 0;  // 0..1
    double s = 0;
    double l = 0;
};

struct Hsl {
    int h = 0;
    int s = 0;
    int l = 0;
    friend bool operator==(const Hsl&, const Hsl&) = default;
};

double MaxReal(double a, double b);
double MinReal(double a, double b);

HslReal RgbToHslReal(Color color);
// Argument order as the program has it: lightness, saturation, hue.
Color HslRealToRgb(double l, double s, double h);

Hsl RGBToHSL(Color color);
Color HSLToRGB(int h, int s, int l);

// "Zmeň HSL": each component grows by its own percent of itself (-100..100,
// integer division toward zero), hue limited to 239, the others to 240.
// Percentages outside -100..100 give values kept within 0..239 and 0..240.
// Progress counts rows.
void ChangeHSL(PixelView picture, int huePercent, int saturationPercent, int lightnessPercent,
               Progress* progress = nullptr);

namespace detail {
// ChangeHSL with vectors of `step` pixels (8 or 4; at most what the
// processor has), or pixel by pixel only (0).
void ChangeHSL(PixelView picture, int huePercent, int saturationPercent, int lightnessPercent, Progress* progress,
               int step);
}  // namespace detail

}  // namespace kelbo
