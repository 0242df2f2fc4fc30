#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "../filters/filter_pictures.h"
#include "imaging/geometry/transforms.h"
#include "imaging/geometry/turn.h"

namespace kelbo {
namespace {

using testing::GreyPicture;
using testing::RandomPicture;

// The program's steps pixel by pixel, with nothing made faster.
Bitmap24 RotateStepByStep(const Bitmap24& source, const RotationOptions& o) {
    const ResultBox box = RotatedBox({source.Width(), source.Height()}, o);
    const TurnAngle angle = TurnAngleOf(o.angle);
    Bitmap24 result(box.size.width, box.size.height);
    for (int i = 0; i < box.size.width; ++i) {
        for (int j = 0; j < box.size.height; ++j) {
            const RealPoint s = TurnPoint(i + box.left, j + box.top, o.centreX, o.centreY, angle);
            const bool inside = s.x >= 0 && s.x < source.Width() - 1 && s.y >= 0 && s.y < source.Height() - 1;
            result.SetPixel(i, j, inside ? SampleCanvasBilinear(source.View(), s.x, s.y) : o.background);
        }
    }
    return result;
}

TEST(TurnAngle, MatchesTheExtendedPrecisionAngleToTheLastBits) {
    // cos and sin of r = fl(fl(A · π) · fl(1/180)) in 64-bit arithmetic, from a 300-bit computation.
    const struct {
        int degrees;
        long double cos, sin;
    } cases[] = {{90, 8.333742918520878328295864e-20L, 1.0L},
                 {180, -1.0L, 1.666748583704175665659173e-19L},
                 {270, 1.836685814385754237541052e-19L, -1.0L},
                 {45, 0.7071067811865475244303086L, 0.7071067811865475243713801L},
                 {30, 0.8660254037844386467685777L, 0.4999999999999999999915917L},
                 {32767, 0.9925461516413220382942631L, 0.1218693434051474541208888L}};
    for (const auto& c : cases) {
        const TurnAngle a = TurnAngleOf(c.degrees);
        EXPECT_NEAR(static_cast<double>((a.cos - c.cos) / (std::fabs(c.cos) * 0x1p-62L)), 0.0, 1.0) << c.degrees;
        EXPECT_NEAR(static_cast<double>((a.sin - c.sin) / (std::fabs(c.sin) * 0x1p-62L)), 0.0, 1.0) << c.degrees;
    }
}

TEST(Rotate, BoxesAndPixelsComputedByHand) {
    const Bitmap24 grid = RandomPicture(6, 4, 7);
    // 0°: W × H, the last column and row sample at W - 1 or H - 1: background.
    const Bitmap24 same = Rotate(grid.View(), {0, 3, 2, Rgb(1, 2, 3)});
    ASSERT_EQ(same.Width(), 6);
    ASSERT_EQ(same.Height(), 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(same.Pixel(x, y), x == 5 || y == 3 ? Rgb(1, 2, 3) : grid.Pixel(x, y)) << x << "," << y;
        }
    }
    // 90° about (3, 2): the box is x 1..5, y -1..5, so 4 × 6; pixel (i, j)
    // samples (6 - j, i): inside for j >= 2 and i <= 2, the top right region
    // of the old picture at the top left.
    const Bitmap24 turned = Rotate(grid.View(), {90, 3, 2, colors::kWhite});
    ASSERT_EQ(turned.Width(), 4);
    ASSERT_EQ(turned.Height(), 6);
    for (int j = 0; j < 6; ++j) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(turned.Pixel(i, j), j >= 2 && i <= 2 ? grid.Pixel(6 - j, i) : colors::kWhite) << i << "," << j;
        }
    }
    // 45° of 100 × 100 about (50, 50): corners 70.7 from the centre give 142 × 142;
    // the centre (71, 71) samples (50, 50) exactly; the corners are background.
    const Bitmap24 square = RandomPicture(100, 100, 3);
    const Bitmap24 diamond = Rotate(square.View(), {45, 50, 50, Rgb(9, 9, 9)});
    ASSERT_EQ(diamond.Width(), 142);
    ASSERT_EQ(diamond.Height(), 142);
    EXPECT_EQ(diamond.Pixel(71, 71), square.Pixel(50, 50));
    for (const auto& [x, y] : {std::pair{0, 0}, {141, 0}, {0, 141}, {141, 141}, {20, 20}}) {
        EXPECT_EQ(diamond.Pixel(x, y), Rgb(9, 9, 9));
    }
}

TEST(Rotate, MatchesTheStepByStepRotationAtEveryKindOfAngle) {
    // Right angles put samples on whole pixels and 30° and 60° on halves,
    // where only the long double steps decide; the others are generic.
    const int angles[] = {0, 90, 180, 270, -90, 360, 30, 60, 120, 45, -45, 1, 7, 359, 1000, -32768};
    for (const int angle : angles) {
        const Bitmap24 picture = RandomPicture(23 + angle % 5, 17, static_cast<unsigned>(angle + 40000));
        for (const auto& [cx, cy] : {std::pair{11, 8}, {0, 0}, {22, 16}, {40, 3}}) {
            const RotationOptions o{angle, cx, cy, Rgb(200, 100, 50)};
            EXPECT_EQ(Rotate(picture.View(), o), RotateStepByStep(picture, o)) << angle << " " << cx << "," << cy;
        }
    }
}

TEST(Rotate, MatchesTheStepByStepRotationAtRandomAnglesAndCentres) {
    std::mt19937 random(77);
    for (int n = 0; n < 40; ++n) {
        const int width = 2 + static_cast<int>(random() % 90);
        const int height = 2 + static_cast<int>(random() % 70);
        const Bitmap24 picture = RandomPicture(width, height, random());
        const RotationOptions o{static_cast<int>(random() % 720) - 360, static_cast<int>(random() % (width + 20)),
                                static_cast<int>(random() % (height + 20)), Rgb(7, 8, 9)};
        testing::RecordingProgress progress;  // the column-band walk; else tiles on 1 to 4 threads
        EXPECT_EQ(n % 2 ? Rotate(picture.View(), o, &progress) : Rotate(picture.View(), o, nullptr, 1 + n % 4),
                  RotateStepByStep(picture, o))
            << o.angle << " " << o.centreX << "," << o.centreY << " " << width << "x" << height;
    }
}

TEST(Rotate, SamplerWeighsTheFourNeighbours) {
    const Bitmap24 p = GreyPicture({{0, 100}, {200, 255}});
    // (0.25, 0.5): .375·0 + .125·100 + .375·200 + .125·255 = 119.375 -> 119.
    EXPECT_EQ(SampleCanvasBilinear(p.View(), 0.25L, 0.5L), Rgb(119, 119, 119));
    // (0.5, 0): 50 exactly; (0.5, 1) on the last row repeats it: 227.5 -> 228.
    EXPECT_EQ(SampleCanvasBilinear(p.View(), 0.5L, 0.0L), Rgb(50, 50, 50));
    EXPECT_EQ(SampleCanvasBilinear(p.View(), 0.5L, 1.0L), Rgb(228, 228, 228));
    EXPECT_THROW(SampleCanvasBilinear(p.View(), 2.0L, 0.0L), std::out_of_range);
}

}  // namespace
}  // namespace kelbo
