#include "test_card.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

TEST(TestCard, NoiseStaysWithinItsAmplitudeAndRepeats) {
    Bitmap24 plain(64, 48);
    DrawTestCard(plain.View());
    const int channels = 64 * 48 * 3;
    // Amplitude and the fewest channels it must change (clamping at 0 and 255
    // only ever shortens a change, so some stay).
    for (const auto& [amplitude, fewestChanged] :
         {std::pair{0, 0}, {1, channels / 2}, {24, channels * 3 / 4}, {255, channels * 3 / 4}}) {
        Bitmap24 noisy(64, 48), again(64, 48);
        DrawTestCard(noisy.View());
        DrawTestCard(again.View());
        AddTestCardNoise(noisy.View(), amplitude);
        AddTestCardNoise(again.View(), amplitude);
        EXPECT_TRUE(SamePixels(noisy.View(), again.View())) << amplitude;
        int changed = 0, widest = 0;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64 * 3; ++x) {
                const int d = std::abs(noisy.View().Row(y)[x] - plain.View().Row(y)[x]);
                changed += d != 0;
                widest = std::max(widest, d);
            }
        }
        EXPECT_LE(widest, amplitude) << amplitude;
        EXPECT_GE(changed, fewestChanged) << amplitude;
        EXPECT_EQ(changed == 0, amplitude == 0) << amplitude;
    }
}

}  // namespace
}  // namespace kelbo::cli
