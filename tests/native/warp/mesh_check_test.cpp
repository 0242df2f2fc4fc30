#include <gtest/gtest.h>

#include "warp/mesh_check.h"

namespace kelbo {
namespace {

// Nodes 0..n-1 at `source`, moving to `target`, joined by `links`.
WarpMesh Mesh(std::vector<std::pair<int, int>> links, std::vector<MeshPoint> source, std::vector<MeshPoint> target) {
    WarpMesh mesh;
    for (auto [a, b] : links) {
        mesh.SourceLinks[mesh.LinkCount] = {source[a].x, source[a].y, source[b].x, source[b].y, a, b};
        mesh.TargetLinks[mesh.LinkCount++] = {target[a].x, target[a].y, target[b].x, target[b].y, a, b};
    }
    mesh.NodeCount = static_cast<std::uint16_t>(source.size());
    mesh.TargetValid = true;
    return mesh;
}

const std::vector<std::pair<int, int>> kTriangle = {{0, 1}, {1, 2}, {2, 0}};
const std::vector<MeshPoint> kCorners = {{100, 100}, {200, 100}, {150, 200}};
// Nodes 1 and 2 swing past each other around node 0: both ends turn the same way.
const WarpMesh kSwing = Mesh(kTriangle, {{200, 200}, {300, 200}, {200, 300}}, {{200, 200}, {100, 210}, {210, 100}});

TEST(MeshCheck, FoldingTrianglesAtTheirFirstFrame) {
    const struct {
        const char* name;
        WarpMesh mesh;
        int frames;
        std::vector<FoldingTriangle> folds;
    } cases[] = {
        {"swapped nodes", Mesh(kTriangle, kCorners, {{200, 100}, {100, 100}, {150, 200}}), 1, {{{0, 1, 2}, 1}}},
        {"swapped nodes meet halfway",
         Mesh(kTriangle, kCorners, {{200, 100}, {100, 100}, {150, 200}}),
         4,
         {{{0, 1, 2}, 2}}},
        {"swing at the ends", kSwing, 1, {}},
        {"swing in between", kSwing, 4, {{{0, 1, 2}, 2}}},
        {"onto a line", Mesh(kTriangle, kCorners, {{100, 100}, {200, 100}, {150, 100}}), 1, {{{0, 1, 2}, 1}}},
        {"no area in the source", Mesh(kTriangle, {{0, 0}, {10, 0}, {20, 0}}, {{0, 0}, {10, 0}, {20, 9}}), 1, {}},
        {"moved, not turned", Mesh(kTriangle, kCorners, {{90, 80}, {230, 100}, {150, 260}}), 3, {}},
        // The square's diagonal 0-2 comes from the completion; node 3 crosses it.
        {"completed square",
         Mesh({{0, 1}, {1, 2}, {2, 3}, {3, 0}}, {{0, 0}, {100, 0}, {100, 100}, {0, 100}},
              {{0, 0}, {100, 0}, {100, 100}, {150, 50}}),
         1,
         {{{0, 2, 3}, 1}}},
    };
    for (const auto& c : cases) EXPECT_EQ(FoldingTriangles(c.mesh, c.frames, 1, c.frames), c.folds) << c.name;
}

TEST(MeshCheck, NodesOutsideThePictureInEitherMesh) {
    EXPECT_EQ(NodesOutside(kSwing, 250, 250),
              (std::vector<OutsideNode>{{1, MeshSide::kSource, {300, 200}}, {2, MeshSide::kSource, {200, 300}}}));
    EXPECT_EQ(NodesOutside(kSwing, 301, 301), std::vector<OutsideNode>{});
    EXPECT_EQ(NodesOutside(kSwing, 300, 301), (std::vector<OutsideNode>{{1, MeshSide::kSource, {300, 200}}}));
}

}  // namespace
}  // namespace kelbo
