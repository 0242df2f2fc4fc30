#include "app/glyphs.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelbo {
namespace {

std::vector<Glyph> AllGlyphs() {
    std::vector<Glyph> all;
    for (std::size_t i = 0; i < kGlyphCount; ++i) all.push_back(static_cast<Glyph>(i));
    return all;
}

int CountNonMask(const Bitmap24& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) != kGlyphMaskColor ? 1 : 0;
    }
    return n;
}

TEST(Glyphs, EachIsSixteenSquareWithMaskAndDrawing) {
    for (Glyph g : AllGlyphs()) {
        const Bitmap24 b = DrawGlyph(g);
        ASSERT_EQ(b.Width(), 16) << GlyphName(g);
        ASSERT_EQ(b.Height(), 16) << GlyphName(g);
        const int drawn = CountNonMask(b);
        EXPECT_GE(drawn, 10) << GlyphName(g);
        EXPECT_LT(drawn, 16 * 16) << GlyphName(g) << " leaves no transparent pixel";
    }
}

TEST(Glyphs, NoTwoAreAlike) {
    const std::vector<Glyph> all = AllGlyphs();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Bitmap24 a = DrawGlyph(all[i]);
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            EXPECT_FALSE(a == DrawGlyph(all[j])) << GlyphName(all[i]) << " = " << GlyphName(all[j]);
        }
    }
}

TEST(Glyphs, NamesAreDistinct) {
    std::set<std::string> names;
    for (Glyph g : AllGlyphs()) names.emplace(GlyphName(g));
    EXPECT_EQ(names.size(), kGlyphCount);
}

TEST(Glyphs, DrawingIsRepeatable) {
    for (Glyph g : AllGlyphs()) EXPECT_TRUE(DrawGlyph(g) == DrawGlyph(g)) << GlyphName(g);
}

TEST(Glyphs, ValueOutsideTheEnumThrows) {
    EXPECT_THROW(DrawGlyph(static_cast<Glyph>(kGlyphCount)), std::invalid_argument);
}

TEST(Glyphs, MaskIsFuchsia) { EXPECT_EQ(kGlyphMaskColor, Rgb(255, 0, 255)); }

TEST(Glyphs, ToolBarsListEveryGlyphOnceInEnumOrder) {
    std::vector<Glyph> bars;
    bars.insert(bars.end(), kToolBar1Glyphs.begin(), kToolBar1Glyphs.end());
    bars.insert(bars.end(), kToolBar2Glyphs.begin(), kToolBar2Glyphs.end());
    bars.insert(bars.end(), kToolBar4Glyphs.begin(), kToolBar4Glyphs.end());
    EXPECT_EQ(bars, AllGlyphs());
    EXPECT_EQ(kToolBar1Glyphs.front(), Glyph::kNew);
    EXPECT_EQ(kToolBar1Glyphs.back(), Glyph::kMaxim);
    EXPECT_EQ(kToolBar2Glyphs.front(), Glyph::kArrow);
    EXPECT_EQ(kToolBar2Glyphs.back(), Glyph::kText);
    EXPECT_EQ(kToolBar4Glyphs.front(), Glyph::kAdd);
    EXPECT_EQ(kToolBar4Glyphs.back(), Glyph::kSwap);
}

TEST(GlyphStrip, PlacesGlyphIAtSixteenTimesI) {
    const std::vector<Glyph> order = {Glyph::kSwap, Glyph::kNew, Glyph::kPen, Glyph::kNew};
    const Bitmap24 strip = GlyphStrip(order);
    ASSERT_EQ(strip.Width(), 16 * 4);
    ASSERT_EQ(strip.Height(), 16);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Bitmap24 part = Bitmap24::CopyOf(
            ConstPixelView(strip.Row(0) + 3 * 16 * i, 16, 16, static_cast<std::ptrdiff_t>(strip.Stride())));
        EXPECT_TRUE(part == DrawGlyph(order[i])) << i;
    }
}

TEST(GlyphStrip, WholeToolBar) {
    const Bitmap24 strip = GlyphStrip(kToolBar2Glyphs);
    ASSERT_EQ(strip.Width(), 16 * 9);
    const Bitmap24 text = DrawGlyph(Glyph::kText);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) ASSERT_EQ(strip.Pixel(16 * 8 + x, y), text.Pixel(x, y));
    }
}

TEST(GlyphStrip, EmptyListGivesEmptyBitmap) {
    const Bitmap24 strip = GlyphStrip({});
    EXPECT_TRUE(strip.Empty());
}

}  // namespace
}  // namespace kelbo
