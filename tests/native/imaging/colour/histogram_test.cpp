#include "imaging/colour/histogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "colour_test_support.h"
#include "core/luminance.h"

namespace kelbo {
namespace {

using testing::PictureOf;
using testing::ProgressRecord;
using testing::Uniform;

TEST(CountChannels, CountsEveryChannelValue) {
    const Bitmap24 picture = PictureOf({{Rgb(1, 2, 3), Rgb(1, 5, 3)}, {Rgb(7, 2, 3), colors::kWhite}});
    ProgressRecord progress;
    const ChannelHistogram h = CountChannels(picture.View(), &progress);
    EXPECT_EQ(h.red[1], 2u);
    EXPECT_EQ(h.red[7], 1u);
    EXPECT_EQ(h.green[2], 2u);
    EXPECT_EQ(h.green[5], 1u);
    EXPECT_EQ(h.blue[3], 3u);
    EXPECT_EQ(h.blue[255], 1u);
    EXPECT_EQ(h.red[255] + h.green[255], 2u);
    EXPECT_EQ(LargestCount(h), 3u);
    EXPECT_EQ(progress.max, 1);
    EXPECT_EQ(progress.positions, (std::vector<int>{0, 1, 0}));
}

TEST(CountLuminance, CountsEachPixelsLuminance) {
    const Bitmap24 picture = PictureOf({{colors::kRed, colors::kGreen, colors::kBlue, colors::kRed}});
    const LevelCounts counts = CountLuminance(picture.View());
    EXPECT_EQ(counts[76], 2u);
    EXPECT_EQ(counts[150], 1u);
    EXPECT_EQ(counts[29], 1u);
    std::uint32_t total = 0;
    for (const std::uint32_t c : counts) total += c;
    EXPECT_EQ(total, 4u);
}

TEST(HistogramCurve, ScaleFirstThenRoundHalvesToEven) {
    LevelCounts counts{};
    counts[0] = 284;
    counts[1] = 1;    // 0.5 -> 0
    counts[2] = 3;    // 1.5 -> 2
    counts[3] = 5;    // 2.5 -> 2
    counts[4] = 142;  // 71
    const std::array<int, 256> curve = HistogramCurve(counts, 284);
    EXPECT_EQ(curve[0], 0);
    EXPECT_EQ(curve[1], 142);
    EXPECT_EQ(curve[2], 140);
    EXPECT_EQ(curve[3], 140);
    EXPECT_EQ(curve[4], 71);
    EXPECT_EQ(curve[5], 142);
    // 142 / 68 * 51 lands a hair above 106.5 in extended precision, so it
    // rounds up, where 142 * 51 / 68 = 106.5 exactly would go to 106.
    LevelCounts one{};
    one[9] = 51;
    EXPECT_EQ(HistogramCurve(one, 68)[9], 142 - 107);
}

TEST(HistogramCurve, EmptyHistogramLiesOnTheBaseLine) {
    const std::array<int, 256> curve = HistogramCurve(LevelCounts{}, 0);
    EXPECT_TRUE(std::all_of(curve.begin(), curve.end(), [](int y) { return y == 142; }));
}

TEST(HistogramCurve, OneColourGivesASpikeToTheTop) {
    const Bitmap24 picture = Uniform(7, 3, Rgb(10, 20, 30));
    const ChannelHistogram h = CountChannels(picture.View());
    const std::uint32_t largest = LargestCount(h);
    EXPECT_EQ(largest, 21u);
    const std::array<int, 256> red = HistogramCurve(h.red, largest);
    EXPECT_EQ(red[10], 0);
    EXPECT_EQ(red[11], 142);
}

// 16 x 16 greys 100..115, sixteen pixels each: N = 256, level 100 + k holds
// places 16k .. 16k + 15, middle 16k + 8, output (32k + 16) * 255 div 512
// = 16k + 7. A grey times n / L is the grey n.
Bitmap24 NarrowGreys() {
    Bitmap24 picture(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const auto v = static_cast<std::uint8_t>(100 + (x + y) % 16);
            picture.SetPixel(x, y, Rgb(v, v, v));
        }
    }
    return picture;
}

TEST(Equalize, SpreadsCrowdedGreysOverTheWholeRange) {
    const Bitmap24 original = NarrowGreys();
    Bitmap24 picture = original;
    Equalize(picture.View());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int k = RedOf(original.Pixel(x, y)) - 100;
            const auto n = static_cast<std::uint8_t>(16 * k + 7);
            ASSERT_EQ(picture.Pixel(x, y), Rgb(n, n, n)) << k;
        }
    }
}

