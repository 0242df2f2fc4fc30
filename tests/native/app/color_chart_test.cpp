#include "app/color_chart.h"

#include <gtest/gtest.h>

#include "core/color.h"

namespace kelbo {
namespace {

TEST(ColorChart, IsFortyFiveByNinetySix) {
    const Bitmap24 chart = MakeColorChart();
    EXPECT_EQ(chart.Width(), 45);
    EXPECT_EQ(chart.Height(), 96);
}

TEST(ColorChart, LeftColumnBlackRightColumnWhite) {
    const Bitmap24 chart = MakeColorChart();
    for (int y = 0; y < 96; ++y) {
        EXPECT_EQ(chart.Pixel(0, y), Rgb(0, 0, 0)) << y;
        EXPECT_EQ(chart.Pixel(44, y), Rgb(255, 255, 255)) << y;
    }
}

TEST(ColorChart, PrimariesAndSecondariesEverySixteenRowsInTheMiddle) {
    const Bitmap24 chart = MakeColorChart();
    EXPECT_EQ(chart.Pixel(22, 0), Rgb(255, 0, 0));
    EXPECT_EQ(chart.Pixel(22, 16), Rgb(255, 255, 0));
    EXPECT_EQ(chart.Pixel(22, 32), Rgb(0, 255, 0));
    EXPECT_EQ(chart.Pixel(22, 48), Rgb(0, 255, 255));
    EXPECT_EQ(chart.Pixel(22, 64), Rgb(0, 0, 255));
    EXPECT_EQ(chart.Pixel(22, 80), Rgb(255, 0, 255));
}

TEST(ColorChart, HandComputedPixels) {
    const Bitmap24 chart = MakeColorChart();
    // Row 8: m = 8, up = Round(127.5) = 128 (half to even); full (255, 128, 0).
    EXPECT_EQ(chart.Pixel(22, 8), Rgb(255, 128, 0));
    // Column 11: Round(255*11/22) = Round(127.5) = 128, Round(128/2) = 64.
    EXPECT_EQ(chart.Pixel(11, 8), Rgb(128, 64, 0));
    // Column 33: 255; 128 + 127/2 = 191.5 -> 192; 0 + 255/2 = 127.5 -> 128.
    EXPECT_EQ(chart.Pixel(33, 8), Rgb(255, 192, 128));
    // Row 95: sector 5, m = 15, down = Round(255/16) = Round(15.9375) = 16.
    EXPECT_EQ(chart.Pixel(22, 95), Rgb(255, 0, 16));
    // Column 1: Round(255/22) = Round(11.59) = 12, Round(16/22) = Round(0.727) = 1.
    EXPECT_EQ(chart.Pixel(1, 95), Rgb(12, 0, 1));
    // Row 37: sector 2, m = 5, up = Round(1275/16) = Round(79.6875) = 80; full (0, 255, 80).
    // Column 40: 255*18/22 = 208.64 -> 209 for red; 255 for green;
    // 80 + 175*18/22 = 223.18 -> 223 for blue.
    EXPECT_EQ(chart.Pixel(40, 37), Rgb(209, 255, 223));
    // Row 52: sector 3, m = 4, down = Round(255*12/16) = Round(191.25) = 191;
    // column 5: Round(191*5/22) = Round(43.41) = 43, Round(255*5/22) = Round(57.95) = 58.
    EXPECT_EQ(chart.Pixel(5, 52), Rgb(0, 43, 58));
    // Row 72: sector 4, m = 8, up = 128; column 23: 128 + 127/22 = 133.77 -> 134,
    // 0 + 255/22 = 11.59 -> 12, 255.
    EXPECT_EQ(chart.Pixel(23, 72), Rgb(134, 12, 255));
}

TEST(ColorChart, LightnessNeverFallsAlongARow) {
    const Bitmap24 chart = MakeColorChart();
    for (int y = 0; y < 96; ++y) {
        for (int x = 1; x < 45; ++x) {
            const Color a = chart.Pixel(x - 1, y), b = chart.Pixel(x, y);
            EXPECT_LE(RedOf(a), RedOf(b));
            EXPECT_LE(GreenOf(a), GreenOf(b));
            EXPECT_LE(BlueOf(a), BlueOf(b));
        }
    }
}

}  // namespace
}  // namespace kelbo
