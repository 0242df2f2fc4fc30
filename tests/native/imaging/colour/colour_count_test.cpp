#include "imaging/colour/colour_count.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "colour_test_support.h"

namespace kelbo {
namespace {

using testing::PictureOf;
using testing::ProgressRecord;
using testing::Uniform;
using testing::Varied;

constexpr ColourDepth kDepths[] = {ColourDepth::kBlackWhite,   ColourDepth::kTwoColours, ColourDepth::kSixteen,
                                   ColourDepth::kSixteenGreys, ColourDepth::k256,        ColourDepth::k256Greys,
                                   ColourDepth::kTrueColour};
constexpr ReductionMethod kMethods[] = {ReductionMethod::kRounding, ReductionMethod::kRandomDither,
                                        ReductionMethod::kFloydSteinberg};

Color Grey(int v) {
    const auto c = static_cast<std::uint8_t>(v);
    return Rgb(c, c, c);
}

TEST(ColourDepth, FormatOfEachDepth) {
    using F = PixelFormat;
    const F formats[] = {F::k1, F::k1, F::k4, F::k4, F::k8, F::k8, F::k24};
    for (std::size_t i = 0; i < std::size(kDepths); ++i) EXPECT_EQ(DepthFormat(kDepths[i]), formats[i]);
}

TEST(ReductionPalette, FixedTables) {
    const Bitmap24 picture = Varied();
    EXPECT_EQ(ReductionPalette(picture.View(), ColourDepth::kBlackWhite),
              (std::vector<Color>{colors::kBlack, colors::kWhite}));
    const std::vector<Color> sixteen = ReductionPalette(picture.View(), ColourDepth::kSixteen);
    ASSERT_EQ(sixteen.size(), 16u);
    EXPECT_EQ(sixteen[1], Rgb(128, 0, 0));
    EXPECT_EQ(sixteen[7], Rgb(192, 192, 192));
    EXPECT_EQ(sixteen[8], Rgb(128, 128, 128));
    EXPECT_EQ(sixteen[13], Rgb(255, 0, 255));
    EXPECT_EQ(sixteen[15], colors::kWhite);
    const std::vector<Color> greys16 = ReductionPalette(picture.View(), ColourDepth::kSixteenGreys);
    ASSERT_EQ(greys16.size(), 16u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(greys16[i], Grey(17 * i));
    const std::vector<Color> greys256 = ReductionPalette(picture.View(), ColourDepth::k256Greys);
    ASSERT_EQ(greys256.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(greys256[i], Grey(i));
    EXPECT_TRUE(ReductionPalette(picture.View(), ColourDepth::kTrueColour).empty());
}

TEST(ReductionPalette, TablesMadeForThePicture) {
    // Few colours: the picture's own, darkest first.
    const Bitmap24 two = PictureOf({{colors::kWhite, colors::kRed, colors::kRed}});
    EXPECT_EQ(ReductionPalette(two.View(), ColourDepth::kTwoColours),
              (std::vector<Color>{colors::kRed, colors::kWhite}));
    EXPECT_EQ(ReductionPalette(two.View(), ColourDepth::k256), (std::vector<Color>{colors::kRed, colors::kWhite}));
    // Blue spreads widest (0..200); half the pixels lie at 0 and below, so
    // the cut is there: means (10, 20, 0) and (12, 20, 150).
    const Bitmap24 three = PictureOf({{Rgb(10, 20, 0), Rgb(10, 20, 100), Rgb(14, 20, 200), Rgb(10, 20, 0)}});
    EXPECT_EQ(ReductionPalette(three.View(), ColourDepth::kTwoColours),
              (std::vector<Color>{Rgb(10, 20, 0), Rgb(12, 20, 150)}));
    // Most pixels at the top of the widest channel: the cut moves below it.
    const Bitmap24 top = PictureOf({{Rgb(0, 0, 0), Rgb(0, 90, 0), Rgb(0, 200, 0), Rgb(0, 200, 0), Rgb(0, 200, 0)}});
    EXPECT_EQ(ReductionPalette(top.View(), ColourDepth::kTwoColours),
              (std::vector<Color>{Rgb(0, 45, 0), Rgb(0, 200, 0)}));
    EXPECT_EQ(ReductionPalette(Varied(100, 100).View(), ColourDepth::k256).size(), 256u);
}

bool AllInPalette(const Bitmap24& picture, const std::vector<Color>& palette) {
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (std::find(palette.begin(), palette.end(), picture.Pixel(x, y)) == palette.end()) return false;
        }
    }
    return true;
}

TEST(ReduceColours, EveryPixelTakesAPaletteColourForEveryDepthAndMethod) {
    const Bitmap24 original = Varied(61, 29);
    for (const ColourDepth depth : kDepths) {
        const std::vector<Color> palette = ReductionPalette(original.View(), depth);
        for (const ReductionMethod method : kMethods) {
            Bitmap24 picture = original;
            ProgressRecord progress;
            ReduceColours(picture.View(), palette, method, &progress, 7);
            if (palette.empty()) {
                EXPECT_EQ(picture, original);
                continue;
            }
            EXPECT_TRUE(AllInPalette(picture, palette)) << "depth " << int(depth) << " method " << int(method);
            EXPECT_EQ(progress.max, 28);
            EXPECT_EQ(progress.positions.back(), 0);
        }
    }
}

TEST(ReduceColours, RoundingTakesTheNearestColour) {
    // Sixteen greys 17 apart: 8 -> 0 (8 < 9), 9 -> 17, 25 -> 17 (8 < 9),
    // 26 -> 34, 250 -> 255; (0, 0, 30) lies 900 from grey 0 but
    // 289 * 2 + 169 = 747 from grey 17.
    Bitmap24 picture = PictureOf({{Grey(8), Grey(9), Grey(25), Grey(26), Grey(250), Rgb(0, 0, 30)}});
    ReduceColours(picture.View(), ReductionPalette(picture.View(), ColourDepth::kSixteenGreys),
                  ReductionMethod::kRounding);
    EXPECT_EQ(picture, PictureOf({{Grey(0), Grey(17), Grey(17), Grey(34), Grey(255), Grey(17)}}));
    // Equally near: the lower index wins.
    Bitmap24 tie = PictureOf({{Rgb(0, 0, 10)}});
    ReduceColours(tie.View(), {Rgb(0, 0, 20), Rgb(0, 0, 0)}, ReductionMethod::kRounding);
    EXPECT_EQ(tie.Pixel(0, 0), Rgb(0, 0, 20));
}

TEST(ReduceColours, FloydSteinbergOnMidGreyAlternates) {
    // 128: white, error -127 (7/16 right, 5/16 below, 1/16 below right);
    // 128 - 56 = 72: black, error 72; below: 128 - 26 = 102 black;
    // 128 + 59 = 187 white.
    Bitmap24 square = Uniform(2, 2, Grey(128));
    ReduceColours(square.View(), {colors::kBlack, colors::kWhite}, ReductionMethod::kFloydSteinberg);
    EXPECT_EQ(square, PictureOf({{colors::kWhite, colors::kBlack}, {colors::kBlack, colors::kWhite}}));
    // Along a row: 128 W, 72 B, 160 W, 86 B.
    Bitmap24 row = Uniform(4, 1, Grey(128));
    ReduceColours(row.View(), {colors::kBlack, colors::kWhite}, ReductionMethod::kFloydSteinberg);
    EXPECT_EQ(row, PictureOf({{colors::kWhite, colors::kBlack, colors::kWhite, colors::kBlack}}));

    Bitmap24 large = Uniform(64, 64, Grey(128));
    ReduceColours(large.View(), {colors::kBlack, colors::kWhite}, ReductionMethod::kFloydSteinberg);
    int white = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) white += large.Pixel(x, y) == colors::kWhite;
    }
    EXPECT_NEAR(white, 64 * 64 * 128 / 255, 64);
}

