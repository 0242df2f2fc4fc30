#include "browser/palette_sliders.h"

#include <gtest/gtest.h>

#include "imaging/colour/hsl.h"

namespace kelbo {
namespace {

TEST(PaletteSliders, PositionsOfAColourAndBack) {
    const struct {
        Color color;
        HslSliders sliders;
    } cases[] = {
        {Rgb(255, 0, 0), {0, 100, 50}},
        {Rgb(0, 0, 255), {66, 100, 50}},   // hue Round(239 * 4 / 6) = 159, / 2.4 = 66.25
        {Rgb(6, 6, 6), {0, 0, 3}},         // lightness 6: 2.5 in extended precision is a little more
        {Rgb(19, 19, 19), {0, 0, 8}},      // lightness 18: 7.5 and a little
        {Rgb(255, 0, 1), {100, 100, 50}},  // hue 239 at the top
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HslSlidersOf(c.color), c.sliders) << std::hex << c.color;
    }
    EXPECT_EQ(ColorOfHslSliders({0, 100, 50}), Rgb(255, 0, 0));
    EXPECT_EQ(ColorOfHslSliders({50, 50, 25}), HSLToRGB(120, 120, 60));
    EXPECT_EQ(ColorOfHslSliders({1, 3, 99}), HSLToRGB(2, 7, 238));  // 2.4, 7.2, 237.6
}

}  // namespace
}  // namespace kelbo
