#include <gtest/gtest.h>

#include "browser/fast_view_keys.h"

namespace kelbo {
namespace {

using A = FastViewAction;

// Keys pressed in turn on 3 pictures at interval 2: response, then Current, Interval and AutoAdvance after it.
TEST(FastViewKeys, TheKeyTableRowByRow) {
    const std::tuple<int, FastViewResponse, std::size_t, int, bool> steps[] = {
        {8, {A::kShowPicture}, 2, 2, false},  // Backspace on the first shows the last
        {32, {A::kShowPicture}, 0, 2, false},      {107, {A::kChangeInterval}, 0, 1, false},
        {187, {A::kShowPicture}, 1, 1, false},     {109, {A::kChangeInterval}, 1, 2, false},
        {189, {A::kChangeInterval}, 1, 3, false},  {36, {A::kStartAdvance}, 1, 3, true},
        {40, {A::kShowPicture}, 2, 3, true},       {36, {A::kStopAdvance}, 2, 3, false},
        {38, {A::kStartAdvance}, 2, 3, true},      {13, {A::kStopAdvance}, 2, 3, false},
        {35, {A::kStartAdvance}, 2, 3, true},      {107, {A::kChangeInterval}, 2, 2, true},
        {112, {A::kShowHelp, false}, 2, 2, false}, {45, {A::kStartAdvance}, 2, 2, true},
        {27, {A::kClose, false}, 2, 2, false}};
    FastViewKeys keys(3, 2, false);
    for (const auto& [key, response, current, interval, autoAdvance] : steps) {
        EXPECT_EQ(keys.KeyDown(key), response) << key;
        EXPECT_EQ(std::tuple(keys.Current(), keys.Interval(), keys.AutoAdvance()),
                  std::tuple(current, interval, autoAdvance))
            << key;
    }
}

TEST(FastViewKeys, IntervalsInTenthsOfASecond) {
    FastViewKeys keys(5, 20, true);
    EXPECT_EQ(keys.TimerInterval(), 2000);
    EXPECT_EQ(keys.KeyDown(107).action, A::kChangeInterval);
    EXPECT_EQ(keys.TimerInterval(), 1900);
    EXPECT_EQ(keys.Tick(), (FastViewResponse{A::kShowPicture}));
    EXPECT_EQ(keys.Current(), 1u);
    EXPECT_EQ(FastViewKeys(5, 1, true).KeyDown(107).action, A::kStopAdvance);  // plus at 1 stops the advance
    EXPECT_EQ(FastViewKeys(5, 9999, false).KeyDown(109).action, A::kShowPicture);
    EXPECT_EQ(FastViewKeys(1, 0, false).Interval(), 1);
    EXPECT_EQ(FastViewKeys(1, 12000, false).TimerInterval(), 999900);
    EXPECT_THROW(FastViewKeys(0, 20, false), std::invalid_argument);
}

}  // namespace
}  // namespace kelbo
