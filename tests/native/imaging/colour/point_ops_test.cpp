#include "imaging/colour/point_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "colour_test_support.h"

namespace kelbo {
namespace {

using testing::PictureOf;
using testing::ProgressRecord;
using testing::Uniform;
using testing::Varied;

Color After(void (*op)(PixelView, Progress*), Color c) {
    Bitmap24 picture = Uniform(1, 1, c);
    op(picture.View(), nullptr);
    return picture.Pixel(0, 0);
}

Color AfterRgb(const RgbChange& change, Color c) {
    Bitmap24 picture = Uniform(1, 1, c);
    ChangeRgb(picture.View(), change);
    return picture.Pixel(0, 0);
}

Color AfterCmy(const CmyChange& change, Color c) {
    Bitmap24 picture = Uniform(1, 1, c);
    ChangeCmy(picture.View(), change);
    return picture.Pixel(0, 0);
}

Color AfterGamma(const GammaCorrection& gamma, Color c) {
    Bitmap24 picture = Uniform(1, 1, c);
    CorrectGamma(picture.View(), gamma);
    return picture.Pixel(0, 0);
}

TEST(Negative, InvertsEveryByteAndTwiceRestores) {
    EXPECT_EQ(After(Negative, Rgb(10, 20, 30)), Rgb(245, 235, 225));
    const Bitmap24 original = Varied();
    Bitmap24 picture = original;
    Negative(picture.View());
    EXPECT_NE(picture, original);
    Negative(picture.View());
    EXPECT_EQ(picture, original);
}

TEST(GreyScale, PrimariesTakeTheirLuminance) {
    EXPECT_EQ(After(GreyScale, colors::kRed), Rgb(76, 76, 76));
    EXPECT_EQ(After(GreyScale, colors::kGreen), Rgb(150, 150, 150));
    EXPECT_EQ(After(GreyScale, colors::kBlue), Rgb(29, 29, 29));
    EXPECT_EQ(After(GreyScale, Rgb(200, 100, 50)), Rgb(124, 124, 124));  // 124.2
}

TEST(ChangeRgb, ScalesEachChannelTruncatingAndLimitsTo255) {
    const Bitmap24 original = Varied();
    Bitmap24 picture = original;
    ChangeRgb(picture.View(), RgbChange{});
    EXPECT_EQ(picture, original);
    EXPECT_EQ(AfterRgb({300, 100, 100}, Rgb(100, 7, 9)), Rgb(255, 7, 9));
    EXPECT_EQ(AfterRgb({100, 50, 33}, Rgb(100, 101, 200)), Rgb(100, 50, 66));  // 50.5, 66.0
    EXPECT_EQ(AfterRgb({0, 0, 0}, Rgb(255, 255, 255)), colors::kBlack);
}

TEST(ChangeRgb, PercentagesOutsideTheDialogRangeSaturate) {
    EXPECT_EQ(AfterRgb({-50, 100, 100}, Rgb(200, 1, 2)), Rgb(0, 1, 2));
    EXPECT_EQ(AfterRgb({INT_MAX, INT_MIN, INT_MAX}, Rgb(1, 255, 0)), Rgb(255, 0, 0));
}

TEST(ChangeRgb, ExceptWhiteKeepsPixelsWithEveryChannelAtLeast256MinusRange) {
    const RgbChange halfRange1{50, 50, 50, true, 1};
    EXPECT_EQ(AfterRgb(halfRange1, Rgb(255, 255, 255)), Rgb(255, 255, 255));
    EXPECT_EQ(AfterRgb(halfRange1, Rgb(255, 255, 254)), Rgb(127, 127, 127));
    const RgbChange halfRange0{50, 50, 50, true, 0};
    EXPECT_EQ(AfterRgb(halfRange0, Rgb(255, 255, 255)), Rgb(127, 127, 127));
    const RgbChange halfRange10{50, 50, 50, true, 10};  // e = 246
    EXPECT_EQ(AfterRgb(halfRange10, Rgb(246, 250, 255)), Rgb(246, 250, 255));
    EXPECT_EQ(AfterRgb(halfRange10, Rgb(245, 250, 255)), Rgb(122, 125, 127));
    // Unchecked, the range means nothing.
    EXPECT_EQ(AfterRgb({50, 50, 50, false, 10}, Rgb(255, 255, 255)), Rgb(127, 127, 127));
    // Ranges no dialog allows: everything kept, or everything changed.
    EXPECT_EQ(AfterRgb({50, 50, 50, true, INT_MAX}, Rgb(0, 0, 0)), Rgb(0, 0, 0));
    EXPECT_EQ(AfterRgb({50, 50, 50, true, 300}, Rgb(2, 2, 2)), Rgb(2, 2, 2));
    EXPECT_EQ(AfterRgb({50, 50, 50, true, INT_MIN}, Rgb(255, 255, 255)), Rgb(127, 127, 127));
}

TEST(ChangeCmy, ScalesTheComplements) {
    const Bitmap24 original = Varied();
    Bitmap24 picture = original;
    ChangeCmy(picture.View(), CmyChange{});
    EXPECT_EQ(picture, original);
    ChangeCmy(picture.View(), CmyChange{0, 0, 0});
    EXPECT_EQ(picture, Uniform(original.Width(), original.Height(), colors::kWhite));
    // C 255 -> 127, M 155 -> 77, Y 0 -> 0.
    EXPECT_EQ(AfterCmy({50, 50, 50}, Rgb(0, 100, 255)), Rgb(128, 178, 255));
    // C 155 * 2 = 310 limited to 255.
    EXPECT_EQ(AfterCmy({200, 500, 100}, Rgb(100, 250, 3)), Rgb(0, 230, 3));
    EXPECT_EQ(AfterCmy({-100, INT_MAX, INT_MIN}, Rgb(10, 10, 10)), Rgb(255, 0, 255));
}

TEST(CorrectGamma, RaisesTheChannelValueItself) {
    // At 1.00 every value stays, except 0, which is read as 1 at any gamma.
    const Bitmap24 original = Varied();
    Bitmap24 expected = original;
    for (int y = 0; y < expected.Height(); ++y) {
        std::uint8_t* row = expected.Row(y);
        for (int i = 0; i < 3 * expected.Width(); ++i) row[i] = std::max<std::uint8_t>(row[i], 1);
    }
    ASSERT_NE(expected, original);
    Bitmap24 picture = original;
    CorrectGamma(picture.View(), GammaCorrection{});
    EXPECT_EQ(picture, expected);
    // 255^0.5 = 15.97; 2^1.5 = 2.83; 10^1.2 = 15.85; 0 is read as 1.
    EXPECT_EQ(AfterGamma({50, 150, 120}, Rgb(255, 2, 10)), Rgb(16, 3, 16));
    for (const int position : {1, 100, 250}) {
        EXPECT_EQ(AfterGamma({position, position, position}, colors::kBlack), Rgb(1, 1, 1));
    }
    EXPECT_EQ(AfterGamma({250, 250, 250}, Rgb(9, 10, 255)), Rgb(243, 255, 255));  // 9^2.5 = 243
}

TEST(CorrectGamma, PositionsOutsideTheTrackBarStayInRange) {
    EXPECT_EQ(AfterGamma({100000, INT_MAX, 0}, Rgb(2, 1, 200)), Rgb(255, 1, 1));
    // v^-1: 1/1, 1/2 = 0.5 to even, 1/255.
    EXPECT_EQ(AfterGamma({-100, -100, -100}, Rgb(1, 2, 255)), Rgb(1, 0, 0));
    EXPECT_EQ(AfterGamma({INT_MIN, INT_MIN, INT_MIN}, Rgb(1, 2, 255)), Rgb(1, 0, 0));
}

// A row of the 256 greys: luminance equals the value.
Bitmap24 GreyRamp() {
    Bitmap24 picture(256, 1);
    for (int v = 0; v < 256; ++v) {
        const auto c = static_cast<std::uint8_t>(v);
        picture.SetPixel(v, 0, Rgb(c, c, c));
    }
    return picture;
}

TEST(ApplyThreshold, ZeroLimitsChangeNothing) {
    const Bitmap24 original = Varied();
    Bitmap24 picture = original;
    ApplyThreshold(picture.View(), Threshold{});
    EXPECT_EQ(picture, original);
}

TEST(ApplyThreshold, StrictComparisonsKeepTheBoundaries) {
    const Color one = Rgb(1, 2, 3), two = Rgb(200, 100, 50);
    Bitmap24 picture = GreyRamp();
    ApplyThreshold(picture.View(), Threshold{0, 128, 255, one, two});
    for (int l = 0; l < 256; ++l) {
        const auto v = static_cast<std::uint8_t>(l);
        const Color expected = (l == 0 || l == 128 || l == 255) ? Rgb(v, v, v) : l < 128 ? one : two;
        EXPECT_EQ(picture.Pixel(l, 0), expected) << "luminance " << l;
    }
}

TEST(ApplyThreshold, ColoursByTheLuminanceBand) {
    // Red has luminance 76, inside (50, 100).
    Bitmap24 picture = PictureOf({{colors::kRed, colors::kBlue, Rgb(0, 200, 0)}});
    ApplyThreshold(picture.View(), Threshold{50, 100, 120, colors::kWhite, colors::kBlack});
    // Blue 29 is below the start; green 200 * 0.587 = 117.4 lies in (100, 120).
    EXPECT_EQ(picture, PictureOf({{colors::kWhite, colors::kBlue, colors::kBlack}}));
}

TEST(PointOperations, ProgressCountsRowsOrColumnsAndEndsAtZero) {
    Bitmap24 picture = Varied(9, 4);
    ProgressRecord rows;
    Negative(picture.View(), &rows);
    EXPECT_EQ(rows.max, 3);
    EXPECT_EQ(rows.positions, (std::vector<int>{0, 1, 2, 3, 0}));

    ProgressRecord columns;
    CorrectGamma(picture.View(), GammaCorrection{}, &columns);
    EXPECT_EQ(columns.max, 8);
    EXPECT_EQ(columns.positions, (std::vector<int>{2, 4, 6, 8, 0}));
    ApplyThreshold(picture.View(), Threshold{}, &columns);
    EXPECT_EQ(columns.max, 8);
    EXPECT_EQ(columns.positions, (std::vector<int>{2, 4, 6, 8, 0}));
}

TEST(PointOperations, EmptyPicturesAreLeftAlone) {
    Bitmap24 empty(0, 5);
    ProgressRecord progress;
    GreyScale(empty.View(), &progress);
    ChangeRgb(empty.View(), RgbChange{}, &progress);
    ApplyThreshold(empty.View(), Threshold{0, 128, 255}, &progress);
    EXPECT_EQ(progress.max, 0);
    EXPECT_EQ(progress.positions.back(), 0);
}

}  // namespace
}  // namespace kelbo
