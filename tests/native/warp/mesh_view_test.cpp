#include <gtest/gtest.h>

#include "warp/mesh_view.h"

namespace kelbo {
namespace {

TEST(MeshView, LabelOffsetsNearTheEdges) {
    // A 100 x 50 picture: only the first edge rule that holds applies.
    EXPECT_EQ(NodeLabelOffset(50, 25, 100, 50), (LabelOffset{-3, -3}));
    EXPECT_EQ(NodeLabelOffset(2, 2, 100, 50), (LabelOffset{5, -3}));
    EXPECT_EQ(NodeLabelOffset(10, 25, 100, 50), (LabelOffset{-3, -3}));
    EXPECT_EQ(NodeLabelOffset(91, 2, 100, 50), (LabelOffset{-5, -3}));
    EXPECT_EQ(NodeLabelOffset(90, 25, 100, 50), (LabelOffset{-3, -3}));
    EXPECT_EQ(NodeLabelOffset(50, 9, 100, 50), (LabelOffset{-3, 5}));
    EXPECT_EQ(NodeLabelOffset(50, 41, 100, 50), (LabelOffset{-3, -5}));
}

TEST(MeshView, TextsAndTheDialogsNodePosition) {
    EXPECT_EQ(NodeInfoText(4, {50, -2}), "Uzol: 4\rX = 50\rY = -2");
    EXPECT_EQ(MeshCountsText(6, 7), "celkový počet uzlov:  6\rcelkový počet spojov: 7");
    const TMeshLink links[] = {{1, 1, 2, 2, 0, 1}, {3, 3, 4, 4, 1, 2}, {5, 5, 6, 6, 2, 0}, {7, 7, 8, 8, 3, 2}};
    EXPECT_EQ(DialogNodePosition(links, 0), (MeshPoint{1, 1}));  // a first end wins over a later second end
    EXPECT_EQ(DialogNodePosition(links, 2), (MeshPoint{5, 5}));
    EXPECT_EQ(DialogNodePosition(std::span(links).first(2), 2), (MeshPoint{4, 4}));
    EXPECT_EQ(DialogNodePosition(links, 9), std::nullopt);
}

}  // namespace
}  // namespace kelbo