double LuminanceVariance(const LevelCounts& counts) {
    double n = 0, sum = 0, squares = 0;
    for (int l = 0; l < 256; ++l) {
        n += counts[l];
        sum += double(counts[l]) * l;
        squares += double(counts[l]) * l * l;
    }
    return squares / n - (sum / n) * (sum / n);
}

int OccupiedRange(const LevelCounts& counts) {
    int lo = 0, hi = 255;
    while (counts[lo] == 0) ++lo;
    while (counts[hi] == 0) --hi;
    return hi - lo;
}

// Colourful pixels whose luminance stays within 90..130.
Bitmap24 DullColours() {
    Bitmap24 picture(120, 80);
    std::uint32_t state = 99;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            Color c;
            do {
                state = state * 1664525u + 1013904223u;
                c = Rgb(static_cast<std::uint8_t>(state >> 8), static_cast<std::uint8_t>(state >> 16),
                        static_cast<std::uint8_t>(state >> 24));
            } while (Luminance(c) < 90 || Luminance(c) > 130);
            picture.SetPixel(x, y, c);
        }
    }
    return picture;
}

// Measure: the luminance histogram's occupied range and variance grow, and
// its largest level count does not grow.
TEST(Equalize, WidensANarrowLuminanceHistogramAndKeepsHues) {
    const Bitmap24 original = DullColours();
    Bitmap24 picture = original;
    ProgressRecord progress;
    Equalize(picture.View(), &progress);
    EXPECT_EQ(progress.max, 119);
    EXPECT_EQ(progress.positions.back(), 0);
    EXPECT_EQ(progress.positions[progress.positions.size() - 2], 119);

    const LevelCounts before = CountLuminance(original.View());
    const LevelCounts after = CountLuminance(picture.View());
    EXPECT_EQ(OccupiedRange(before), 40);
    EXPECT_GT(OccupiedRange(after), 200);
    EXPECT_GT(LuminanceVariance(after), 10 * LuminanceVariance(before));
    EXPECT_LE(*std::max_element(after.begin(), after.end()), *std::max_element(before.begin(), before.end()));

    // One factor f per pixel: c' = f c + e with |e| <= 1/2, so
    // |c'_i c_j - c'_j c_i| <= (c_i + c_j) / 2 wherever nothing was limited.
    int checked = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            const RgbParts a = SplitColor(original.Pixel(x, y));
            const RgbParts b = SplitColor(picture.Pixel(x, y));
            if (b.r == 255 || b.g == 255 || b.b == 255) continue;
            ++checked;
            const int in[3] = {a.r, a.g, a.b}, out[3] = {b.r, b.g, b.b};
            for (int i = 0; i < 3; ++i) {
                for (int j = i + 1; j < 3; ++j) {
                    ASSERT_LE(2 * std::abs(out[i] * in[j] - out[j] * in[i]), in[i] + in[j]) << x << ", " << y;
                }
            }
        }
    }
    EXPECT_GT(checked, 5000);
}

TEST(Equalize, UniformPicturesGoToTheMiddleLevel) {
    // One level: its middle place is N / 2, output 255 div 2 = 127.
    Bitmap24 grey = Uniform(10, 10, Rgb(100, 100, 100));
    Equalize(grey.View());
    EXPECT_EQ(grey, Uniform(10, 10, Rgb(127, 127, 127)));
    // L 62 (61.53): 100 * 127 / 62 = 204.8, 50 * 127 / 62 = 102.4,
    // 20 * 127 / 62 = 40.97.
    Bitmap24 brown = Uniform(5, 5, Rgb(100, 50, 20));
    Equalize(brown.View());
    EXPECT_EQ(brown, Uniform(5, 5, Rgb(205, 102, 41)));
    // 255 * 127 / 76 passes 255.
    Bitmap24 red = Uniform(3, 3, colors::kRed);
    Equalize(red.View());
    EXPECT_EQ(red, Uniform(3, 3, colors::kRed));
    Bitmap24 empty(0, 0);
    Equalize(empty.View());
}

TEST(Equalize, BlackBecomesTheGreyOfItsLevelAndResultsRepeat) {
    // Black holds place 0 of 2: 1 * 255 div 4 = 63; white 3 * 255 div 4 = 191.
    Bitmap24 picture = PictureOf({{colors::kBlack, colors::kWhite}});
    Equalize(picture.View());
    EXPECT_EQ(picture, PictureOf({{Rgb(63, 63, 63), Rgb(191, 191, 191)}}));

    Bitmap24 first = DullColours(), second = DullColours();
    Equalize(first.View());
    Equalize(second.View());
    EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace kelbo
