#include "app/color_chart.h"

#include <cstdint>

#include "core/color.h"
#include "core/rounding.h"

namespace kelbo {
namespace {

// Row y has hue y/96 of the circle. 96 rows make six sectors of 16 rows, so
// red, yellow, green, cyan, blue and magenta fall exactly on rows 0, 16, 32,
// 48, 64 and 80. With m = y mod 16, up = Round(255*m/16) and
// down = Round(255*(16-m)/16), the full colour of each sector is
//   0: (255, up, 0)   1: (down, 255, 0)   2: (0, 255, up)
//   3: (0, down, 255) 4: (up, 0, 255)     5: (255, 0, down).
RgbParts FullColor(int y) {
    const int m = y % 16;
    const auto up = static_cast<std::uint8_t>(Round(255.0L * m / 16));
    const auto down = static_cast<std::uint8_t>(Round(255.0L * (16 - m) / 16));
    switch (y / 16) {
    case 0: return {255, up, 0};
    case 1: return {down, 255, 0};
    case 2: return {0, 255, up};
    case 3: return {0, down, 255};
    case 4: return {up, 0, 255};
    default: return {255, 0, down};
    }
}

constexpr int kMiddle = (kColorChartWidth - 1) / 2;  // 22

// Column x, with full-colour channel v: left of the middle Round(v*x/22),
// right of it Round(v + (255-v)*(x-22)/22).
std::uint8_t Shade(std::uint8_t v, int x) {
    if (x <= kMiddle) return static_cast<std::uint8_t>(Round(static_cast<long double>(v) * x / kMiddle));
    return static_cast<std::uint8_t>(Round(v + static_cast<long double>(255 - v) * (x - kMiddle) / kMiddle));
}

}  // namespace

Bitmap24 MakeColorChart() {
    Bitmap24 chart(kColorChartWidth, kColorChartHeight);
    for (int y = 0; y < kColorChartHeight; ++y) {
        const RgbParts full = FullColor(y);
        std::uint8_t* row = chart.Row(y);
        for (int x = 0; x < kColorChartWidth; ++x) {
            row[3 * x + 0] = Shade(full.b, x);
            row[3 * x + 1] = Shade(full.g, x);
            row[3 * x + 2] = Shade(full.r, x);
        }
    }
    return chart;
}

}  // namespace kelbo
