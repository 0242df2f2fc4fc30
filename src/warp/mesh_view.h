// What the warp window and its mesh dialog show of a mesh: where a node's
// number is written, the hover read-out and the counts.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "warp/mesh.h"

namespace kelbo {

struct LabelOffset {
    int dx = -3;
    int dy = -3;

    friend bool operator==(const LabelOffset&, const LabelOffset&) = default;
};

// The number's top left relative to its node at (x, y) in a picture of
// width x height: (-3, -3), moved inside near the edges (left edge first,
// then right, top, bottom; only one of them applies).
LabelOffset NodeLabelOffset(int x, int y, int width, int height);

// "Uzol: n" CR "X = x" CR "Y = y"
std::string NodeInfoText(int node, MeshPoint point);
// "Uzol: n"
std::string NodeHintText(int node);
// "celkový počet uzlov:  " n CR "celkový počet spojov: " l
std::string MeshCountsText(int nodeCount, int linkCount);

// The node's position as the mesh dialog shows it: the first end of the last
// link whose Node1 is the node, else the second end of the last link whose
// Node2 is; none when no link names it.
std::optional<MeshPoint> DialogNodePosition(std::span<const TMeshLink> links, int node);

}  // namespace kelbo
