#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/extended_precision.h"
#include "imaging/effects/effects.h"
#include "imaging/effects/raster.h"
#include "imaging/filters/filter_pictures.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {
namespace {

using testing::ChannelRows;
using testing::GreyPicture;
using testing::RandomPicture;

// The rows a shape covers, '#' drawn, '.' not, on a white picture.
std::vector<std::string> Drawn(const Bitmap24& picture) {
    std::vector<std::string> rows;
    for (int y = 0; y < picture.Height(); ++y) {
        std::string row;
        for (int x = 0; x < picture.Width(); ++x) row += picture.Pixel(x, y) == colors::kWhite ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

TEST(GdiRaster, DrawsThePlatformsPixels) {
    struct Case {
        const char* shape;
        int left, top, right, bottom;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"ellipse", 0, 0, 6, 6, {"..##..", ".####.", "######", "######", ".####.", "..##.."}},
        {"ellipse", 6, 6, 0, 0, {"..##..", ".####.", "######", "######", ".####.", "..##.."}},
        {"ellipse", 0, 0, 5, 6, {".###..", "#####.", "#####.", "#####.", "#####.", ".###.."}},
        {"ellipse", 0, 0, 3, 3, {".#....", "###...", ".#....", "......", "......", "......"}},
        {"ellipse", 1, 0, 3, 4, {".##...", ".##...", ".##...", ".##...", "......", "......"}},
        {"ellipse", 0, 0, 1, 1, {"......", "......", "......", "......", "......", "......"}},
        {"ellipse", -3, -3, 3, 3, {"###...", "##....", "#.....", "......", "......", "......"}},
        {"rectangle", 4, 4, 1, 2, {"......", "......", ".###..", ".###..", "......", "......"}},
        {"rectangle", 1, 1, 2, 2, {"......", "......", "......", "......", "......", "......"}},
        {"line", 4, 1, 0, 1, {"......", ".####.", "......", "......", "......", "......"}},
        {"line", 2, 3, 2, 9, {"......", "......", "......", "..#...", "..#...", "..#..."}},
    };
    for (const Case& c : cases) {
        Bitmap24 picture(6, 6, colors::kWhite);
        const std::string shape = c.shape;
        if (shape == "ellipse") FillGdiEllipse(picture.View(), c.left, c.top, c.right, c.bottom, colors::kRed);
        if (shape == "rectangle") FillGdiRectangle(picture.View(), c.left, c.top, c.right, c.bottom, colors::kRed);
        if (shape == "line") DrawGdiLine(picture.View(), {c.left, c.top}, {c.right, c.bottom}, colors::kRed);
        EXPECT_EQ(Drawn(picture), c.rows)
            << shape << " " << c.left << " " << c.top << " " << c.right << " " << c.bottom;
    }
    Bitmap24 picture(4, 1, Rgb(100, 100, 100));
    DrawGdiLine(picture.View(), {0, 0}, {4, 0}, Rgb(201, 0, 255), 64);  // (191·c + 64·100) / 255
    EXPECT_EQ(picture.Pixel(3, 0), Rgb(176, 25, 216));
}

TEST(ArtisticEffects, GiveTheFormulasValues) {
    // Emboss: grey 100 over the row (B, G, R) = (10, 20, 30), (40, 50, 60).
    Bitmap24 relief(2, 2);
    relief.SetPixel(0, 0, Rgb(100, 100, 100));
    relief.SetPixel(1, 0, Rgb(100, 100, 100));
    relief.SetPixel(0, 1, Rgb(30, 20, 10));
    relief.SetPixel(1, 1, Rgb(60, 50, 40));
    Emboss(relief.View());
    EXPECT_EQ(ChannelRows(relief), (std::vector<std::vector<int>>{{162, 151}, {123, 127}}));
    Bitmap24 red(5, 3, colors::kRed);  // (76 - 150 + 256) div 2 everywhere
    Emboss(red.View());
    EXPECT_EQ(red, Bitmap24(5, 3, Rgb(91, 91, 91)));

    Bitmap24 cells = GreyPicture({{0, 10, 20}, {30, 41, 50}});
    testing::RecordingProgress progress;
    Rectanglize(cells.View(), 2, 2, &progress);
    EXPECT_EQ(ChannelRows(cells), (std::vector<std::vector<int>>{{20, 20, 35}, {20, 20, 35}}));
    EXPECT_EQ(progress.max, 1);
    const Bitmap24 random = RandomPicture(7, 5, 3);
    Bitmap24 same = random;
    Rectanglize(same.View(), 1, 1);
    EXPECT_EQ(same, random);
    EXPECT_THROW(Rectanglize(same.View(), 0, 3), std::invalid_argument);

    // Shift and shrink 0: a 6 × 6 dot at each cell's corner, in the cell's mean.
    const Bitmap24 source = RandomPicture(12, 6, 4);
    const auto mean = [&](int x0) {
        int sum[3] = {};
        for (int y = 0; y < 6; ++y)
            for (int x = x0; x < x0 + 6; ++x)
                for (int ch = 0; ch < 3; ++ch) sum[ch] += source.Row(y)[3 * x + ch];
        return Rgb(static_cast<std::uint8_t>(sum[2] / 36), static_cast<std::uint8_t>(sum[1] / 36),
                   static_cast<std::uint8_t>(sum[0] / 36));
    };
    Bitmap24 dots(12, 6), strokes(12, 6);
    EffectRandom first(7), second(7);
    Pointillism(source.View(), dots.View(), {6, 0, 0}, first);
    Painting(source.View(), strokes.View(), {6, 0, 0, 0}, second);
    EXPECT_EQ(dots, strokes);
    EXPECT_EQ(dots.Pixel(2, 0), mean(0));
    EXPECT_EQ(dots.Pixel(0, 5), source.Pixel(0, 5));
    EXPECT_EQ(dots.Pixel(6, 3), mean(6));
    EXPECT_EQ(dots.Pixel(11, 0), source.Pixel(11, 0));
}

TEST(ArtisticEffects, SeedsFixTheRandomEffects) {
    EffectRandom random(1);
    EXPECT_EQ(random.Next(100), 3);  // (134775814 · 100) >> 32
    EXPECT_EQ(random.Next(0), 0);
    const Bitmap24 source = RandomPicture(40, 30, 5);
    Bitmap24 a(40, 30), b(40, 30), c(40, 30);
    EffectRandom r1(11), r2(11), r3(12);
    Painting(source.View(), a.View(), {}, r1);
    Painting(source.View(), b.View(), {}, r2);
    Painting(source.View(), c.View(), {}, r3);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(Mosaic, DrawsTilesAndRings) {
    const Color c = Rgb(200, 200, 200);
    MosaicOptions options;
    options.tileWidth = options.tileHeight = 4;
    Bitmap24 tile(6, 4, c), out(6, 4);
    Mosaic(tile.View(), out.View(), options);
    // Light (128) left and top, dark (80) right and bottom; the cut tile's mean is 200 · 8 / 16.
    EXPECT_EQ(ChannelRows(out), (std::vector<std::vector<int>>{{128, 128, 128, 80, 128, 128},
                                                               {128, 200, 200, 80, 128, 100},
                                                               {128, 200, 200, 80, 128, 100},
                                                               {128, 80, 80, 80, 128, 80}}));
    options.thickness = 2;
    Mosaic(tile.View(), out.View(), options);
    EXPECT_EQ(out.Pixel(2, 2), Rgb(167, 167, 167));  // ring 2: 80 + 175 div 2
    EXPECT_EQ(out.Pixel(1, 1), Rgb(191, 191, 191));  // 128 + 127 div 2
    options.thickness = 1;
    options.transparentFrame = true;
    options.transparency = 255;
    Mosaic(tile.View(), out.View(), options);
    EXPECT_EQ(out.Pixel(3, 1), c);
    options = {};
    options.tileWidth = options.tileHeight = 4;
    options.stretch = true;
    Bitmap24 wide = GreyPicture({{10, 10, 10, 10, 10, 250, 250, 250, 250, 250}}), stretched(10, 1);
    options.tileHeight = 2;
    Mosaic(wide.View(), stretched.View(), options);  // two tiles of 5: no frame pixel survives a 1-row tile
    EXPECT_EQ(stretched.Pixel(1, 0), Rgb(128, 128, 128));
    options.tileHeight = 4;
    Bitmap24 block(10, 8, colors::kBlack), blocks(10, 8);
    block.View().SetPixel(0, 0, Rgb(250, 250, 250));
    Mosaic(block.View(), blocks.View(), options);  // 2 × 2 tiles of 5 × 4: 250 div 20, not div 16
    EXPECT_EQ(blocks.Pixel(2, 1), Rgb(12, 12, 12));
    EXPECT_EQ(blocks.Pixel(4, 1), Rgb(80, 80, 80));
    options.tileHeight = 1;
    EXPECT_THROW(Mosaic(block.View(), blocks.View(), options), std::invalid_argument);
}

Color MeanColour(const std::uint64_t (&sum)[3], std::uint64_t area) {
    return Rgb(static_cast<std::uint8_t>(sum[2] / area), static_cast<std::uint8_t>(sum[1] / area),
               static_cast<std::uint8_t>(sum[0] / area));
}

// The straightforward forms: over a copy, with every mean taken from the
// untouched source.
Bitmap24 DotsOverACopy(const Bitmap24& source, int size, int shrink, int shift, int stroke, bool strokes,
                       EffectRandom random) {
    Bitmap24 out = source;
    for (int x = 0; x < source.Width(); x += size) {
        for (int y = 0; y < source.Height(); y += size) {
            std::uint64_t sum[3] = {0, 0, 0}, area = 0;
            for (int v = y; v < std::min(y + size, source.Height()); ++v)
                for (int u = x; u < std::min(x + size, source.Width()); ++u, ++area)
                    for (int c = 0; c < 3; ++c) sum[c] += source.Row(v)[3 * u + c];
            const Color mean = MeanColour(sum, area);
            const int dx = random.Next(shift), dy = random.Next(shift);
            const int sx = strokes ? 2 * random.Next(2) - 1 : 0, sy = strokes ? 2 * random.Next(2) - 1 : 0;
            const int count = strokes ? random.Next(stroke) + 1 : 1;
            for (int k = 0; k < count; ++k) {
                const int r1 = random.Next(shrink), r2 = random.Next(shrink);
                const int left = x + dx + k * sx, top = y + dy + k * sy;
                FillGdiEllipse(out.View(), left, top, left + 6 - r1, top + 6 - r2, mean);
            }
        }
    }
    return out;
}

Bitmap24 MosaicOverACopy(const Bitmap24& source, int tile, int thickness, int transparency) {
    Bitmap24 out = source;
    for (int x0 = 0; x0 < source.Width(); x0 += tile) {
        for (int y0 = 0; y0 < source.Height(); y0 += tile) {
            std::uint64_t sum[3] = {0, 0, 0};
            for (int v = y0; v < std::min(y0 + tile, source.Height()); ++v)
                for (int u = x0; u < std::min(x0 + tile, source.Width()); ++u)
                    for (int c = 0; c < 3; ++c) sum[c] += source.Row(v)[3 * u + c];
            const std::uint64_t area = static_cast<std::uint64_t>(tile) * tile;
            FillGdiRectangle(out.View(), x0, y0, x0 + tile - 1, y0 + tile - 1, MeanColour(sum, area));
            for (int l = 1; l <= thickness; ++l) {
                const int x1 = x0 + l - 1, x2 = x0 + tile - l, y1 = y0 + l - 1, y2 = y0 + tile - l;
                const auto grey = [](int g) { return Rgb(g, g, g); };
                const Color dark = grey(80 + (l - 1) * 175 / thickness), light = grey(128 + (l - 1) * 127 / thickness);
                DrawGdiLine(out.View(), {x2, y1}, {x2, y2}, dark, transparency);
                DrawGdiLine(out.View(), {x2, y2}, {x1, y2}, dark, transparency);
                DrawGdiLine(out.View(), {x1, y2}, {x1, y1}, light, transparency);
                DrawGdiLine(out.View(), {x1, y1}, {x2, y1}, light, transparency);
            }
        }
    }
    return out;
}

// Drawn over the picture itself, whose cells the dots, strokes and frames
// of earlier cells reach into, the effects give the pixels of the copy.
TEST(EffectsOverThePicture, GiveThePixelsOfDrawingOverACopy) {
    const struct { int width, height; } sizes[] = {{1, 1}, {1, 23}, {29, 1}, {57, 31}};
    std::mt19937 draw(3);
    for (const auto size : sizes) {
        const Bitmap24 source = RandomPicture(size.width, size.height, size.width + size.height);
        for (int round = 0; round < 12; ++round) {
            const int cell = 1 + static_cast<int>(draw() % 4), shrink = static_cast<int>(draw() % 9);
            const int shift = static_cast<int>(draw() % 21), stroke = static_cast<int>(draw() % 13);
            const auto seed = static_cast<std::uint32_t>(draw());
            SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height << " cell " << cell << " shrink "
                                              << shrink << " shift " << shift << " stroke " << stroke);
            Bitmap24 dots = source, strokes = source;
            EffectRandom first(seed), second(seed);
            Pointillism(dots.View(), {cell, shrink, shift}, first);
            EXPECT_EQ(dots, DotsOverACopy(source, cell, shrink, shift, 0, false, EffectRandom(seed)));
            Painting(strokes.View(), {cell, shrink, shift, stroke}, second);
            EXPECT_EQ(strokes, DotsOverACopy(source, cell, shrink, shift, stroke, true, EffectRandom(seed)));
            MosaicOptions tiles;
            const int side = 2 + round % 4;
            tiles.tileWidth = tiles.tileHeight = side;
            // Frames over twice a tile's side reach two tiles on, whose means
            // then show through a transparent frame.
            tiles.transparentFrame = round % 2 == 1;
            tiles.thickness = tiles.transparentFrame ? 2 * side + 1 + static_cast<int>(draw() % side)
                                                     : 1 + static_cast<int>(draw() % (2 * side));
            tiles.transparency = tiles.transparentFrame ? 1 + static_cast<int>(draw() % 254) : 0;
            Bitmap24 mosaic(size.width, size.height);
            Mosaic(source.View(), mosaic.View(), tiles);
            EXPECT_EQ(mosaic, MosaicOverACopy(source, tiles.tileWidth, tiles.thickness, tiles.transparency))
                << tiles.tileWidth << " " << tiles.thickness;
        }
    }
}

TEST(RoundPhoto, FadesBeyondTheInnerEllipse) {
    Bitmap24 picture(201, 101, Rgb(100, 100, 100));
    picture.SetPixel(100, 50, colors::kBlack);
    picture.SetPixel(110, 50, Rgb(255, 0, 7));
    RoundPhotoOptions options;
    options.centreX = 100;
    options.centreY = 50;
    options.innerY = 30;
    RoundPhoto(picture.View(), options);
    struct Expect {
        int x, y;
        Color colour;
    };
    for (const Expect& e : std::vector<Expect>{
             {100, 50, Rgb(1, 1, 1)},        // the centre, raised only
             {110, 50, Rgb(255, 1, 8)},      // inside: raised, 255 stays
             {150, 50, Rgb(100, 100, 100)},  // on the border
             {151, 50, Rgb(105, 105, 105)},  // 256 / 49 · 1 + 100
             {160, 50, Rgb(152, 152, 152)},  // 256 / 49 · 10
             {199, 50, colors::kWhite},      // 49 beyond: 256 added
             {130, 90, Rgb(161, 161, 161)},  // θ = arctan(40 / 30): r = √(30² + 24²)
             {100, 0, Rgb(204, 204, 204)},   // straight up, D 50: dx 0.001, r ≈ 30
         }) {
        EXPECT_EQ(picture.Pixel(e.x, e.y), e.colour) << e.x << ", " << e.y;
    }
    options.outerX = 51;
    EXPECT_THROW(RoundPhoto(picture.View(), options), std::invalid_argument);
}

TEST(RoundPhoto, EqualsTheFormulaInExtendedPrecision) {
    std::mt19937 random(9);
    for (int run = 0; run < 6; ++run) {
        const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        const Bitmap24 source = RandomPicture(90, 70, run);
        const RoundPhotoOptions o{pick(0, 40), pick(0, 40), 0, 0, pick(-5, 95), pick(-5, 75)};
        RoundPhotoOptions options = o;
        options.outerX = o.innerX + pick(2, 30);
        options.centreX = std::max(0, o.centreX);
        options.centreY = std::max(0, o.centreY);
        Bitmap24 faded = source;
        RoundPhoto(faded.View(), options, nullptr, 1 + run % 3);
        const ExtendedPrecisionScope scope;
        const long double k = 256.0L / (options.outerX - options.innerX - 1);
        for (int y = 0; y < 70; ++y) {
            for (int x = 0; x < 90; ++x) {
                std::uint8_t p[3] = {source.Row(y)[3 * x], source.Row(y)[3 * x + 1], source.Row(y)[3 * x + 2]};
                if (p[0] == 0 || p[1] == 0 || p[2] == 0)
                    for (std::uint8_t& c : p) c = c == 255 ? 255 : c + 1;
                long double dx = std::fabs(static_cast<long double>(options.centreX - x));
                if (dx == 0) dx = 0.001L;
                const long double theta = std::atan(std::fabs(static_cast<long double>(options.centreY - y)) / dx);
                const long double r = std::sqrt(std::pow(options.innerX * std::cos(theta), 2) +
                                                std::pow(options.innerY * std::sin(theta), 2));
                const long double d = std::hypot(static_cast<long double>(options.centreX - x),
                                                 static_cast<long double>(options.centreY - y));
                for (int ch = 0; ch < 3; ++ch) {
                    const int want = d > r ? std::min(255, static_cast<int>(std::nearbyint(k * (d - r) + p[ch])))
                                           : p[ch];
                    ASSERT_EQ(faded.Row(y)[3 * x + ch], want) << run << ": " << x << ", " << y;
                }
            }
        }
    }
}

TEST(Distortions, EarthquakeAndWaves) {
    const Bitmap24 source = RandomPicture(100, 50, 6);
    const Bitmap24 still = Earthquake(source.View(), {0, 0, colors::kBlack});
    ASSERT_EQ(still.Width(), 100);
    EXPECT_EQ(still.Pixel(98, 48), source.Pixel(98, 48));
    EXPECT_EQ(still.Pixel(99, 10), colors::kBlack);
    EXPECT_EQ(still.Pixel(10, 49), colors::kBlack);
    const Bitmap24 moved = Earthquake(source.View(), {10, 0, colors::kWhite});
    ASSERT_EQ((Size{moved.Width(), moved.Height()}), (Size{105, 50}));
    // (10, 20) samples (10 - 5 + 0.1 · 20, 20) = (7, 20) and blends with its own pixel.
    for (int ch = 0; ch < 3; ++ch)
        EXPECT_EQ(moved.Row(20)[30 + ch], (source.Row(20)[21 + ch] + source.Row(20)[30 + ch]) / 2);
    EXPECT_EQ(EarthquakeSize({100, 50}, {50, 0, 0}).width, 126);  // 50 acts as 51
    EXPECT_EQ(Earthquake(source.View(), {10, 20, colors::kWhite}, nullptr, 3),
              Earthquake(source.View(), {10, 20, colors::kWhite}));

    EXPECT_EQ(Waves(source.View(), {0, 0, 7, -3}), source);
    const WaveOptions options{4, -6, 9, 5};
    const Bitmap24 waves = Waves(source.View(), options, nullptr, 3);
    EXPECT_EQ(waves, Waves(source.View(), options));
    const ExtendedPrecisionScope scope;
    for (int y = 0; y < source.Height(); y += 7) {
        for (int x = 0; x < source.Width(); x += 3) {
            const long double u = std::clamp(x - std::sin(y / 9.0L) * 4, 0.0L, 99.0L);
            const long double v = std::clamp(y - std::sin(x / 5.0L) * -6, 0.0L, 49.0L);
            const int x0 = static_cast<int>(u), y0 = static_cast<int>(v);
            const long double fx = u - x0, fy = v - y0;
            const int x1 = std::min(x0 + 1, 99), y1 = std::min(y0 + 1, 49);
            for (int ch = 0; ch < 3; ++ch) {
                const long double sum = (1 - fx) * (1 - fy) * source.Row(y0)[3 * x0 + ch] +
                                        fx * (1 - fy) * source.Row(y0)[3 * x1 + ch] +
                                        (1 - fx) * fy * source.Row(y1)[3 * x0 + ch] +
                                        fx * fy * source.Row(y1)[3 * x1 + ch];
                ASSERT_EQ(waves.Row(y)[3 * x + ch], std::nearbyint(sum)) << x << ", " << y;
            }
        }
    }
    EXPECT_THROW(Waves(source.View(), {1, 1, 0, 1}), std::invalid_argument);
}

}  // namespace
}  // namespace kelbo
