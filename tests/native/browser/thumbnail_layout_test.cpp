#include <gtest/gtest.h>

#include "browser/thumbnail_layout.h"

namespace kelbo {
namespace {

TEST(ThumbnailLayout, ColumnsAndPlaces) {
    const std::pair<int, int> cases[] = {{458, 4}, {99, 1},  {0, 1},       {-50, 1},
                                         {100, 1}, {200, 2}, {25599, 255}, {25600, 1}};
    for (const auto& [width, columns] : cases) EXPECT_EQ(ThumbnailColumns(width), columns) << width;
    // Five buttons on a panel 458 pixels wide.
    const Point want[] = {{5, 5}, {100, 5}, {195, 5}, {290, 5}, {5, 110}};
    const std::uint8_t columns = ThumbnailColumns(458);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(ThumbnailPosition(i, columns), want[i]) << i;
    EXPECT_EQ(ThumbnailPosition(2, 1), (Point{5, 215}));
    EXPECT_EQ(ThumbnailPosition(65534, 255), (Point{5 + 254 * 95, 5 + 256 * 105}));
}

}  // namespace
}  // namespace kelbo
