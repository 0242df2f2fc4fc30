// The title panel's glyphs: the art that tools/art writes as resources and
// the panel draws itself.
#include "controls/layout/glyph_art.h"

#include <gtest/gtest.h>

namespace kelbo::controls {
namespace {

TEST(GlyphArt, EveryGlyphIsWellFormedAndKeysOnItsBottomLeftPixel) {
    for (const GlyphArt* art : kAllGlyphArt) {
        SCOPED_TRACE(std::string(art->name));
        ASSERT_EQ(art->height, 7);
        for (std::string_view row : art->rows) {
            ASSERT_EQ(static_cast<int>(row.size()), art->width);
            EXPECT_EQ(row.find_first_not_of("#."), std::string_view::npos);
        }
        // Speed buttons take the bottom-left pixel's colour as transparent.
        EXPECT_FALSE(GlyphPixelSet(*art, 0, art->height - 1));
        EXPECT_FALSE(GlyphPixelSet(*art, -1, 0));
        EXPECT_FALSE(GlyphPixelSet(*art, art->width, 0));
    }
    EXPECT_TRUE(GlyphPixelSet(kCrossArt, 0, 0));
    EXPECT_TRUE(GlyphPixelSet(kRollUpArt, 4, 1));
    EXPECT_FALSE(GlyphPixelSet(kRollDownArt, 4, 6));
}

}  // namespace
}  // namespace kelbo::controls
