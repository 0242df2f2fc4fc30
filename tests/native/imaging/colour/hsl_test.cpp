#include "imaging/colour/hsl.h"
#include "imaging/colour/hsl_vectors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "colour_test_support.h"

namespace kelbo {
namespace {

using testing::PictureOf;
using testing::ProgressRecord;

Color Changed(Color c, int hue, int saturation, int lightness) {
    Bitmap24 picture = PictureOf({{c}});
    ChangeHSL(picture.View(), hue, saturation, lightness);
    return picture.Pixel(0, 0);
}

TEST(Hsl, PrimariesConvertBothWays) {
    EXPECT_EQ(RGBToHSL(colors::kRed), (Hsl{0, 240, 120}));
    EXPECT_EQ(HSLToRGB(0, 240, 120), colors::kRed);
    // 239 * 2/3 = 159.33; back, green gets (2/3 - 159/239) * 6 * 255 = 2.13.
    EXPECT_EQ(RGBToHSL(colors::kBlue), (Hsl{159, 240, 120}));
    EXPECT_EQ(HSLToRGB(159, 240, 120), Rgb(0, 2, 255));
    // Yellow ties red with green: the red formula, h = 1/6, 239/6 = 39.83.
    EXPECT_EQ(RGBToHSL(Rgb(255, 255, 0)), (Hsl{40, 240, 120}));
    // Hue 239 is h = 1, the same place as 0.
    EXPECT_EQ(HSLToRGB(239, 240, 120), colors::kRed);
}

TEST(Hsl, RealFormsOfAMixedColour) {
    // (200, 150, 100): max r, d = 100/255, l = 150/255, s = d / (2 - max - min).
    const HslReal real = RgbToHslReal(Rgb(200, 150, 100));
    EXPECT_DOUBLE_EQ(real.l, 150.0 / 255.0);
    EXPECT_DOUBLE_EQ(real.s, (100.0 / 255.0) / (2 - 300.0 / 255.0));
    EXPECT_DOUBLE_EQ(real.h, 0.5 / 6);
    EXPECT_EQ(RGBToHSL(Rgb(200, 150, 100)), (Hsl{20, 114, 141}));
    EXPECT_EQ(HslRealToRgb(real.l, real.s, real.h), Rgb(200, 150, 100));
    EXPECT_EQ(MaxReal(1.5, -2), 1.5);
    EXPECT_EQ(MinReal(1.5, -2), -2);
}

// 256 greys cannot all survive a 241-step scale: 15 of them come back one
// level off (9 -> L 8.47 = 8 -> 8.5, to even 8), all of them still grey.
TEST(Hsl, GreysComeBackGreyWithinOneLevel) {
    int moved = 0;
    for (int v = 0; v < 256; ++v) {
        const auto c = static_cast<std::uint8_t>(v);
        const Hsl hsl = RGBToHSL(Rgb(c, c, c));
        EXPECT_EQ(hsl.h, 0);
        EXPECT_EQ(hsl.s, 0);
        const Color back = HSLToRGB(hsl.h, hsl.s, hsl.l);
        ASSERT_TRUE(RedOf(back) == GreenOf(back) && GreenOf(back) == BlueOf(back)) << v;
        EXPECT_LE(std::abs(RedOf(back) - v), 1) << v;
        moved += RedOf(back) != v;
    }
    EXPECT_EQ(moved, 15);
    EXPECT_EQ(HSLToRGB(0, 0, 8), Rgb(8, 8, 8));
    EXPECT_EQ(RGBToHSL(Rgb(127, 127, 127)).l, 120);      // 119.53
    EXPECT_EQ(HSLToRGB(0, 0, 120), Rgb(128, 128, 128));  // 127.5 to even
}

TEST(ChangeHsl, ZeroPercentagesOnlyRoundThroughTheScale) {
    EXPECT_EQ(Changed(Rgb(200, 150, 100), 0, 0, 0), Rgb(200, 150, 100));
    EXPECT_EQ(Changed(Rgb(64, 128, 32), 0, 0, 0), Rgb(65, 128, 32));
    EXPECT_EQ(Changed(Rgb(0, 0, 0), 0, 0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(Changed(Rgb(255, 255, 255), 0, 0, 0), Rgb(255, 255, 255));
}

TEST(ChangeHsl, HueIsScaledAndLimitedTo239) {
    EXPECT_EQ(RGBToHSL(Rgb(124, 255, 0)).h, 60);
    EXPECT_EQ(Changed(Rgb(124, 255, 0), 100, 0, 0), HSLToRGB(120, 240, 120));
    EXPECT_EQ(HSLToRGB(120, 240, 120), Rgb(0, 252, 255));
    EXPECT_EQ(RGBToHSL(Rgb(0, 58, 255)).h, 150);
    EXPECT_EQ(Changed(Rgb(0, 58, 255), 100, 0, 0), colors::kRed);  // 300 -> 239
    // Reds keep their hue; -100 takes every hue to 0.
    EXPECT_EQ(Changed(colors::kRed, 100, 0, 0), colors::kRed);
    EXPECT_EQ(Changed(colors::kGreen, -100, 0, 0), colors::kRed);
    // 139 * -50 div 100 = -69 (toward zero, not -70): H 70.
    EXPECT_EQ(Changed(Rgb(0, 128, 255), -50, 0, 0), HSLToRGB(70, 240, 120));
    EXPECT_EQ(HSLToRGB(70, 240, 120), Rgb(62, 255, 0));
}

TEST(ChangeHsl, SaturationAndLightnessExtremes) {
    EXPECT_EQ(Changed(Rgb(200, 150, 100), 0, -100, 0), Rgb(150, 150, 150));
    EXPECT_EQ(Changed(Rgb(64, 128, 32), 0, -100, 0), Rgb(80, 80, 80));
    for (const Color c : {Rgb(200, 150, 100), colors::kWhite, Rgb(1, 2, 3), colors::kBlue}) {
        EXPECT_EQ(Changed(c, 37, 80, -100), colors::kBlack);
    }
    EXPECT_EQ(Changed(Rgb(200, 150, 100), 0, 0, 50), Rgb(239, 224, 210));  // L 141 -> 211
    EXPECT_EQ(Changed(Rgb(200, 150, 100), 0, 0, 100), colors::kWhite);     // 282 -> 240
}

TEST(ChangeHsl, PercentagesOutsideTheDialogRangeStayOnTheScale) {
    EXPECT_EQ(Changed(Rgb(200, 150, 100), 0, 0, 100000), colors::kWhite);
    EXPECT_EQ(Changed(Rgb(200, 150, 100), 0, 0, -500), colors::kBlack);
    EXPECT_EQ(Changed(Rgb(0, 58, 255), INT32_MAX, 0, 0), colors::kRed);
    EXPECT_EQ(Changed(Rgb(200, 150, 100), 0, INT32_MIN, 0), Rgb(150, 150, 150));
}

TEST(ChangeHsl, RepeatedColoursGiveTheSameResultAsSingleOnes) {
    const Bitmap24 original = testing::Varied(40, 30);
    Bitmap24 picture(80, 30);  // every colour twice, once after another colour
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            picture.SetPixel(x, y, original.Pixel(x, y));
            picture.SetPixel(79 - x, y, original.Pixel(x, y));
        }
    }
    ProgressRecord progress;
    ChangeHSL(picture.View(), 30, -20, 10, &progress);
    EXPECT_EQ(progress.max, 29);
    EXPECT_EQ(progress.positions.back(), 0);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const Color expected = Changed(original.Pixel(x, y), 30, -20, 10);
            ASSERT_EQ(picture.Pixel(x, y), expected);
            ASSERT_EQ(picture.Pixel(79 - x, y), expected);
        }
    }
}

}  // namespace
}  // namespace kelbo

