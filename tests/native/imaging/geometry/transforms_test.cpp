#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "../filters/filter_pictures.h"
#include "browser/thumbnail.h"
#include "imaging/effects/effects.h"
#include "imaging/geometry/resize_fields.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {
namespace {

using testing::ChannelRows;
using testing::GreyPicture;
using testing::RandomPicture;
using Rows = std::vector<std::vector<int>>;

// A progress nobody watches, which still sends the operations down their
// progress path.
struct Quiet : Progress {
    void SetMax(int) noexcept override {}
    void SetPosition(int) noexcept override {}
};

TEST(Shear, FollowsItsStepsEvenWhereTheyLeaveTheLastRowEmpty) {
    const Bitmap24 picture = RandomPicture(100, 50, 5);
    const Bitmap24 plain = Shear(picture.View(), {0, 0, Rgb(7, 7, 7)});
    ASSERT_EQ(plain.Width(), 100);
    EXPECT_EQ(plain.Pixel(98, 48), picture.Pixel(98, 48));
    EXPECT_EQ(plain.Pixel(99, 10), Rgb(7, 7, 7));
    EXPECT_EQ(plain.Pixel(10, 49), Rgb(7, 7, 7));
    EXPECT_EQ(Shear(picture.View(), {50, 0}), Shear(picture.View(), {51, 0}));
    // 100 % along x: 150 × 50, ox = 50; row j holds old row j at columns
    // 50 - j ... 148 - j. Row 49 samples sy = 49, not below H - 1: all
    // background, whatever a description of the lean may suggest.
    const Bitmap24 leaning = Shear(picture.View(), {100, 0, colors::kBlack});
    ASSERT_EQ(leaning.Width(), 150);
    ASSERT_EQ(leaning.Height(), 50);
    for (const auto& [row, first] : {std::pair{0, 50}, {48, 2}}) {
        EXPECT_EQ(leaning.Pixel(first - 1, row), colors::kBlack);
        EXPECT_EQ(leaning.Pixel(first, row), picture.Pixel(0, row));
        EXPECT_EQ(leaning.Pixel(first + 98, row), picture.Pixel(98, row));
        EXPECT_EQ(leaning.Pixel(first + 99, row), colors::kBlack);
    }
    for (int x = 0; x < 150; ++x) EXPECT_EQ(leaning.Pixel(x, 49), colors::kBlack);
    // 30 %: pixel (1, 1) samples x = 0.3 exactly: 0.7 · 10 + 0.3 · 25 = 14.5, to even 14.
    const Bitmap24 small = GreyPicture({{0, 0, 0}, {10, 25, 0}, {0, 0, 0}});
    EXPECT_EQ(ChannelRows(Shear(small.View(), {30, 0}))[1][1], 14);
}

// The steps pixel by pixel, in hundredths of a pixel: each weight and sum
// exact, one rounding (to even) of the sum over 100 · 100.
Bitmap24 ShearByTheSteps(const Bitmap24& picture, int px, int py, Color background) {
    const std::int64_t kx = px == 50 ? 51 : px, ky = py == 50 ? 51 : py;
    const ResultBox box = ShearedBox({picture.Width(), picture.Height()}, {px, py, background});
    const std::int64_t ox = box.left + box.size.width - picture.Width();
    const std::int64_t oy = box.top + box.size.height - picture.Height();
    Bitmap24 result(box.size.width, box.size.height);
    for (int i = 0; i < box.size.width; ++i) {
        for (int j = 0; j < box.size.height; ++j) {
            const std::int64_t x = i - ox, y = j - oy, sx = 100 * x + kx * y, sy = 100 * y + ky * x;
            if (sx < 0 || sx >= 100 * (picture.Width() - 1) || sy < 0 || sy >= 100 * (picture.Height() - 1)) {
                result.SetPixel(i, j, background);
                continue;
            }
            const int c = static_cast<int>(sx / 100), r = static_cast<int>(sy / 100);
            const std::int64_t fx = sx % 100, fy = sy % 100;
            int channels[3];
            for (int ch = 0; ch < 3; ++ch) {
                const auto at = [&](int dx, int dy) { return std::int64_t{picture.Row(r + dy)[3 * (c + dx) + ch]}; };
                const std::int64_t sum = (100 - fx) * (100 - fy) * at(0, 0) + fx * (100 - fy) * at(1, 0) +
                                         (100 - fx) * fy * at(0, 1) + fx * fy * at(1, 1);
                std::int64_t q = sum / 10000;
                const std::int64_t rest = sum % 10000;
                if (rest > 5000 || (rest == 5000 && q % 2 == 1)) ++q;
                channels[ch] = static_cast<int>(q);
            }
            result.SetPixel(i, j,
                            Rgb(static_cast<std::uint8_t>(channels[2]), static_cast<std::uint8_t>(channels[1]),
                                static_cast<std::uint8_t>(channels[0])));
        }
    }
    return result;
}

// Column bands with progress, tiles on one thread and on several: the steps' pixels.
TEST(Shear, EveryWalkGivesThePixelsOfTheSteps) {
    std::mt19937 random(31);
    for (int n = 0; n < 30; ++n) {
        const int width = 1 + static_cast<int>(random() % 150), height = 1 + static_cast<int>(random() % 150);
        const int px = n == 0 ? 50 : static_cast<int>(random() % 120), py = static_cast<int>(random() % 3) * 40;
        const Bitmap24 picture = RandomPicture(width, height, random());
        testing::RecordingProgress progress;
        const Bitmap24 sheared = n % 3 == 0   ? Shear(picture.View(), {px, py, Rgb(1, 2, 3)}, &progress)
                                 : n % 3 == 1 ? Shear(picture.View(), {px, py, Rgb(1, 2, 3)})
                                              : Shear(picture.View(), {px, py, Rgb(1, 2, 3)}, nullptr, 2 + n % 3);
        EXPECT_EQ(sheared, ShearByTheSteps(picture, px, py, Rgb(1, 2, 3)))
            << width << "x" << height << " " << px << "/" << py << " walk " << n % 3;
    }
}

TEST(Resize, EachMethodOnPicturesWorkedByHand) {
    const Bitmap24 four = GreyPicture({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}});
    EXPECT_EQ(ChannelRows(Resize(four.View(), {2, 2}, ResizeMethod::kNearest)), (Rows{{1, 3}, {9, 11}}));
    EXPECT_EQ(ChannelRows(Resize(four.View(), {2, 2}, ResizeMethod::kBilinear)), (Rows{{1, 3}, {9, 11}}));
    // Enlarging: positions 0, .4, .8, 1.2, 1.6 round to 0, 0, 1, 1 and 2, limited to 1.
    const Bitmap24 pair = GreyPicture({{0, 255}});
    EXPECT_EQ(ChannelRows(Resize(pair.View(), {5, 1}, ResizeMethod::kNearest)), (Rows{{0, 0, 255, 255, 255}}));
    // Bilinear at 0, .5, 1, 1.5: 127.5 goes to 128; beyond the last column it repeats.
    EXPECT_EQ(ChannelRows(Resize(pair.View(), {4, 1}, ResizeMethod::kBilinear)), (Rows{{0, 128, 255, 255}}));
    // At (.5, .5): bilinear rounds 1.5 once to 2; linear rounds the rows to 0
    // and 2 first, then their mean 1.
    const Bitmap24 square = GreyPicture({{0, 1}, {2, 3}});
    EXPECT_EQ(ChannelRows(Resize(square.View(), {4, 4}, ResizeMethod::kBilinear))[1][1], 2);
    EXPECT_EQ(ChannelRows(Resize(square.View(), {4, 4}, ResizeMethod::kLinear))[1][1], 1);
    const Bitmap24 random = RandomPicture(37, 21, 9);
    for (const auto method : {ResizeMethod::kNearest, ResizeMethod::kLinear, ResizeMethod::kBilinear}) {
        EXPECT_EQ(Resize(random.View(), {37, 21}, method), random);
        EXPECT_THROW(Resize(random.View(), {0, 21}, method), std::invalid_argument);
    }
}

