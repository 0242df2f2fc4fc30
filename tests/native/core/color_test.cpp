#include "core/color.h"

#include <gtest/gtest.h>

namespace kelbo {
namespace {

TEST(Color, PacksRedLowThenGreenThenBlue) {
    EXPECT_EQ(Rgb(1, 2, 3), 1u + 256u * 2u + 65536u * 3u);
    EXPECT_EQ(Rgb(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(Rgb(0, 255, 0), 0x00FF00u);
    EXPECT_EQ(Rgb(0, 0, 255), 0xFF0000u);
}

TEST(Color, SplitsIntoParts) {
    const Color c = Rgb(12, 34, 56);
    EXPECT_EQ(RedOf(c), 12);
    EXPECT_EQ(GreenOf(c), 34);
    EXPECT_EQ(BlueOf(c), 56);
    EXPECT_EQ(SplitColor(c), (RgbParts{12, 34, 56}));
    EXPECT_EQ(JoinColor(SplitColor(c)), c);
}

TEST(Color, SettingsTripleMakesTheColour) {
    // Red_FgColor 255, Green_FgColor 0, Blue_FgColor 0 is pure red.
    EXPECT_EQ(Rgb(255, 0, 0), colors::kRed);
    EXPECT_EQ(0 * 65536 + 0 * 256 + 255, static_cast<int>(colors::kRed));
}

TEST(Color, HighByteIsIgnoredBySplit) {
    const Color c = 0xAB123456u;
    EXPECT_EQ(RedOf(c), 0x56);
    EXPECT_EQ(GreenOf(c), 0x34);
    EXPECT_EQ(BlueOf(c), 0x12);
}

}  // namespace
}  // namespace kelbo
