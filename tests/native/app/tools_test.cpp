#include "app/tools.h"

#include <gtest/gtest.h>

namespace kelbo {
namespace {

TEST(ToolOfButton, EveryButtonOfToolBar2HasItsNumber) {
    const struct {
        Command button;
        int number;
    } cases[] = {{ArrowButton, 0}, {ZoomButton, 1},  {PickButton, 2}, {PenButton, 3}, {LineButton, 4},
                 {FillButton, 5},  {ShapeButton, 6}, {TextButton, 7}, {CropButton, 8}};
    for (const auto& c : cases) {
        ASSERT_TRUE(ToolOfButton(c.button)) << c.button;
        EXPECT_EQ(static_cast<int>(*ToolOfButton(c.button)), c.number) << c.button;
    }
    EXPECT_FALSE(ToolOfButton(NewButton));
    EXPECT_FALSE(ToolOfButton(AddButton));
}

}  // namespace
}  // namespace kelbo
