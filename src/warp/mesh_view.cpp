#include "warp/mesh_view.h"

namespace kelbo {

LabelOffset NodeLabelOffset(int x, int y, int width, int height) {
    LabelOffset o;
    if (x < 10)
        o.dx = 5;
    else if (x > width - 10)
        o.dx = -5;
    else if (y < 10)
        o.dy = 5;
    else if (y > height - 10)
        o.dy = -5;
    return o;
}

std::string NodeInfoText(int node, MeshPoint point) {
    return NodeHintText(node) + "\rX = " + std::to_string(point.x) + "\rY = " + std::to_string(point.y);
}

std::string NodeHintText(int node) { return "Uzol: " + std::to_string(node); }

std::string MeshCountsText(int nodeCount, int linkCount) {
    return "celkový počet uzlov:  " + std::to_string(nodeCount) +
           "\rcelkový počet spojov: " + std::to_string(linkCount);
}

std::optional<MeshPoint> DialogNodePosition(std::span<const TMeshLink> links, int node) {
    for (auto it = links.rbegin(); it != links.rend(); ++it)
        if (it->Node1 == node) return MeshPoint{it->X1, it->Y1};
    for (auto it = links.rbegin(); it != links.rend(); ++it)
        if (it->Node2 == node) return MeshPoint{it->X2, it->Y2};
    return std::nullopt;
}

}  // namespace kelbo
