#include "codecs/bmp_palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "core/luminance.h"

namespace kelbo {
namespace {

Bitmap24 PictureOf(const std::vector<std::vector<Color>>& rows) {
    Bitmap24 picture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) picture.SetPixel(x, y, rows[y][x]);
    }
    return picture;
}

std::uint32_t Distance(Color a, Color b) {
    const int dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
    return static_cast<std::uint32_t>(dr * dr + dg * dg + db * db);
}

std::uint8_t BruteNearest(const std::vector<Color>& palette, Color c) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < palette.size(); ++i) {
        if (Distance(palette[i], c) < Distance(palette[best], c)) best = i;
    }
    return static_cast<std::uint8_t>(best);
}

constexpr Color kA = Rgb(10, 20, 30);
constexpr Color kB = Rgb(200, 100, 50);
constexpr Color kC = Rgb(90, 90, 250);

TEST(BmpPalette, ThePreferredTableIsKeptWholeWhenItHoldsEveryColour) {
    const Bitmap24 picture = PictureOf({{kA, kB}, {kB, kB}});
    const std::vector<Color> preferred = {kC, kB, colors::kWhite, kA};  // unused entries too
    const BmpPaletteChoice choice = ChooseBmpPalette(picture.View(), 4, preferred);
    EXPECT_EQ(choice.colors, preferred);
    EXPECT_FALSE(choice.luminanceThreshold);
}

TEST(BmpPalette, APreferredTableMissingAColourOrTooLongIsNotUsed) {
    const Bitmap24 picture = PictureOf({{kB, kA, kC}});
    // The picture's own colours instead, darkest first: kA (18), kC (108), kB (124).
    const std::vector<Color> own = {kA, kC, kB};
    EXPECT_EQ(ChooseBmpPalette(picture.View(), 8, std::vector<Color>{kA, kB}).colors, own);
    std::vector<Color> longTable(17, kA);
    longTable[5] = kB;
    longTable[9] = kC;
    EXPECT_EQ(ChooseBmpPalette(picture.View(), 4, longTable).colors, own);
    EXPECT_EQ(Luminance(kA), 18);
    EXPECT_EQ(Luminance(kC), 108);
    EXPECT_EQ(Luminance(kB), 124);
}

TEST(BmpPalette, OneBitOfTwoColoursKeepsThem) {
    const Bitmap24 picture = PictureOf({{kB, kC, kC}});
    const BmpPaletteChoice choice = ChooseBmpPalette(picture.View(), 1);
    EXPECT_EQ(choice.colors, (std::vector<Color>{kC, kB}));
    EXPECT_FALSE(choice.luminanceThreshold);
}

TEST(BmpPalette, OneBitOfMoreColoursIsBlackAndWhiteByLuminance) {
    const Bitmap24 picture = PictureOf(
        {{colors::kGreen, colors::kBlue, Rgb(128, 128, 128), Rgb(127, 127, 127), colors::kRed}});
    const BmpPaletteChoice choice = ChooseBmpPalette(picture.View(), 1);
    EXPECT_EQ(choice.colors, (std::vector<Color>{colors::kBlack, colors::kWhite}));
    EXPECT_TRUE(choice.luminanceThreshold);
    BmpPaletteIndexer indexer(choice);
    std::uint8_t indices[5];
    indexer.IndexRow(picture.Row(0), 5, indices);
    // Green 150 and grey 128 are white; blue 29, grey 127 and red 76 are black,
    // although pure green is nearer to black than to white.
    EXPECT_EQ(std::vector<std::uint8_t>(indices, indices + 5), (std::vector<std::uint8_t>{1, 0, 1, 0, 0}));
}

TEST(BmpPalette, TooManyColoursGiveAFullMedianCutTable) {
    Bitmap24 picture(256, 256);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) picture.SetPixel(x, y, Rgb(x, y, 128));
    }
    const BmpPaletteChoice choice = ChooseBmpPalette(picture.View(), 8);
    ASSERT_EQ(choice.colors.size(), 256u);
    EXPECT_FALSE(choice.luminanceThreshold);
    BmpPaletteIndexer indexer(choice);
    int worst = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const Color c = choice.colors[indexer.IndexOf(x, y, 128)];
            worst = std::max({worst, std::abs(RedOf(c) - x), std::abs(GreenOf(c) - y), std::abs(BlueOf(c) - 128)});
        }
    }
    // 256 boxes of about 16 x 16 colours: nothing is more than a box away.
    EXPECT_LE(worst, 12);
}

