#include "core/picture_fit.h"

#include <gtest/gtest.h>

namespace kelbo {
namespace {

TEST(FitWithin, KeepsTheProportionsToTheNearestPixel) {
    struct Case {
        int w, h, bw, bh;
        FitSize fit;
    };
    const Case cases[] = {
        {640, 480, 150, 130, {150, 113}},                                  // 112.5 rounds up
        {480, 640, 150, 130, {98, 130}},                                   // 97.5
        {300, 300, 150, 130, {130, 130}}, {100, 50, 150, 130, {100, 50}},  // fits: never enlarged
        {150, 130, 150, 130, {150, 130}}, {65535, 1, 150, 130, {150, 1}},  // never thinner than a pixel
        {1, 65535, 150, 130, {1, 130}},   {0, 10, 150, 130, {0, 0}},      {10, 10, 0, 130, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitWithin(c.w, c.h, c.bw, c.bh), c.fit) << c.w << " x " << c.h;
    }
}

TEST(ReduceToFit, EachPixelAveragesWhatItCovers) {
    Bitmap24 source(4, 2);
    const std::uint8_t reds[2][4] = {{0, 10, 200, 255}, {1, 2, 100, 0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) source.SetPixel(x, y, Rgb(reds[y][x], 40, 7));
    const Bitmap24 reduced = ReduceToFit(source.ConstView(), 2, 2);
    ASSERT_EQ(reduced.Width(), 2);
    ASSERT_EQ(reduced.Height(), 1);
    EXPECT_EQ(reduced.Pixel(0, 0), Rgb(3, 40, 7));    // 13 / 4 = 3.25
    EXPECT_EQ(reduced.Pixel(1, 0), Rgb(139, 40, 7));  // 555 / 4 = 138.75
}

TEST(ReduceToFit, UnevenSpansStillCoverEverySourcePixelOnce) {
    // 7 columns into 3: spans of 2, 2 and 3; a uniform picture stays uniform.
    const Bitmap24 reduced = ReduceToFit(Bitmap24(7, 7, Rgb(9, 99, 199)).ConstView(), 3, 3);
    EXPECT_EQ(reduced, Bitmap24(3, 3, Rgb(9, 99, 199)));
    Bitmap24 stripe(7, 1, Rgb(0, 0, 0));
    stripe.SetPixel(6, 0, Rgb(255, 255, 255));
    EXPECT_EQ(ReduceToFit(stripe.ConstView(), 3, 3).Pixel(2, 0), Rgb(85, 85, 85));
}

}  // namespace
}  // namespace kelbo