TEST(ReduceColours, RandomDitherRepeatsWithTheSeedAndFollowsTheGrey) {
    const Bitmap24 original = Uniform(100, 100, Grey(64));
    const std::vector<Color> bw{colors::kBlack, colors::kWhite};
    Bitmap24 a = original, b = original, c = original;
    ReduceColours(a.View(), bw, ReductionMethod::kRandomDither, nullptr, 5);
    ReduceColours(b.View(), bw, ReductionMethod::kRandomDither, nullptr, 5);
    ReduceColours(c.View(), bw, ReductionMethod::kRandomDither, nullptr, 6);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    // Noise of -127..128 on 64: white when 64 + noise >= 128, 65 in 256.
    int white = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) white += a.Pixel(x, y) == colors::kWhite;
    }
    EXPECT_NEAR(white, 2500, 200);
    // A palette of one colour has no spacing: no noise, no failure.
    Bitmap24 single = original;
    ReduceColours(single.View(), {colors::kRed}, ReductionMethod::kRandomDither);
    EXPECT_EQ(single, Uniform(100, 100, colors::kRed));
}

TEST(ReduceColours, EmptyPaletteOrPictureChangesNothing) {
    const Bitmap24 original = Varied();
    Bitmap24 picture = original;
    for (const ReductionMethod method : kMethods) ReduceColours(picture.View(), {}, method);
    EXPECT_EQ(picture, original);
    Bitmap24 empty(0, 3);
    ReduceColours(empty.View(), {colors::kBlack}, ReductionMethod::kFloydSteinberg);
}

TEST(CountColours, CountsDistinctColours) {
    EXPECT_EQ(CountColours(Bitmap24(0, 0).View()), 0u);
    EXPECT_EQ(CountColours(Uniform(30, 20, Rgb(1, 2, 3)).View()), 1u);
    EXPECT_EQ(CountColours(PictureOf({{Rgb(1, 2, 3), Rgb(3, 2, 1), Rgb(1, 2, 3)},
                                      {colors::kBlack, colors::kWhite, Rgb(3, 2, 1)}})
                               .View()),
              4u);
    Bitmap24 all(4096, 4096);
    for (int y = 0; y < 4096; ++y) {
        std::uint8_t* p = all.Row(y);
        for (int x = 0; x < 4096; ++x, p += 3) {
            const std::uint32_t v = std::uint32_t(y) * 4096 + std::uint32_t(x);
            p[0] = static_cast<std::uint8_t>(v);
            p[1] = static_cast<std::uint8_t>(v >> 8);
            p[2] = static_cast<std::uint8_t>(v >> 16);
        }
    }
    EXPECT_EQ(CountColours(all.View()), 16777216u);
}

}  // namespace
}  // namespace kelbo
