#include "warp/mesh_check.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "warp/morph.h"

namespace kelbo {
namespace {

int Orientation(const WarpMesh& mesh, MeshSide side, const MeshTriangle& t) {
    const MeshPoint a = NodePosition(mesh, side, t[0]);
    const MeshPoint b = NodePosition(mesh, side, t[1]);
    const MeshPoint c = NodePosition(mesh, side, t[2]);
    // Coordinates stay within 2^20, so the products fit 64 bits exactly.
    const std::int64_t area = (std::int64_t{b.x} - a.x) * (std::int64_t{c.y} - a.y) -
                              (std::int64_t{b.y} - a.y) * (std::int64_t{c.x} - a.x);
    return (area > 0) - (area < 0);
}

}  // namespace

std::vector<FoldingTriangle> FoldingTriangles(const WarpMesh& mesh, int frames, int first, int last) {
    WarpMesh frame = mesh;
    MakeTarget(frame);
    const MeshLinks target = frame.TargetLinks;
    const std::uint16_t before = frame.LinkCount;
    std::vector<FoldingTriangle> folds;
    std::set<MeshTriangle> found;
    for (int k = first; k <= last; ++k) {
        frame.LinkCount = before;
        InterpolateTarget(frame, target, k, frames);
        CompleteTriangles(frame);
        for (const MeshTriangle& t : MeshTriangles(frame)) {
            const int source = Orientation(frame, MeshSide::kSource, t);
            if (source == 0 || Orientation(frame, MeshSide::kTarget, t) == source) continue;
            if (found.insert(t).second) folds.push_back({t, k});
        }
    }
    return folds;
}

std::vector<OutsideNode> NodesOutside(const WarpMesh& mesh, int width, int height) {
    WarpMesh copy = mesh;
    MakeTarget(copy);
    std::vector<OutsideNode> outside;
    for (const MeshSide side : {MeshSide::kSource, MeshSide::kTarget}) {
        const std::span<const TMeshLink> links = copy.InUse(side);
        for (int n = 0; n < copy.NodeCount; ++n) {
            const bool named = std::ranges::any_of(links,
                                                   [n](const TMeshLink& l) { return l.Node1 == n || l.Node2 == n; });
            const MeshPoint p = NodePosition(links, n);
            if (named && (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height)) outside.push_back({n, side, p});
        }
    }
    return outside;
}

}  // namespace kelbo