namespace kelbo {
namespace {

// The definition, colour by colour: RGBToHSL, each part scaled, HSLToRGB.
int Scaled(int value, int percent, int top) {
    return std::clamp(value + value * std::clamp(percent, -1000, 100000) / 100, 0, top);
}

// Every path the processor has, on rows whose width is not a multiple of
// four, so that every row ends in pixels left to the narrower paths.
TEST(ChangeHsl, EveryColourGetsExactlyTheDefinitionsResult) {
    constexpr int kWidth = 4099;
    constexpr std::uint32_t kColours = 1u << 24;
    Bitmap24 all(kWidth, static_cast<int>((kColours + kWidth - 1) / kWidth));
    const struct { int hue, saturation, lightness; } changes[] = {{20, -30, 10}, {-100, 100, -55}, {37, -13, 250}};
    for (const auto& change : changes) {
        for (const int step : {8, 4, 0}) {
            if (step > hsl_vectors::WidestStep()) continue;
            SCOPED_TRACE(::testing::Message()
                         << change.hue << " " << change.saturation << " " << change.lightness << " step " << step);
            for (std::uint32_t c = 0; c < kColours; ++c) {
                std::uint8_t* p = all.Row(static_cast<int>(c / kWidth)) + (c % kWidth) * 3;
                p[0] = static_cast<std::uint8_t>(c), p[1] = static_cast<std::uint8_t>(c >> 8);
                p[2] = static_cast<std::uint8_t>(c >> 16);
            }
            detail::ChangeHSL(all.View(), change.hue, change.saturation, change.lightness, nullptr, step);
            int wrong = 0;
            for (std::uint32_t c = 0; c < kColours && wrong < 5; ++c) {
                const Hsl hsl = RGBToHSL(Rgb(c >> 16, c >> 8, c));
                const Color expected = HSLToRGB(Scaled(hsl.h, change.hue, HSLRange - 1),
                                                Scaled(hsl.s, change.saturation, HSLRange),
                                                Scaled(hsl.l, change.lightness, HSLRange));
                const std::uint8_t* p = all.Row(static_cast<int>(c / kWidth)) + (c % kWidth) * 3;
                if (Rgb(p[2], p[1], p[0]) != expected) {
                    ++wrong;
                    ADD_FAILURE() << "colour " << c;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kelbo
