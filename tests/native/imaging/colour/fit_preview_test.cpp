#include "imaging/colour/fit_preview.h"

#include <gtest/gtest.h>

#include "colour_test_support.h"

namespace kelbo {
namespace {

using testing::Varied;

// Every pixel of `preview` outside the rectangle (x0, y0) of w x h is white.
void ExpectWhiteOutside(const Bitmap24& preview, int x0, int y0, int w, int h) {
    for (int y = 0; y < preview.Height(); ++y) {
        for (int x = 0; x < preview.Width(); ++x) {
            if (x >= x0 && x < x0 + w && y >= y0 && y < y0 + h) continue;
            ASSERT_EQ(preview.Pixel(x, y), colors::kWhite) << x << ", " << y;
        }
    }
}

TEST(FitPreview, SmallWidePictureIsDrawnUnscaledAtTheScaledOffsets) {
    // s = 144 / 10 = 14.4: ox = Trunc((144 - 144) / 2) = 0,
    // oy = Trunc((107 - 72) / 2) = 17.
    const Bitmap24 source = Varied(10, 5);
    const Bitmap24 preview = FitPreview(source.View(), kPreviewWidth, kPreviewHeight);
    ASSERT_EQ(preview.Width(), 144);
    ASSERT_EQ(preview.Height(), 107);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 10; ++x) ASSERT_EQ(preview.Pixel(x, 17 + y), source.Pixel(x, y));
    }
    ExpectWhiteOutside(preview, 0, 17, 10, 5);
}

TEST(FitPreview, SmallTallPictureUsesTheHeightScale) {
    // s = 107 / 8 = 13.375: ox = Trunc((144 - 53.5) / 2) = 45, oy = 0.
    const Bitmap24 source = Varied(4, 8);
    const Bitmap24 preview = FitPreview(source.View(), kPreviewWidth, kPreviewHeight);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 4; ++x) ASSERT_EQ(preview.Pixel(45 + x, y), source.Pixel(x, y));
    }
    ExpectWhiteOutside(preview, 45, 0, 4, 8);
}

TEST(FitPreview, LargePictureIsSampledByNearestNeighbour) {
    // s = 144 / 288 = 0.5: ox = 0, oy = Trunc((107 - 50) / 2) = 28; rows
    // j < 107 - 56 = 51 take source row 2j, the last (j = 50) clamped to 99.
    const Bitmap24 source = Varied(288, 100);
    const Bitmap24 preview = FitPreview(source.View(), kPreviewWidth, kPreviewHeight);
    for (int j = 0; j < 51; ++j) {
        for (int i = 0; i < 144; ++i) {
            ASSERT_EQ(preview.Pixel(i, 28 + j), source.Pixel(2 * i, std::min(2 * j, 99))) << i << ", " << j;
        }
    }
    ExpectWhiteOutside(preview, 0, 28, 144, 51);
}

TEST(FitPreview, SourceIndicesRoundHalvesToEvenAndStopAtTheLastPixel) {
    // s = 8 / 4 = 2; oy = Trunc((3 - 6) / 2) = -1, taken as 0. Not smaller in
    // both directions (3 = 3), so scaled: column i reads Round(i / 2).
    Bitmap24 source(4, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            source.SetPixel(x, y, Rgb(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 9));
    }
    const Bitmap24 preview = FitPreview(source.View(), 8, 3);
    const int columns[8] = {0, 0, 1, 2, 2, 2, 3, 3};  // 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, 3.5 -> 4 = past the end
    const int rows[3] = {0, 0, 1};                    // 0.5 -> 0
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(preview.Pixel(i, j), source.Pixel(columns[i], rows[j])) << i << ", " << j;
        }
    }
}

TEST(FitPreview, EmptySourceOrBoxGivesWhite) {
    const Bitmap24 preview = FitPreview(Bitmap24(0, 7).View(), 5, 4);
    EXPECT_EQ(preview, Bitmap24(5, 4, colors::kWhite));
    const Bitmap24 source = Varied(6, 6);
    EXPECT_TRUE(FitPreview(source.View(), 0, 10).Empty());
    EXPECT_TRUE(FitPreview(source.View(), -3, -3).Empty());
}

}  // namespace
}  // namespace kelbo
