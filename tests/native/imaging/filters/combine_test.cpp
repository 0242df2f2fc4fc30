#include <gtest/gtest.h>

#include "core/luminance.h"
#include "filter_pictures.h"
#include "imaging/filters/combine.h"

namespace kelbo {
namespace {

using testing::RandomPicture;

TEST(Combine, AlphaMixAndTheMethodsOnTheirEdgeCases) {
    const Bitmap24 a = RandomPicture(30, 20, 1), b = RandomPicture(25, 28, 2);
    const Bitmap24 white(4, 4, colors::kWhite), black(4, 4, colors::kBlack);
    EXPECT_EQ(AlphaMix(a.View(), a.View(), 255), a);
    const Bitmap24 mixed = AlphaMix(a.View(), b.View(), 0);
    EXPECT_EQ(mixed.Width(), 25);
    EXPECT_EQ(mixed.Height(), 20);
    EXPECT_EQ(mixed.Pixel(24, 19), b.Pixel(24, 19));
    EXPECT_EQ(AlphaMix(white.View(), black.View(), 128).Pixel(1, 1), Rgb(128, 128, 128));
    EXPECT_EQ(AlphaMix(black.View(), white.View(), 128).Pixel(1, 1), Rgb(127, 127, 127));
    // 51/255 · 10 + 204/255 · 15 = 2 + 12 = 14 exactly; 1/255 · 255 + 0 = 1.
    EXPECT_EQ(AlphaMixChannel(10, 15, 51), 14);
    EXPECT_EQ(AlphaMixChannel(255, 0, 1), 1);
    EXPECT_EQ(AlphaSequence(5, 0, 255), (std::vector<int>{0, 51, 102, 153, 204}));
    EXPECT_EQ(AlphaSequence(3, 10, 11), (std::vector<int>{10, 10, 10}));
    EXPECT_THROW(AlphaSequence(0, 0, 255), std::invalid_argument);

    EXPECT_EQ(Combine(a.View(), a.View(), CombineMethod::kSubtract), Bitmap24(30, 20, colors::kBlack));
    EXPECT_EQ(Combine(a.View(), a.View(), CombineMethod::kDifference), Bitmap24(30, 20, colors::kBlack));
    EXPECT_EQ(Combine(white.View(), a.View(), CombineMethod::kAdd), white);
    const Bitmap24 one(1, 1, Rgb(200, 100, 7)), two(1, 1, Rgb(90, 150, 255));
    const struct {
        CombineMethod method;
        Color expected;
    } cases[] = {
        {CombineMethod::kAdd, Rgb(255, 250, 255)},           {CombineMethod::kSubtract, Rgb(110, 0, 0)},
        {CombineMethod::kDifference, Rgb(110, 50, 248)},     {CombineMethod::kAnd, Rgb(200 & 90, 100 & 150, 7)},
        {CombineMethod::kOr, Rgb(200 | 90, 100 | 150, 255)}, {CombineMethod::kAverage, Rgb(145, 125, 131)},
    };
    for (const auto& c : cases) EXPECT_EQ(Combine(one.View(), two.View(), c.method).Pixel(0, 0), c.expected);
    // Two different colours of equal luminance: darker takes the second, lighter the first.
    Color p = 0, q = 0;
    for (int r = 0; r < 256 && q == 0; ++r)
        if (r != 128 && Luminance(Rgb(r, 128, 0)) == Luminance(Rgb(128, 128, 0)))
            p = Rgb(128, 128, 0), q = Rgb(r, 128, 0);
    ASSERT_NE(q, 0u);
    const Bitmap24 pp(1, 1, p), qq(1, 1, q);
    EXPECT_EQ(Combine(pp.View(), qq.View(), CombineMethod::kDarker).Pixel(0, 0), q);
    EXPECT_EQ(Combine(pp.View(), qq.View(), CombineMethod::kLighter).Pixel(0, 0), p);
    EXPECT_EQ(Combine(one.View(), two.View(), CombineMethod::kDarker).Pixel(0, 0),
              Luminance(one.Pixel(0, 0)) < Luminance(two.Pixel(0, 0)) ? one.Pixel(0, 0) : two.Pixel(0, 0));
}

}  // namespace
}  // namespace kelbo
