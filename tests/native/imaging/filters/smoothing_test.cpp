#include <gtest/gtest.h>

#include "core/rounding.h"
#include "filter_pictures.h"
#include "imaging/filters/filters.h"

namespace kelbo {
namespace {

using testing::ChannelRows;
using testing::GreyPicture;
using testing::RandomPicture;
using Rows = std::vector<std::vector<int>>;

TEST(SmoothingFilters, OnePixelWidePicturesAndUniformPicturesStayAsTheyAre) {
    const Bitmap24 column = RandomPicture(1, 9, 7);
    for (int radius : {1, 2, 5, 30}) {
        EXPECT_EQ(Average(column.View(), radius), column) << radius;
        EXPECT_EQ(Median(column.View(), radius), column) << radius;
    }
    const Bitmap24 uniform(13, 7, Rgb(17, 200, 99));
    EXPECT_EQ(Average(uniform.View(), 5), uniform);
    EXPECT_EQ(Average(uniform.View(), 100), uniform);
    EXPECT_EQ(GaussianSmooth(uniform.View()), uniform);
    EXPECT_EQ(Median(uniform.View(), 5), uniform);
}

TEST(Average, ClippedWindowsAndDroppedRemainders) {
    // Radius 1: windows {0,10}, {0,10,20}, {10,20,30}, {20,30,100}, {30,100}.
    EXPECT_EQ(ChannelRows(Average(GreyPicture({{0, 10, 20, 30, 100}}).View(), 1)), (Rows{{5, 10, 20, 50, 65}}));
    // 3 div 2 = 1, and a radius beyond the width averages the whole row: 7 div 3.
    EXPECT_EQ(ChannelRows(Average(GreyPicture({{1, 2}}).View(), 1)), (Rows{{1, 1}}));
    EXPECT_EQ(ChannelRows(Average(GreyPicture({{0, 2, 5}}).View(), 1000)), (Rows{{2, 2, 2}}));
}

TEST(Average, ChannelsAreAveragedSeparately) {
    Bitmap24 picture(2, 1);
    picture.SetPixel(0, 0, Rgb(255, 0, 10));
    picture.SetPixel(1, 0, Rgb(0, 255, 13));
    const Bitmap24 result = Average(picture.View(), 3);
    EXPECT_EQ(result.Pixel(0, 0), Rgb(127, 127, 11));
    EXPECT_EQ(result.Pixel(1, 0), Rgb(127, 127, 11));
}

TEST(Average, RadiusZeroOrBelowCopies) {
    const Bitmap24 picture = RandomPicture(8, 3, 1);
    EXPECT_EQ(Average(picture.View(), 0), picture);
    EXPECT_EQ(Average(picture.View(), -4), picture);
}

// The running sums and the division by multiplication against the plain
// per-window sum and division.
TEST(Average, RunningSumsMatchWindowSums) {
    for (int width : {1, 2, 3, 11, 12, 40, 257}) {
        const Bitmap24 picture = RandomPicture(width, 3, static_cast<unsigned>(width));
        for (int radius : {1, 2, 5, 15, 30, 200}) {
            const Bitmap24 result = Average(picture.View(), radius);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x) {
                    const int first = std::max(0, x - radius);
                    const int last = std::min(width - 1, x + radius);
                    for (int c = 0; c < 3; ++c) {
                        int sum = 0;
                        for (int i = first; i <= last; ++i) sum += picture.Row(y)[3 * i + c];
                        ASSERT_EQ(result.Row(y)[3 * x + c], sum / (last - first + 1))
                            << width << " " << radius << " " << x;
                    }
                }
            }
        }
    }
}

TEST(GaussianSmooth, OneWhitePixelInsideBlack) {
    const Rows result = ChannelRows(GaussianSmooth(
        GreyPicture({{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 255, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}).View()));
    // 63.75, 31.875 and 15.9375.
    EXPECT_EQ(result,
              (Rows{{0, 0, 0, 0, 0}, {0, 16, 32, 16, 0}, {0, 32, 64, 32, 0}, {0, 16, 32, 16, 0}, {0, 0, 0, 0, 0}}));
}

TEST(GaussianSmooth, CornerCentreTakesTheMissingWeights) {
    // At (0, 0) two sides (2/16 each) and one diagonal (1/16) are inside, so
    // the centre weighs 11/16: 255 * 11/16 = 175.3125.
    EXPECT_EQ(ChannelRows(GaussianSmooth(GreyPicture({{255, 0, 0}, {0, 0, 0}, {0, 0, 0}}).View())),
              (Rows{{175, 32, 0}, {32, 16, 0}, {0, 0, 0}}));
    // Exact halves go to the even neighbour: 24 * 11/16 = 16.5 -> 16, 24/16 = 1.5 -> 2.
    EXPECT_EQ(ChannelRows(GaussianSmooth(GreyPicture({{24, 0, 0}, {0, 0, 0}, {0, 0, 0}}).View())),
              (Rows{{16, 3, 0}, {3, 2, 0}, {0, 0, 0}}));
    // Top edge middle: five neighbours weigh 8/16, the centre 8/16: 9 / 2 = 4.5 -> 4, 11 / 2 -> 6.
    EXPECT_EQ(ChannelRows(GaussianSmooth(GreyPicture({{0, 9, 0}, {0, 0, 0}}).View()))[0][1], 4);
    EXPECT_EQ(ChannelRows(GaussianSmooth(GreyPicture({{0, 11, 0}, {0, 0, 0}}).View()))[0][1], 6);
}

// The weighted sums in floating point, rounded, as the filter is defined;
// the filter itself works in sixteenths.
TEST(GaussianSmooth, EqualsTheFloatingPointDefinition) {
    for (const auto& [width, height] : {std::pair{1, 1}, {1, 4}, {4, 1}, {2, 2}, {3, 5}, {17, 9}}) {
        const Bitmap24 picture = RandomPicture(width, height, static_cast<unsigned>(width * 31 + height));
        const Bitmap24 result = GaussianSmooth(picture.View());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < 3; ++c) {
                    long double sum = 0;
                    long double centreWeight = 1;
                    for (int dy = -1; dy <= 1; ++dy) {
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int nx = x + dx, ny = y + dy;
                            if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
                            const long double weight = (dx == 0 || dy == 0) ? 0.125L : 0.0625L;
                            centreWeight -= weight;
                            sum += weight * picture.Row(ny)[3 * nx + c];
                        }
                    }
                    sum += centreWeight * picture.Row(y)[3 * x + c];
                    ASSERT_EQ(result.Row(y)[3 * x + c], Round(sum)) << width << "x" << height << " " << x << "," << y;
                }
            }
        }
    }
}

TEST(GaussianSmooth, OnePixelPictureIsItsOwnCentre) {
    const Bitmap24 dot(1, 1, Rgb(1, 2, 3));
    EXPECT_EQ(GaussianSmooth(dot.View()), dot);
}

TEST(SmoothingFilters, ProgressCountsRowsAndEndsAtZero) {
    const Bitmap24 picture = RandomPicture(6, 4, 3);
    for (int filter = 0; filter < 3; ++filter) {
        testing::RecordingProgress progress;
        if (filter == 0) Average(picture.View(), 2, &progress);
        if (filter == 1) GaussianSmooth(picture.View(), &progress);
        if (filter == 2) Median(picture.View(), 2, &progress);
        EXPECT_EQ(progress.max, 3);
        EXPECT_EQ(progress.positions, (std::vector<int>{0, 1, 2, 3, 0})) << filter;
    }
}

}  // namespace
}  // namespace kelbo
