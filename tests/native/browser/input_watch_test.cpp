#include <gtest/gtest.h>

#include "browser/input_watch.h"

namespace kelbo {
namespace {

TEST(InputWatch, WhatClosesTheView) {
    const Point start{300, 200};
    const std::pair<Point, bool> moves[] = {{{305, 195}, false}, {{306, 200}, true}, {{300, 194}, true}};
    for (const auto& [now, closes] : moves) EXPECT_EQ(InputClosesView(0x0200, start, now), closes) << now.x;
    for (const std::uint32_t m : {0x0006, 0x001C, 0x0086, 0x0104, 0x0105, 0x0201, 0x0204, 0x0207})
        EXPECT_TRUE(InputClosesView(m, start, start)) << m;
    for (const std::uint32_t m : {0x0100, 0x0101, 0x0202, 0x000F})
        EXPECT_FALSE(InputClosesView(m, start, {900, 900})) << m;
    // The full-screen view: any key closes it too, nothing else changes.
    for (const std::uint32_t m : {0x0100, 0x0101, 0x0104})
        EXPECT_TRUE(InputClosesView(m, start, start, ViewKeys::kClose)) << m;
    EXPECT_FALSE(InputClosesView(0x0200, start, {305, 205}, ViewKeys::kClose));
    EXPECT_FALSE(InputClosesView(0x0202, start, start, ViewKeys::kClose));
    EXPECT_EQ(MessagePoint(0x00C8012Cu), (Point{300, 200}));
    EXPECT_EQ(MessagePoint(0xFFFEFFF6u), (Point{-10, -2}));
}

}  // namespace
}  // namespace kelbo