// 320 colours in five cells of 4 x 4 x 4: five boxes, each entry its cell's
// exact mean, 4 x level + 1.5 rounded up.
TEST(BmpPalette, MedianCutEntriesAreTheMeansOfTheirPixels) {
    const int levels[5][3] = {{0, 0, 0}, {10, 20, 30}, {63, 1, 2}, {5, 63, 40}, {33, 44, 63}};
    Bitmap24 picture(64, 5);
    std::vector<Color> expected;
    for (int y = 0; y < 5; ++y) {
        const auto [r, g, b] = levels[y];
        for (int x = 0; x < 64; ++x)
            picture.SetPixel(x, y, Rgb(4 * r + (x & 3), 4 * g + (x >> 2 & 3), 4 * b + (x >> 4)));
        expected.push_back(Rgb(4 * r + 2, 4 * g + 2, 4 * b + 2));
    }
    std::vector<Color> colours = ChooseBmpPalette(picture.View(), 8).colors;
    std::sort(colours.begin(), colours.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(colours, expected);
}

TEST(BmpPalette, MedianCutFindsSixteenClusters) {
    std::mt19937 random(7);
    std::vector<Color> centres;
    for (int i = 0; i < 16; ++i) centres.push_back(Rgb(20 + (i % 4) * 70, 20 + (i / 4) * 70, (i * 37) % 200 + 20));
    Bitmap24 picture(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Color c = centres[(x / 16) + 4 * (y / 16)];
            const auto jitter = [&](int v) {
                return static_cast<std::uint8_t>(v + static_cast<int>(random() % 7) - 3);
            };
            picture.SetPixel(x, y, Rgb(jitter(RedOf(c)), jitter(GreenOf(c)), jitter(BlueOf(c))));
        }
    }
    const BmpPaletteChoice choice = ChooseBmpPalette(picture.View(), 4);
    ASSERT_EQ(choice.colors.size(), 16u);
    std::set<std::size_t> matched;
    for (const Color entry : choice.colors) {
        for (std::size_t i = 0; i < centres.size(); ++i) {
            if (Distance(entry, centres[i]) <= 3) matched.insert(i);
        }
    }
    EXPECT_EQ(matched.size(), 16u);
}

TEST(BmpPalette, IndexerFindsTheNearestEntryLowestIndexFirst) {
    std::mt19937 random(99);
    for (int round = 0; round < 20; ++round) {
        std::vector<Color> palette;
        const std::size_t size = 1 + random() % 256;
        for (std::size_t i = 0; i < size; ++i) palette.push_back(random() & 0xFFFFFF);
        if (size > 3) palette[size - 1] = palette[1];  // a duplicate: the first one wins
        BmpPaletteIndexer indexer(BmpPaletteChoice{palette, false});
        for (int i = 0; i < 3000; ++i) {
            const Color c = random() & 0xFFFFFF;
            ASSERT_EQ(indexer.IndexOf(RedOf(c), GreenOf(c), BlueOf(c)), BruteNearest(palette, c))
                << "round " << round << " colour " << c;
        }
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const Color c = palette[i];
            EXPECT_EQ(indexer.IndexOf(RedOf(c), GreenOf(c), BlueOf(c)), BruteNearest(palette, c));
        }
    }
}

TEST(BmpPalette, AnEntryThatTiesOnlyAtTheFarCornerOfACellStillWins) {
    // (15, 15, 15) is 675 away from both: 15^2 * 3 = 25^2 + 7^2 + 1^2.
    const std::vector<Color> palette = {Rgb(40, 22, 16), colors::kBlack};
    BmpPaletteIndexer indexer(BmpPaletteChoice{palette, false});
    EXPECT_EQ(indexer.IndexOf(15, 15, 15), 0);
    EXPECT_EQ(indexer.IndexOf(14, 15, 15), 1);
}

TEST(BmpPalette, BadArgumentsThrow) {
    const Bitmap24 picture(1, 1);
    EXPECT_THROW(ChooseBmpPalette(picture.View(), 2), std::invalid_argument);
    EXPECT_THROW(BmpPaletteIndexer(BmpPaletteChoice{}), std::invalid_argument);
    EXPECT_THROW(BmpPaletteIndexer(BmpPaletteChoice{{kA}, true}), std::invalid_argument);
}

}  // namespace
}  // namespace kelbo
