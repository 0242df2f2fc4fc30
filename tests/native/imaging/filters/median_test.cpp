#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "filter_pictures.h"
#include "imaging/filters/filters.h"

namespace kelbo {
namespace {

using testing::RandomPicture;

// Pixels given as packed values B*65536 + G*256 + R.
Bitmap24 PackedRow(const std::vector<std::uint32_t>& values) {
    Bitmap24 picture(static_cast<int>(values.size()), 1);
    for (std::size_t x = 0; x < values.size(); ++x) picture.SetPixel(static_cast<int>(x), 0, values[x]);
    return picture;
}

std::vector<std::uint32_t> PackedValues(const Bitmap24& picture) {
    std::vector<std::uint32_t> values;
    for (int x = 0; x < picture.Width(); ++x) values.push_back(picture.Pixel(x, 0));
    return values;
}

TEST(Median, BlackPixelsCountLikeAnyValue) {
    // The full window (0, 0, 5) sorts to 0, 0, 5: the middle is 0; the
    // clipped (0, 5) at the right end gives its lower middle, 0 as well.
    EXPECT_EQ(PackedValues(Median(PackedRow({0, 0, 5}).View(), 1)), (std::vector<std::uint32_t>{0, 0, 0}));
    // (5, 0, 0) and (0, 7, 5): 0 and 5.
    EXPECT_EQ(PackedValues(Median(PackedRow({5, 0, 0, 7, 5}).View(), 1)), (std::vector<std::uint32_t>{0, 0, 0, 5, 5}));
}

TEST(Median, ClippedEvenWindowsTakeTheLowerMiddle) {
    // Radius 1: {40, 10} -> 10, {40, 10, 30} -> 30, {10, 30, 20} -> 20, {30, 20} -> 20.
    EXPECT_EQ(PackedValues(Median(PackedRow({40, 10, 30, 20}).View(), 1)),
              (std::vector<std::uint32_t>{10, 30, 20, 20}));
}

TEST(Median, OrdersByBlueThenGreenThenRedAndCopiesWholePixels) {
    const Color red = Rgb(255, 0, 0);      // 255
    const Color someGreen = Rgb(0, 1, 0);  // 256
    const Color someBlue = Rgb(0, 0, 1);   // 65536
    const Bitmap24 result = Median(PackedRow({red, someBlue, someGreen}).View(), 1);
    EXPECT_EQ(result.Pixel(1, 0), someGreen);
}

TEST(Median, RadiusZeroOrAboveFifteenCopies) {
    const Bitmap24 picture = RandomPicture(40, 2, 5);
    EXPECT_EQ(Median(picture.View(), 0), picture);
    EXPECT_EQ(Median(picture.View(), kMaxMedianRadius + 1), picture);
    EXPECT_EQ(Median(picture.View(), -1), picture);
    EXPECT_NE(Median(picture.View(), kMaxMedianRadius), picture);
}

// The sliding window against the plain definition: sort each window and
// take index (last - first) div 2.
TEST(Median, SlidingWindowEqualsSortingEachWindow) {
    std::vector<int> widths(40);
    std::iota(widths.begin(), widths.end(), 1);
    widths.insert(widths.end(), {100, 257});  // many columns of eight at a time
    for (const int width : widths) {
        for (int radius = 1; radius <= kMaxMedianRadius; ++radius) {
            // Few distinct values too, so that windows hold repeats.
            Bitmap24 picture = RandomPicture(width, 2, static_cast<unsigned>(width * 100 + radius));
            std::uint8_t* repeats = picture.Row(1);
            for (int i = 0; i < 3 * width; ++i) repeats[i] &= 0x01;
            const Bitmap24 result = Median(picture.View(), radius);
            for (int y = 0; y < 2; ++y) {
                for (int x = 0; x < width; ++x) {
                    std::vector<std::uint32_t> window;
                    for (int i = std::max(0, x - radius); i <= std::min(width - 1, x + radius); ++i) {
                        window.push_back(picture.Pixel(i, y));
                    }
                    std::sort(window.begin(), window.end());
                    ASSERT_EQ(result.Pixel(x, y), window[(window.size() - 1) / 2])
                        << "width " << width << " radius " << radius << " x " << x << " y " << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kelbo