TEST(MirrorsAndBorders, ExchangeAndPlaceExactly) {
    const Bitmap24 rows = GreyPicture({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    Bitmap24 x = rows;
    MirrorX(x.View());
    EXPECT_EQ(ChannelRows(x), (Rows{{7, 8, 9}, {4, 5, 6}, {1, 2, 3}}));
    Bitmap24 y = rows;
    MirrorY(y.View());
    EXPECT_EQ(ChannelRows(y), (Rows{{3, 2, 1}, {6, 5, 4}, {9, 8, 7}}));
    const Bitmap24 random = RandomPicture(8, 5, 2);
    for (const auto mirror : {&MirrorX, &MirrorY}) {
        Bitmap24 twice = random;
        mirror(twice.View(), nullptr);
        mirror(twice.View(), nullptr);
        EXPECT_EQ(twice, random);
    }
    const Bitmap24 picture = RandomPicture(100, 50, 4);
    const Bitmap24 framed = AddBorders(picture.View(), {10, 20, 5, 0});
    ASSERT_EQ(framed.Width(), 130);
    ASSERT_EQ(framed.Height(), 55);
    EXPECT_EQ(framed.Pixel(10, 5), picture.Pixel(0, 0));
    EXPECT_EQ(framed.Pixel(109, 54), picture.Pixel(99, 49));
    EXPECT_EQ(framed.Pixel(9, 5), colors::kWhite);
    EXPECT_EQ(framed.Pixel(110, 54), colors::kWhite);
    EXPECT_EQ(framed.Pixel(10, 4), colors::kWhite);
    EXPECT_THROW(AddBorders(picture.View(), {-1, 0, 0, 0}), std::invalid_argument);
    EXPECT_THROW(AddBorders(picture.View(), {65500, 0, 0, 0}), BitmapSizeError);
}

// The rows without progress, on one thread or shared, against the walk of
// the progress path.
TEST(Resize, EveryWalkGivesThePixelsOfTheProgressPath) {
    Quiet quiet;
    const Bitmap24 random = RandomPicture(23, 17, 4);
    for (const Size size : {Size{46, 34}, {92, 68}, {35, 25}, {24, 18}, {11, 40}, {60, 9}, {1, 1}}) {
        for (const auto method : {ResizeMethod::kNearest, ResizeMethod::kLinear, ResizeMethod::kBilinear}) {
            Bitmap24 banded(size.width, size.height);
            Resize(random.View(), banded.View(), method, &quiet);
            for (const int threads : {1, 3, 64}) {
                EXPECT_EQ(Resize(random.View(), size, method, nullptr, threads), banded)
                    << size.width << "x" << size.height << " method " << static_cast<int>(method) << " on " << threads;
            }
        }
    }
    // 4 rows to 9: new rows 7 and 8 sample y = 28/9 and 32/9, both in the last
    // row's cell, whose lower neighbour is the last row itself.
    const Bitmap24 small = RandomPicture(5, 4, 6);
    for (const auto method : {ResizeMethod::kLinear, ResizeMethod::kBilinear}) {
        const Bitmap24 tall = Resize(small.View(), {5, 9}, method);
        for (int y : {7, 8})
            for (int x = 0; x < 5; ++x) EXPECT_EQ(tall.Pixel(x, y), small.Pixel(x, 3)) << x << "," << y;
    }
}

// Each operation's bands, of any height and on any number of threads, hold
// the rows of the whole result as the progress path makes it.
TEST(RowBands, HoldTheRowsOfTheWholeResult) {
    Quiet quiet;
    struct Case {
        const char* name;
        Size size;
        std::function<Bitmap24(ConstPixelView)> whole;
        std::function<void(ConstPixelView, RowBand, int)> band;
    };
    const Size picture{23, 17};
    const RotationOptions turn{37, 5, 9, Rgb(1, 2, 3)};
    const ShearOptions slant{30, 12, Rgb(4, 5, 6)};
    const EarthquakeOptions quake{10, 20, colors::kWhite};
    const WaveOptions wave{3, 4, 5, 6};
    std::vector<Case> cases = {
        {"rotate", RotatedBox(picture, turn).size, [&](ConstPixelView s) { return Rotate(s, turn, &quiet); },
         [&](ConstPixelView s, RowBand b, int t) { RotateRows(s, b, turn, t); }},
        {"shear", ShearedBox(picture, slant).size, [&](ConstPixelView s) { return Shear(s, slant, &quiet); },
         [&](ConstPixelView s, RowBand b, int t) { ShearRows(s, b, slant, t); }},
        {"earthquake", EarthquakeSize(picture, quake), [&](ConstPixelView s) { return Earthquake(s, quake, &quiet); },
         [&](ConstPixelView s, RowBand b, int t) { EarthquakeRows(s, b, quake, t); }},
        {"waves", picture, [&](ConstPixelView s) { return Waves(s, wave, &quiet); },
         [&](ConstPixelView s, RowBand b, int t) { WavesRows(s, b, wave, t); }},
    };
    for (const Size size : {Size{46, 34}, {11, 40}, {12, 8}}) {
        for (const auto method : {ResizeMethod::kNearest, ResizeMethod::kLinear, ResizeMethod::kBilinear}) {
            cases.push_back({"resize", size, [=, &quiet](ConstPixelView s) { return Resize(s, size, method, &quiet); },
                             [=](ConstPixelView s, RowBand b, int t) { ResizeRows(s, b, size, method, t); }});
        }
    }
    const Bitmap24 source = RandomPicture(picture.width, picture.height, 8);
    for (const Case& c : cases) {
        const Bitmap24 whole = c.whole(source.View());
        ASSERT_EQ(whole.Width(), c.size.width) << c.name;
        for (const int rows : {1, 5, 64}) {
            for (const int threads : {1, 3}) {
                Bitmap24 band(c.size.width, rows, Rgb(9, 9, 9));
                for (int top = 0; top < c.size.height; top += rows) {
                    const int here = std::min(rows, c.size.height - top);
                    c.band(source.View(), {PixelView(band.Row(0), c.size.width, here, band.Stride()), top}, threads);
                    for (int y = 0; y < here; ++y) {
                        ASSERT_EQ(std::memcmp(band.Row(y), whole.Row(top + y), 3 * c.size.width), 0)
                            << c.name << " row " << top + y << " in bands of " << rows << " on " << threads;
                    }
                }
            }
        }
        Bitmap24 past(c.size.width, 2);
        EXPECT_THROW(c.band(source.View(), {past.View(), c.size.height - 1}, 1), std::invalid_argument) << c.name;
        Bitmap24 narrow(c.size.width + 1, 1);
        EXPECT_THROW(c.band(source.View(), {narrow.View(), 0}, 1), std::invalid_argument) << c.name;
    }
}

TEST(ResizeFields, TypingOneFieldSetsTheLinkedOnes) {
    const Size vga{640, 480};
    const ResizeFields start = InitialResizeFields(vga);
    EXPECT_EQ(start, (ResizeFields{640, 480, 100, 100}));
    EXPECT_EQ(LinkResizeFields(start, ResizeField::kWidth, 320, vga, true), (ResizeFields{320, 240, 50, 50}));
    EXPECT_EQ(LinkResizeFields(start, ResizeField::kWidthPercent, 50, vga, false), (ResizeFields{320, 480, 50, 100}));
    // 480 · 100 div 640 = 75; height % 33 of 480 is 158, the width 158 · 640 / 480 = 210.67 -> 211.
    EXPECT_EQ(LinkResizeFields(start, ResizeField::kHeight, 480, vga, false), (ResizeFields{640, 480, 100, 100}));
    EXPECT_EQ(LinkResizeFields(start, ResizeField::kHeightPercent, 33, vga, true), (ResizeFields{211, 158, 32, 33}));
    // A height of 1 of 3 × 2 makes the width 1.5, to even 2.
    EXPECT_EQ(LinkResizeFields({3, 2, 100, 100}, ResizeField::kHeight, 1, {3, 2}, true), (ResizeFields{2, 1, 66, 50}));
    EXPECT_EQ(LinkResizeFields(start, ResizeField::kWidth, 5, {0, 480}, true), start);
}

TEST(Thumbnail, BoxesAndTheHalvesThatTheStoredRatiosDecide) {
    EXPECT_EQ(ThumbnailBox({160, 100}), (Size{80, 50}));
    EXPECT_EQ(ThumbnailBox({100, 160}), (Size{46, 75}));
    EXPECT_EQ(ThumbnailBox({0, 0}), (Size{75, 75}));
    // 2/3 held in 40 bits is a little above 2/3: x / kx for odd x falls just below the half.
    Bitmap24 wide(120, 60);
    for (int x = 0; x < 120; ++x) wide.SetPixel(x, 0, Rgb(static_cast<std::uint8_t>(x), 0, 0));
    const Bitmap24 thumbnail = MakeThumbnail(wide.View());
    ASSERT_EQ(thumbnail.Width(), 80);
    ASSERT_EQ(thumbnail.Height(), 40);
    for (const auto& [x, column] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 4}, {5, 7}, {79, 118}}) {
        EXPECT_EQ(RedOf(thumbnail.Pixel(x, 0)), column) << x;
    }
    // Smaller both ways: unscaled at the top left of a white box.
    const Bitmap24 tiny = RandomPicture(3, 2, 1);
    const Bitmap24 boxed = MakeThumbnail(tiny.View());
    ASSERT_EQ(boxed.Width(), 80);
    EXPECT_EQ(boxed.Pixel(2, 1), tiny.Pixel(2, 1));
    EXPECT_EQ(boxed.Pixel(3, 1), colors::kWhite);
    EXPECT_THROW(MakeThumbnail(Bitmap24(100, 1).View()), std::invalid_argument);
}

}  // namespace
}  // namespace kelbo
