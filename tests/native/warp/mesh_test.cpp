#include <gtest/gtest.h>

#include "core/byte_writer.h"
#include "core/file_io.h"
#include "temp_dir.h"
#include "warp/mesh_file.h"

namespace kelbo {
namespace {

WarpMesh Links(std::initializer_list<std::pair<int, int>> pairs) {
    WarpMesh mesh;
    for (auto [a, b] : pairs) {
        AddLink(mesh, {a * 10, 0}, a, {b * 10, 0}, b);
        mesh.NodeCount = static_cast<std::uint16_t>(std::max({int{mesh.NodeCount}, a + 1, b + 1}));
    }
    return mesh;
}

std::vector<std::pair<int, int>> Pairs(const WarpMesh& mesh) {
    std::vector<std::pair<int, int>> out;
    for (const TMeshLink& l : mesh.InUse(MeshSide::kSource)) out.emplace_back(l.Node1, l.Node2);
    return out;
}

TEST(WarpMesh, RectangleFileAndItsBytes) {
    EXPECT_EQ(NodePosition(RectangleMesh(1, 1), MeshSide::kSource, 2), (MeshPoint{0, 0}));
    WarpMesh mesh = RectangleMesh(100, 50);
    const std::vector<std::uint8_t> bytes = EncodeMesh(mesh);
    ASSERT_EQ(bytes.size(), 192u);
    EXPECT_FALSE(mesh.TargetValid);
    std::vector<std::uint8_t> first, last;
    for (int v : {0, 0, 99, 0, 0, 1}) AppendI32Le(first, v);
    for (int v : {0, 49, 0, 0, 3, 0}) AppendI32Le(last, v);
    for (std::size_t offset : {0u, 24u}) EXPECT_TRUE(std::equal(first.begin(), first.end(), bytes.begin() + offset));
    for (std::size_t offset : {144u, 168u}) EXPECT_TRUE(std::equal(last.begin(), last.end(), bytes.begin() + offset));
    const WarpMesh loaded = DecodeMesh(bytes);
    EXPECT_EQ(loaded.LinkCount, 4);
    EXPECT_EQ(loaded.NodeCount, 4);
    EXPECT_TRUE(loaded.TargetValid);
    EXPECT_EQ(loaded.SourceLinks, loaded.TargetLinks);
    // Through a real file, with a negative coordinate.
    testing::TempDir dir;
    mesh.TargetValid = true;
    MoveNode(mesh, MeshSide::kTarget, 2, {-7, 60});
    SaveMesh(mesh, dir / "m.kmw");
    WarpMesh again;
    LoadMesh(again, dir / "m.kmw");
    EXPECT_EQ(NodePosition(again, MeshSide::kTarget, 2), (MeshPoint{-7, 60}));
    EXPECT_EQ(NodePosition(again, MeshSide::kSource, 2), (MeshPoint{99, 49}));
}

TEST(WarpMesh, DamagedFilesAreRefusedAndLeaveTheMesh) {
    WarpMesh gaps = Links({{0, 1}, {1, 5}});
    const WarpMesh loaded = DecodeMesh(EncodeMesh(gaps));
    EXPECT_EQ(loaded.NodeCount, 6);
    EXPECT_EQ(NodePosition(loaded, MeshSide::kSource, 3), (MeshPoint{-1, -1}));
    const std::vector<std::uint8_t> good = EncodeMesh(gaps);
    const auto patched = [&good](std::size_t offset, int value) {
        std::vector<std::uint8_t> b = good, v;
        AppendI32Le(v, value);
        std::copy(v.begin(), v.end(), b.begin() + offset);
        return b;
    };
    const std::vector<std::vector<std::uint8_t>> bad = {
        {},
        std::vector<std::uint8_t>(good.begin(), good.end() - 1),
        std::vector<std::uint8_t>(48 * 302, 0),
        patched(16, -1),
        patched(44, 602),
        patched(8, (1 << 20) + 1),
    };
    for (const auto& bytes : bad) EXPECT_THROW(DecodeMesh(bytes), MeshFileError) << bytes.size();
    testing::TempDir dir;
    WriteFileAtomically(dir / "short.kmw", bad[1]);
    WriteFileAtomically(dir / "long.kmw", std::vector<std::uint8_t>(48 * 400, 0));
    for (const char* name : {"short.kmw", "long.kmw"}) {
        WarpMesh kept = RectangleMesh(5, 5);
        EXPECT_THROW(LoadMesh(kept, dir / name), MeshFileError);
        EXPECT_EQ(kept.LinkCount, 4);
    }
    WarpMesh kept;
    EXPECT_THROW(LoadMesh(kept, dir / "missing.kmw"), FileError);
}

TEST(WarpMesh, DeleteLinkRenumbersTheNodesItLeaves) {
    struct Case {
        WarpMesh mesh;
        int a, b;
        std::vector<std::pair<int, int>> links;
        int nodes;
    };
    const std::vector<Case> cases = {
        {Links({{0, 1}, {1, 2}, {2, 0}}), 0, 1, {{1, 2}, {2, 0}}, 3},
        {Links({{0, 1}, {2, 3}}), 0, 1, {{0, 1}}, 2},
        {Links({{0, 1}, {2, 3}}), 3, 2, {{0, 1}}, 2},
        {Links({{0, 1}, {1, 2}, {0, 1}}), 1, 0, {{0, 1}, {1, 2}}, 3},  // the last of two equal links
        {Links({{0, 1}, {1, 1}, {1, 2}}), 1, 1, {{0, 1}, {1, 2}}, 3},  // a link to itself drops no node
        {Links({{0, 1}, {2, 2}, {1, 3}}), 2, 2, {{0, 1}, {1, 2}}, 3},
        {Links({{0, 1}}), 0, 1, {{0, 1}}, 2},
        {Links({{0, 1}, {1, 2}}), 0, 2, {{0, 1}, {1, 2}}, 3},
    };
    for (Case c : cases) {
        DeleteLink(c.mesh, c.a, c.b);
        EXPECT_EQ(Pairs(c.mesh), c.links) << c.a << "-" << c.b;
        EXPECT_EQ(c.mesh.NodeCount, c.nodes) << c.a << "-" << c.b;
    }
}

TEST(WarpMesh, FindNodeAndNodePosition) {
    WarpMesh mesh = RectangleMesh(100, 50);
    for (auto [p, node] : std::vector<std::pair<MeshPoint, int>>{
             {{4, 4}, 0}, {{5, 0}, -1}, {{0, -5}, -1}, {{103, 53}, 2}, {{95, 1}, 1}, {{-4, 45}, 3}}) {
        const std::optional<FoundNode> found = FindNode(mesh, MeshSide::kSource, p);
        EXPECT_EQ(found ? found->node : -1, node) << p.x << "," << p.y;
        if (found) {
            EXPECT_EQ(found->point, NodePosition(mesh, MeshSide::kSource, node));
        }
    }
    mesh.SourceLinks[3].X1 = 7;  // node 3 named at two places: the later link wins
    EXPECT_EQ(NodePosition(mesh, MeshSide::kSource, 3), (MeshPoint{7, 49}));
    EXPECT_TRUE(LinkExists(mesh, 0, 3));
    EXPECT_FALSE(LinkExists(mesh, 0, 2));
    for (int i = 4; i < MaxMeshLinks; ++i) AddLink(mesh, {0, 0}, 0, {1, 1}, 4);
    EXPECT_THROW(AddLink(mesh, {0, 0}, 0, {1, 1}, 4), MeshFullError);
}

}  // namespace
}  // namespace kelbo
