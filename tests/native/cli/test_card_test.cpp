#include "test_card.h"

#include <gtest/gtest.h>

#include <set>

namespace kelbo::cli {
namespace {

TEST(TestCard, CornersCarryTheirMarkColours) {
    for (const auto& [w, h] : {std::pair{2, 2}, {3, 2}, {2, 7}, {17, 5}, {64, 48}, {640, 480}}) {
        Bitmap24 card(w, h);
        DrawTestCard(card.View());
        EXPECT_EQ(card.Pixel(0, 0), kTestCardTopLeft) << w << "x" << h;
        EXPECT_EQ(card.Pixel(w - 1, 0), kTestCardTopRight) << w << "x" << h;
        EXPECT_EQ(card.Pixel(0, h - 1), kTestCardBottomLeft) << w << "x" << h;
        EXPECT_EQ(card.Pixel(w - 1, h - 1), kTestCardBottomRight) << w << "x" << h;
    }
}

TEST(TestCard, AnySmallSizeDrawsWithoutFailing) {
    for (int w = 0; w <= 24; ++w) {
        for (int h = 0; h <= 24; ++h) {
            Bitmap24 card(w, h);
            EXPECT_NO_THROW(DrawTestCard(card.View())) << w << "x" << h;
        }
    }
}

TEST(TestCard, FullSizeCardHasBarsRampAndManyColours) {
    Bitmap24 card(640, 480);
    DrawTestCard(card.View());
    // The circle (radius 206 around (320, 240)) starts at row 34; the bars fill
    // its top fifth across the middle 350 pixels, 8 bars of 43.75 pixels.
    const int barsY = 34 + 412 * 20 / 100;
    EXPECT_EQ(card.Pixel(170, barsY), Rgb(255, 255, 255));  // first bar
    EXPECT_EQ(card.Pixel(310, barsY), Rgb(0, 255, 0));      // fourth bar, left of centre
    EXPECT_EQ(card.Pixel(330, barsY), Rgb(255, 0, 255));    // fifth bar
    EXPECT_EQ(card.Pixel(470, barsY), Rgb(0, 0, 0));        // last bar
    // The grey ramp grows from left to right and is grey.
    const int rampY = 240 - 206 + 2 * 206 * 30 / 100;
    const Color left = card.Pixel(320 - 150, rampY);
    const Color right = card.Pixel(320 + 150, rampY);
    EXPECT_EQ(RedOf(left), BlueOf(left));
    EXPECT_LT(RedOf(left), RedOf(right));
    std::set<Color> colours;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) colours.insert(card.Pixel(x, y));
    }
    EXPECT_GT(colours.size(), 200u);
}

TEST(TestCard, DrawsIntoViewsOfAnyStride) {
    Bitmap24 card(40, 30);
    DrawTestCard(card.View());
    std::vector<std::uint8_t> memory(30 * 200, 0);
    const PixelView view(memory.data(), 40, 30, 200);
    DrawTestCard(view);
    EXPECT_TRUE(SamePixels(card.View(), view));
}

}  // namespace
}  // namespace kelbo::cli
