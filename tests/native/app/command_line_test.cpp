#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelbo {
namespace {

using Args = std::vector<std::string>;
using Files = std::vector<std::string>;

// ------------------------------------------------------------- switches

TEST(ParseStartOptions, NoArguments) {
    const StartOptions o = ParseStartOptions({});
    EXPECT_FALSE(o.noSettings);
    EXPECT_FALSE(o.noSplash);
    EXPECT_FALSE(o.noSetup);
    EXPECT_TRUE(o.files.empty());
}

TEST(ParseStartOptions, EachSwitchSetsItsOwnFlag) {
    StartOptions o = ParseStartOptions({"-I"});
    EXPECT_TRUE(o.noSettings);
    EXPECT_FALSE(o.noSplash);
    EXPECT_FALSE(o.noSetup);

    o = ParseStartOptions({"-S"});
    EXPECT_FALSE(o.noSettings);
    EXPECT_TRUE(o.noSplash);
    EXPECT_FALSE(o.noSetup);

    o = ParseStartOptions({"-R"});
    EXPECT_FALSE(o.noSettings);
    EXPECT_FALSE(o.noSplash);
    EXPECT_TRUE(o.noSetup);
}

TEST(ParseStartOptions, SwitchesInAnyLetterCaseOpenNothing) {
    const StartOptions o = ParseStartOptions({"-i", "-s", "-r"});
    EXPECT_TRUE(o.noSettings);
    EXPECT_TRUE(o.noSplash);
    EXPECT_TRUE(o.noSetup);
    EXPECT_TRUE(o.files.empty());
}

TEST(ParseStartOptions, TheWholeArgumentMustMatch) {
    const StartOptions o = ParseStartOptions({"-Ix", "-SS", "--R", "-r ", " -I", "I", "-"});
    EXPECT_FALSE(o.noSettings);
    EXPECT_FALSE(o.noSplash);
    EXPECT_FALSE(o.noSetup);
    // " -I" and "I" do not start with '-', so they are file names
    EXPECT_EQ(o.files, (Files{" -I", "I"}));
}

TEST(ParseStartOptions, SwitchesAnywhereAmongFiles) {
    const StartOptions o = ParseStartOptions({"a.bmp", "-s", "b.jpg"});
    EXPECT_TRUE(o.noSplash);
    EXPECT_FALSE(o.noSettings);
    EXPECT_EQ(o.files, (Files{"a.bmp", "b.jpg"}));
}

// ---------------------------------------------------------------- files

TEST(ParseStartOptions, FilesInOrderWithDuplicatesKept) {
    const StartOptions o = ParseStartOptions(
        {"C:\\Obrázky\\a.bmp", "b.gif", "C:\\Obrázky\\a.bmp", "C:\\Moje obrázky\\c d.jpg"});
    EXPECT_EQ(o.files, (Files{"C:\\Obrázky\\a.bmp", "b.gif", "C:\\Obrázky\\a.bmp", "C:\\Moje obrázky\\c d.jpg"}));
}

TEST(ParseStartOptions, ArgumentsStartingWithMinusAreSkipped) {
    const StartOptions o = ParseStartOptions({"-x", "-picture.bmp", "x-ray.bmp", "-I"});
    EXPECT_EQ(o.files, (Files{"x-ray.bmp"}));
    EXPECT_TRUE(o.noSettings);
}

TEST(ParseStartOptions, EmptyArgumentIsNeitherSwitchNorFile) {
    const StartOptions o = ParseStartOptions({"", "a.bmp", ""});
    EXPECT_FALSE(o.noSettings);
    EXPECT_FALSE(o.noSplash);
    EXPECT_FALSE(o.noSetup);
    EXPECT_EQ(o.files, (Files{"a.bmp"}));
}

// ------------------------------------------------------------- splash

TEST(SplashPosition, CentredFiftyPixelsAboveTheMiddle) {
    EXPECT_EQ(SplashPosition(1024, 768, 400, 300), (Point{312, 209}));
    EXPECT_EQ(SplashPosition(800, 600, 800, 550), (Point{0, 0}));
}

TEST(SplashPosition, OddDifferencesDropTheHalf) {
    // (1025 - 400) / 2 = 312.5, (769 - 300 - 50) / 2 = 209.5
    EXPECT_EQ(SplashPosition(1025, 769, 400, 300), (Point{312, 209}));
    // (640 - 301) / 2 = 169.5, (480 - 101 - 50) / 2 = 164.5
    EXPECT_EQ(SplashPosition(640, 480, 301, 101), (Point{169, 164}));
}

TEST(SplashPosition, PanelLargerThanScreenTruncatesTowardZero) {
    // (800 - 1000) / 2 = -100, (600 - 701 - 50) / 2 = -75.5 -> -75
    EXPECT_EQ(SplashPosition(800, 600, 1000, 701), (Point{-100, -75}));
    // (800 - 1001) / 2 = -100.5 -> -100, (600 - 551 - 50) / 2 = -0.5 -> 0
    EXPECT_EQ(SplashPosition(800, 600, 1001, 551), (Point{-100, 0}));
}

TEST(SplashPosition, EmptyPanelWhenThePictureIsMissing) {
    EXPECT_EQ(SplashPosition(1280, 1024, 0, 0), (Point{640, 487}));
}

}  // namespace
}  // namespace kelbo
