// Where the GIF control draws, as plain arithmetic.
#include "controls/layout/gif_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelbo::controls {
namespace {

TEST(GifLayoutTest, PlainAndCentred) {
    EXPECT_EQ(GifPaintTargets(100, 80, 30, 20, {}), (std::vector<Rect>{{0, 0, 30, 20}}));
    GifPaintModes centre;
    centre.center = true;
    EXPECT_EQ(GifPaintTargets(100, 80, 30, 20, centre), (std::vector<Rect>{{35, 30, 30, 20}}));
    // A picture larger than the control is centred too, overhanging both sides.
    EXPECT_EQ(GifPaintTargets(10, 10, 31, 20, centre), (std::vector<Rect>{{-10, -5, 31, 20}}));
}

TEST(GifLayoutTest, StretchFillsTheControlOnlyWhenSizesDiffer) {
    GifPaintModes stretch;
    stretch.stretch = true;
    EXPECT_EQ(GifPaintTargets(100, 80, 30, 20, stretch), (std::vector<Rect>{{0, 0, 100, 80}}));
    stretch.stretchRatio = true;  // Stretch wins
    EXPECT_EQ(GifPaintTargets(100, 80, 30, 20, stretch), (std::vector<Rect>{{0, 0, 100, 80}}));
    stretch.center = true;
    EXPECT_EQ(GifPaintTargets(30, 20, 30, 20, stretch), (std::vector<Rect>{{0, 0, 30, 20}}));
}

TEST(GifLayoutTest, StretchRatioKeepsTheAspectAndCentres) {
    GifPaintModes ratio;
    ratio.stretchRatio = true;
    // Wide control: full height, centred across.
    EXPECT_EQ(GifPaintTargets(200, 100, 50, 50, ratio), (std::vector<Rect>{{50, 0, 100, 100}}));
    // Tall control: full width, centred down.
    EXPECT_EQ(GifPaintTargets(100, 300, 50, 50, ratio), (std::vector<Rect>{{0, 100, 100, 100}}));
    // An odd remainder halves to x.5, which rounds to even: 21 - 20 = 1
    // left over gives margin Round(0.5) = 0.
    EXPECT_EQ(GifPaintTargets(21, 20, 10, 10, ratio), (std::vector<Rect>{{0, 0, 21, 20}}));
    // Round(1.5) = 2.
    EXPECT_EQ(GifPaintTargets(23, 20, 10, 10, ratio), (std::vector<Rect>{{2, 0, 19, 20}}));
}

TEST(GifLayoutTest, TilesCoverTheControlFromTheCorner) {
    GifPaintModes tile;
    tile.tile = true;
    tile.center = true;  // tiling wins
    const std::vector<Rect> expected = {{0, 0, 10, 10},  {10, 0, 10, 10},  {20, 0, 10, 10},
                                        {0, 10, 10, 10}, {10, 10, 10, 10}, {20, 10, 10, 10}};
    EXPECT_EQ(GifPaintTargets(25, 15, 10, 10, tile), expected);
    EXPECT_TRUE(GifPaintTargets(25, 15, 0, 10, tile).empty());
}

TEST(GifLayoutTest, OpaqueOnlyWhenThePictureCoversTheControl) {
    GifPaintModes none, tile, stretch, ratio;
    tile.tile = true;
    stretch.stretch = true;
    ratio.stretchRatio = true;
    EXPECT_TRUE(GifPaintOpaque(20, 20, 20, 20, false, none));
    EXPECT_FALSE(GifPaintOpaque(21, 20, 20, 20, false, none));
    EXPECT_TRUE(GifPaintOpaque(100, 100, 20, 20, false, tile));
    EXPECT_TRUE(GifPaintOpaque(100, 100, 20, 20, false, stretch));
    EXPECT_FALSE(GifPaintOpaque(20, 20, 20, 20, false, ratio));
    EXPECT_FALSE(GifPaintOpaque(20, 20, 20, 20, true, tile));
}

TEST(GifLayoutTest, FrameInterval) {
    EXPECT_EQ(GifFrameInterval(0, 100), 50u);
    EXPECT_EQ(GifFrameInterval(0, 200), 25u);
    EXPECT_EQ(GifFrameInterval(40, 100), 50u);
    EXPECT_EQ(GifFrameInterval(120, 100), 120u);
    EXPECT_EQ(GifFrameInterval(120, 50), 240u);
    EXPECT_EQ(GifFrameInterval(0, 0), 5000u);    // speed below 1 counts as 1
    EXPECT_EQ(GifFrameInterval(0, 100000), 1u);  // never 0, which would stop the timer
}

// ---- Loading ---------------------------------------------------------------

}  // namespace
}  // namespace kelbo::controls
