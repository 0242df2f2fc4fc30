#include <gtest/gtest.h>

#include "filter_pictures.h"
#include "imaging/filters/filters.h"

namespace kelbo {
namespace {

using testing::ChannelRows;
using testing::GreyPicture;
using testing::RandomPicture;
using Rows = std::vector<std::vector<int>>;

TEST(RemoveNoise, StrengthZeroChangesNothing) {
    // Random bytes reach every Roberts measure, 255 in all channels included.
    const Bitmap24 picture = RandomPicture(61, 47, 11);
    EXPECT_EQ(RemoveNoise(picture.View(), NoiseMethod::kFrequency, 0), picture);
    EXPECT_EQ(RemoveNoise(picture.View(), NoiseMethod::kSpatial, 0), picture);
    EXPECT_EQ(RemoveNoise(picture.View(), NoiseMethod::kSpatial, -5), picture);
    Bitmap24 extreme(2, 2, colors::kBlack);
    extreme.SetPixel(1, 1, colors::kWhite);  // measure of (0,0): 255 in every channel
    EXPECT_EQ(RemoveNoise(extreme.View(), NoiseMethod::kFrequency, 0), extreme);
}

TEST(RemoveNoise, FrequencyMethodAveragesWhereTheMeasureExceedsTheLimit) {
    // (0,0): |200 - 0| + |0 - 8| = 208, mean (200 + 0 + 0 + 8) div 4 = 52.
    // (1,0) repeats the last column: |8 - 0| + |0 - 8| = 16, mean 16 div 4 = 4.
    // The last row compares equal pixels: 0.
    const Bitmap24 picture = GreyPicture({{200, 8}, {0, 0}});
    EXPECT_EQ(ChannelRows(RemoveNoise(picture.View(), NoiseMethod::kFrequency, 255)), (Rows{{52, 4}, {0, 0}}));
    // Limit 20 (position 235): 16 stays.
    EXPECT_EQ(ChannelRows(RemoveNoise(picture.View(), NoiseMethod::kFrequency, 235)), (Rows{{52, 8}, {0, 0}}));
}

TEST(RemoveNoise, FrequencyMeasureWeighsTheChannelsLikeLuminance) {
    // A red difference of 100 measures 29.9.
    Bitmap24 picture(2, 2, colors::kBlack);
    picture.SetPixel(0, 0, Rgb(100, 0, 0));
    EXPECT_EQ(RemoveNoise(picture.View(), NoiseMethod::kFrequency, 226).Pixel(0, 0), Rgb(25, 0, 0));
    EXPECT_EQ(RemoveNoise(picture.View(), NoiseMethod::kFrequency, 225).Pixel(0, 0), Rgb(100, 0, 0));
}

TEST(RemoveNoise, SpatialMethodRepeatsThePixelBeforeARun) {
    // One 30 x 30 block; mean grey (810 + 930) div 12 = 145. With limit 100
    // the two whites (110 away) and the black (145 away) of the first row are
    // replaced; the white starting the second row has nothing to its left
    // and stays.
    const Bitmap24 picture = GreyPicture({{90, 100, 255, 255, 110, 0}, {255, 135, 135, 135, 135, 135}});
    EXPECT_EQ(ChannelRows(RemoveNoise(picture.View(), NoiseMethod::kSpatial, 155)),
              (Rows{{90, 100, 100, 100, 110, 110}, {255, 135, 135, 135, 135, 135}}));
}

TEST(RemoveNoise, SpatialMeanAveragesPartialBlocksOverTheirOwnPixels) {
    // 31 columns: a full block of grey 100 and a block one pixel wide of 200.
    // The block means 100 and 200 give M = 150, every pixel 50 away.
    std::vector<int> row(31, 100);
    row[30] = 200;
    const Bitmap24 picture = GreyPicture({row, row});
    EXPECT_EQ(RemoveNoise(picture.View(), NoiseMethod::kSpatial, 205), picture);  // limit 50
    const Bitmap24 flattened = GreyPicture({std::vector<int>(31, 100), std::vector<int>(31, 100)});
    EXPECT_EQ(RemoveNoise(picture.View(), NoiseMethod::kSpatial, 206), flattened);  // limit 49
}

TEST(RemoveNoise, ProgressCountsColumns) {
    const Bitmap24 picture = RandomPicture(5, 3, 4);
    for (auto method : {NoiseMethod::kFrequency, NoiseMethod::kSpatial}) {
        testing::RecordingProgress progress;
        RemoveNoise(picture.View(), method, 100, &progress);
        EXPECT_EQ(progress.max, 4);
        EXPECT_EQ(progress.positions.back(), 0);
        EXPECT_EQ(progress.positions[progress.positions.size() - 2], 4);
    }
}

}  // namespace
}  // namespace kelbo
