#include "document/document_view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kelbo {
namespace {

// ------------------------------------------------------------------ zoom

TEST(ZoomedView, FixedZoomSteps) {
    EXPECT_EQ(ZoomedView({101, 75}, 50), (Size{50, 37}));
    EXPECT_EQ(ZoomedView({1, 1}, 50), (Size{0, 0}));
    EXPECT_EQ(ZoomedView({101, 75}, 100), (Size{101, 75}));
    EXPECT_EQ(ZoomedView({101, 75}, 200), (Size{202, 150}));
    EXPECT_EQ(ZoomedView({101, 75}, 300), (Size{303, 225}));
}

TEST(ZoomedView, TypedPercentageDropsTheFraction) {
    EXPECT_EQ(ZoomedView({100, 80}, 150), (Size{150, 120}));
    // 10 * 33 / 100 = 3.3, 99 * 33 / 100 = 32.67
    EXPECT_EQ(ZoomedView({10, 99}, 33), (Size{3, 32}));
    // 7 * 1 / 100 = 0.07
    EXPECT_EQ(ZoomedView({7, 250}, 1), (Size{0, 2}));
    EXPECT_EQ(ZoomedView({640, 480}, 0), (Size{0, 0}));
}

TEST(ZoomedView, LargeProductsDoNotOverflow) {
    // 30000 * 100000 = 3e9 is past the 32-bit range before the division
    EXPECT_EQ(ZoomedView({30000, 21475}, 100000), (Size{30000000, 21475000}));
    EXPECT_EQ(ZoomedView({2147483647, 1}, 100), (Size{2147483647, 1}));
    EXPECT_EQ(ZoomedView({2147483647, 3}, 50), (Size{1073741823, 1}));
}

TEST(DocumentFrame, StandardAndScreenFormatBorders) {
    EXPECT_EQ(DocumentFrame({150, 120}, FrameKind::kStandard), (Size{158, 147}));
    EXPECT_EQ(DocumentFrame({150, 120}, FrameKind::kScreenFormat), (Size{159, 148}));
    EXPECT_EQ(DocumentFrame({0, 0}, FrameKind::kStandard), (Size{8, 27}));
    EXPECT_EQ(DocumentFrame({0, 0}, FrameKind::kScreenFormat), (Size{9, 28}));
}

TEST(DocumentFrame, AroundAZoomedView) {
    // "Iná veľkosť" at 150 % on a 100 x 80 picture: view 150 x 120, window 158 x 147
    EXPECT_EQ(DocumentFrame(ZoomedView({100, 80}, 150), FrameKind::kStandard), (Size{158, 147}));
}

// ----------------------------------------------------- pointer position

TEST(PictureFromView, UnzoomedIsTheIdentity) {
    EXPECT_EQ(PictureFromView({64, 48}, {64, 48}, 0, 0), (PicturePoint{0, 0}));
    EXPECT_EQ(PictureFromView({64, 48}, {64, 48}, 63, 47), (PicturePoint{63, 47}));
}

TEST(PictureFromView, DoubledView) {
    EXPECT_EQ(PictureFromView({50, 40}, {100, 80}, 10, 10), (PicturePoint{5, 5}));
    EXPECT_EQ(PictureFromView({50, 40}, {100, 80}, 99, 79), (PicturePoint{50, 40}));  // 49.5 -> 50, 39.5 -> 40
}

TEST(PictureFromView, ExactHalvesGoToTheEvenNeighbour) {
    // picture / view = 0.5
    EXPECT_EQ(PictureFromView({10, 10}, {20, 20}, 5, 7), (PicturePoint{2, 4}));   // 2.5, 3.5
    EXPECT_EQ(PictureFromView({10, 10}, {20, 20}, 1, 3), (PicturePoint{0, 2}));   // 0.5, 1.5
    EXPECT_EQ(PictureFromView({10, 10}, {20, 20}, 9, 11), (PicturePoint{4, 6}));  // 4.5, 5.5
}

TEST(PictureFromView, NonIntegerRatios) {
    // picture 3, view 2: factor 1.5
    EXPECT_EQ(PictureFromView({3, 3}, {2, 2}, 1, 3), (PicturePoint{2, 4}));  // 1.5 -> 2, 4.5 -> 4
    EXPECT_EQ(PictureFromView({3, 3}, {2, 2}, 5, 2), (PicturePoint{8, 3}));  // 7.5 -> 8, 3
    // picture 2, view 3: factor 2/3
    EXPECT_EQ(PictureFromView({2, 2}, {3, 3}, 1, 2), (PicturePoint{1, 1}));  // 0.67, 1.33
    EXPECT_EQ(PictureFromView({2, 2}, {3, 3}, 3, 6), (PicturePoint{2, 4}));
    // different factors per axis: 100/300 and 80/40
    EXPECT_EQ(PictureFromView({100, 80}, {300, 40}, 150, 15), (PicturePoint{50, 30}));
}

TEST(PictureFromView, ZeroSizedViewGivesTheCorner) {
    EXPECT_EQ(PictureFromView({100, 80}, {0, 0}, 5, 5), (PicturePoint{0, 0}));
    EXPECT_EQ(PictureFromView({100, 80}, {0, 40}, 5, 5), (PicturePoint{0, 0}));
    EXPECT_EQ(PictureFromView({100, 80}, {50, 0}, 5, 5), (PicturePoint{0, 0}));
}

// ----------------------------------------------------------------- texts

TEST(MainTitle, NameInBracketsOrProgramNameAlone) {
    EXPECT_EQ(MainTitle(""), "Kelbo");
    EXPECT_EQ(MainTitle("a.bmp"), "Kelbo [a.bmp]");
    EXPECT_EQ(MainTitle(kUnnamed), "Kelbo [nepomenovaný]");
    EXPECT_EQ(MainTitle("šedá mačka.jpg"), "Kelbo [šedá mačka.jpg]");
}

TEST(SizeText, WidthCommaHeightInBrackets) {
    EXPECT_EQ(SizeText({640, 480}), "[640, 480]");
    EXPECT_EQ(SizeText({0, 0}), "[0, 0]");
    EXPECT_EQ(SizeText({1, 12345}), "[1, 12345]");
}

TEST(PositionText, XColonY) {
    EXPECT_EQ(PositionText(5, 5), "5 : 5");
    EXPECT_EQ(PositionText(0, 123), "0 : 123");
    EXPECT_EQ(PositionText(-3, 4000000000), "-3 : 4000000000");
}

TEST(ColorInfoText, ChannelsAndIntensityOnSeparateLines) {
    // I = round(0.299 R + 0.587 G + 0.114 B)
    EXPECT_EQ(ColorInfoText(Rgb(255, 0, 0)), "farba: \rR = 255\rG = 0\rB = 0\rI = 76");   // 76.245
    EXPECT_EQ(ColorInfoText(Rgb(0, 255, 0)), "farba: \rR = 0\rG = 255\rB = 0\rI = 150");  // 149.685
    EXPECT_EQ(ColorInfoText(Rgb(0, 0, 255)), "farba: \rR = 0\rG = 0\rB = 255\rI = 29");   // 29.07
    EXPECT_EQ(ColorInfoText(Rgb(0, 0, 0)), "farba: \rR = 0\rG = 0\rB = 0\rI = 0");
    EXPECT_EQ(ColorInfoText(Rgb(255, 255, 255)), "farba: \rR = 255\rG = 255\rB = 255\rI = 255");
}

TEST(ColorInfoText, RedIsTheLowByteOfTheColourValue) {
    // 0x1E140A: red 10, green 20, blue 30; I = 2.99 + 11.74 + 3.42 = 18.15
    EXPECT_EQ(ColorInfoText(0x1E140Au), "farba: \rR = 10\rG = 20\rB = 30\rI = 18");
    // 0.299 * 200 + 0.587 * 100 + 0.114 * 50 = 59.8 + 58.7 + 5.7 = 124.2
    EXPECT_EQ(ColorInfoText(Rgb(200, 100, 50)), "farba: \rR = 200\rG = 100\rB = 50\rI = 124");
}

// ----------------------------------------------------------------- paths

TEST(SplitFilePath, BackslashOrSlash) {
    SplitPath p = SplitFilePath("C:\\Obrázky\\leto\\a.bmp");
    EXPECT_EQ(p.dir, "C:\\Obrázky\\leto\\");
    EXPECT_EQ(p.name, "a.bmp");

    p = SplitFilePath("C:/pics/b.jpg");
    EXPECT_EQ(p.dir, "C:/pics/");
    EXPECT_EQ(p.name, "b.jpg");

    // the last separator of either kind counts
    p = SplitFilePath("C:\\pics/sub\\c.gif");
    EXPECT_EQ(p.dir, "C:\\pics/sub\\");
    EXPECT_EQ(p.name, "c.gif");

    p = SplitFilePath("\\\\server\\share\\d.bmp");
    EXPECT_EQ(p.dir, "\\\\server\\share\\");
    EXPECT_EQ(p.name, "d.bmp");
}

TEST(SplitFilePath, NoDirectoryOrNoName) {
    SplitPath p = SplitFilePath("a.bmp");
    EXPECT_EQ(p.dir, "");
    EXPECT_EQ(p.name, "a.bmp");

    p = SplitFilePath("C:\\Obrázky\\");
    EXPECT_EQ(p.dir, "C:\\Obrázky\\");
    EXPECT_EQ(p.name, "");

    p = SplitFilePath("");
    EXPECT_EQ(p.dir, "");
    EXPECT_EQ(p.name, "");

    p = SplitFilePath("\\a.bmp");
    EXPECT_EQ(p.dir, "\\");
    EXPECT_EQ(p.name, "a.bmp");
}

}  // namespace
}  // namespace kelbo
