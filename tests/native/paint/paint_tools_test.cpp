#include <gtest/gtest.h>

#include "paint/paint_tools.h"

namespace kelbo {
namespace {

TEST(PaintTools, GeometryOfTheSteps) {
    EXPECT_EQ(EqualSidesCorner({10, 10}, {4, 30}), (Point{4, 16}));
    EXPECT_EQ(EqualSidesCorner({10, 10}, {19, 2}), (Point{18, 2}));
    EXPECT_EQ(RoundCorner({10, 10}, {3, 31}), (Size{3, -10}));
    // Two clicks at 150 % give 2.25 times, rounded at each step (151.5 to the even 152).
    EXPECT_EQ(ZoomStep(ZoomStep({100, 101}, 150, true), 150, true), (Size{225, 228}));
    EXPECT_EQ(ZoomStep({5, 1}, 150, false), (Size{3, 1}));
    const CropBox forward = CropRectangle({-5, 3}, {700, 40}, {640, 480});
    const CropBox backward = CropRectangle({700, 40}, {-5, 3}, {640, 480});
    EXPECT_EQ(forward.Result(), (Size{639, 37}));
    EXPECT_EQ(backward.Result(), forward.Result());
    EXPECT_TRUE(CropRectangle({700, 3}, {800, 40}, {640, 480}).Empty());
    EXPECT_EQ(ViewToPicture({51, 31}, {200, 100}, {100, 50}), (Point{26, 16}));  // 25.5 and 15.5 to even
    EXPECT_EQ(DescribeShape({ToolShape::Kind::kEllipse, {1, -2}, {30, 40}}), "Elipsa\rStred [1,-2]\rPolomer [30,40]");
    EXPECT_EQ(DescribeShape({ToolShape::Kind::kPoint, {7, 8}, {}}), "Bod\rSúradnice [7,8]");
}

TEST(PaintTools, PenWidthOfItsField) {
    const struct {
        const char* text;
        int width;
    } cases[] = {{"7", 7}, {" 50", 50}, {"51", 50}, {"0", 1}, {"-3", 1}, {"", 1}, {"2x", 1}};
    for (const auto& c : cases) EXPECT_EQ(PenWidthOf(c.text), c.width) << c.text;
}

}  // namespace
}  // namespace kelbo
