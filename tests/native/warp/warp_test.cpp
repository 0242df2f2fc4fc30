#include <gtest/gtest.h>

#include <random>

#include "../imaging/filters/filter_pictures.h"
#include "warp/morph.h"
#include "warp/warp_span.h"
#include "warp_reference.h"

namespace kelbo {
namespace {

using testing::RandomPicture;

WarpOptions Options(bool changeNum, int threads = 1) {
    WarpOptions options;
    options.changeNum = changeNum;
    options.threads = threads;
    return options;
}

MorphOptions Morph(int frames, int first, int last, bool changeNum) {
    MorphOptions options;
    options.frames = frames, options.first = first, options.last = last;
    options.warp.changeNum = changeNum;
    return options;
}

// The rectangle of the picture with `inner` nodes inside, each linked to the
// previous node; target positions moved by up to `spread` pixels.
WarpMesh RandomMesh(int w, int h, int inner, int spread, std::mt19937& rng) {
    WarpMesh mesh = RectangleMesh(w, h);
    std::uniform_int_distribution<int> px(0, w - 1), py(0, h - 1), move(-spread, spread);
    for (int n = 0; n < inner; ++n) {
        const int from = std::uniform_int_distribution<int>(0, mesh.NodeCount - 1)(rng);
        AddLink(mesh, NodePosition(mesh, MeshSide::kSource, from), from, {px(rng), py(rng)}, mesh.NodeCount);
        ++mesh.NodeCount;
    }
    MakeTarget(mesh);
    mesh.TargetValid = true;
    for (int n = 0; n < mesh.NodeCount; ++n) {
        const MeshPoint p = NodePosition(mesh, MeshSide::kTarget, n);
        MoveNode(mesh, MeshSide::kTarget, n, {p.x + move(rng), p.y + move(rng)});
    }
    return mesh;
}

TEST(MeshWarp, EqualsTheStepByStepWarpOnRandomMeshes) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 40; ++round) {
        const int w = 20 + round % 7 * 9, h = 15 + round % 5 * 11;
        const Bitmap24 picture = RandomPicture(w, h, round);
        const WarpMesh mesh = RandomMesh(w, h, round % 9, round % 3 == 0 ? 0 : 12, rng);
        WarpMesh expectedMesh = mesh, kept = mesh, threaded = mesh;
        const Bitmap24 expected = reference::WarpPicture(picture.View(), expectedMesh);
        WarpMesh completed = mesh;
        reference::CompleteTriangles(completed);
        EXPECT_EQ(WarpPicture(picture.View(), kept, Options(false)), expected) << round;
        EXPECT_EQ(WarpPicture(picture.View(), threaded, Options(true, 3)), expected) << round;
        ASSERT_EQ(kept.LinkCount, completed.LinkCount) << round;
        EXPECT_EQ(kept.SourceLinks, completed.SourceLinks) << round;
        EXPECT_EQ(kept.TargetLinks, completed.TargetLinks) << round;
        EXPECT_EQ(threaded.LinkCount, mesh.LinkCount);
    }
}

TEST(MeshWarp, RectangleMeshFollowsTheSteps) {
    const Bitmap24 picture = RandomPicture(101, 101, 3);
    WarpMesh mesh = RectangleMesh(101, 101);
    const Bitmap24 out = WarpPicture(picture.View(), mesh, Options(false));
    ASSERT_EQ(mesh.LinkCount, 5);
    EXPECT_EQ(mesh.SourceLinks[4], (TMeshLink{0, 0, 100, 100, 0, 2}));  // the diagonal 0-2, not 1-3
    // The last column is white; so is the last row but for (29, 100), whose
    // sample row 100 u + 100 v comes out as 99.99999999999999.
    for (int i = 0; i < 101; ++i) {
        EXPECT_EQ(out.Pixel(100, i), colors::kWhite);
        EXPECT_EQ(out.Pixel(i, 100) == colors::kWhite, i != 29) << i;
    }
    // Triangle 0-2-3 holds (0, 50): e2 = (0, 100) becomes (1, 100), so v =
    // 5000 / 9900, u = -v / 100 and sx = -0.505: outside, white (the pixel
    // does not sample row 50.5).
    EXPECT_EQ(out.Pixel(0, 50), colors::kWhite);
    // Triangle 0-1-2 at (60, 10): e1 = (100, 1), e2 = (100, 100), det = 9900,
    // v = (10 · 100 - 60 · 1) / 9900, u = (60 - 100 v) / 100, sx = 100 u + 100 v, sy = 100 v.
    const double v = 940.0 / 9900, u = (60 - 100 * v) / 100;
    EXPECT_EQ(out.Pixel(60, 10), SampleBilinear(picture.View(), 100 * u + 100 * v, 100 * v));
    EXPECT_NE(out.Pixel(60, 10), colors::kWhite);
}

TEST(MeshWarp, SampleBilinearRoundsHalvesToEven) {
    // Values at (0,0) (1,0) (0,1) (1,1): 10, 20, 30, 41 in every channel.
    Bitmap24 p(2, 2);
    const int v[4] = {10, 20, 30, 41};
    for (int i = 0; i < 4; ++i) p.View().SetPixel(i % 2, i / 2, Rgb(v[i], v[i], v[i]));
    struct Case {
        double sx, sy;
        int value;
    };
    // 0.5, 0: 15 exactly; 0.25, 0: 12.5 -> 12; 0.75, 0: 17.5 -> 18; 0.5, 0.5: 25.25 -> 25; 0, 0.75: 25.
    for (const Case c : {Case{0.5, 0, 15}, {0.25, 0, 12}, {0.75, 0, 18}, {0.5, 0.5, 25}, {0, 0.75, 25}}) {
        EXPECT_EQ(SampleBilinear(p.View(), c.sx, c.sy), Rgb(c.value, c.value, c.value)) << c.sx << "," << c.sy;
    }
}

struct Steps : Progress {
    std::vector<int> positions;
    int max = -1;
    void SetMax(int m) noexcept override { max = m; }
    void SetPosition(int p) noexcept override { positions.push_back(p); }
};

TEST(MeshWarp, ProgressStepsAfter32ThenEvery31AcceptedPixels) {
    const Bitmap24 picture = RandomPicture(64, 8, 1);
    std::mt19937 rng(7);
    WarpMesh mesh = RandomMesh(64, 8, 2, 3, rng);
    CompleteTriangles(mesh);
    long long accepted = 0;  // pixels the inside test takes, triangle by triangle
    for (const MeshTriangle& t : MeshTriangles(mesh)) {
        MeshPoint p[3];
        for (int v = 0; v < 3; ++v) p[v] = NodePosition(mesh, MeshSide::kTarget, t[v]);
        reference::Box box{
            std::max(std::min({p[0].x, p[1].x, p[2].x}), 0), std::max(std::min({p[0].y, p[1].y, p[2].y}), 0),
            std::min(std::max({p[0].x, p[1].x, p[2].x}), 63), std::min(std::max({p[0].y, p[1].y, p[2].y}), 7)};
        for (int y = box.top; y <= box.bottom; ++y)
            for (int x = box.left; x <= box.right; ++x)
                accepted += reference::InsideTriangle(p[0], p[1], p[2], x, y, box);
    }
    Steps steps;
    Bitmap24 out(64, 8, colors::kWhite);
    WarpTriangles(mesh, picture.View(), out.View(), &steps);
    EXPECT_EQ(steps.max, 64 * 8 / 32);
    std::vector<int> expected;
    for (int p = 1; p <= 1 + (accepted - 32) / 31; ++p) expected.push_back(p);
    expected.push_back(0);
    EXPECT_EQ(steps.positions, expected) << accepted;
}

TEST(Morph, FramesInterpolateAndLeaveTheMeshAsItWas) {
    EXPECT_EQ(InterpolateCoordinate(10, 3, 1, 2), 7);
    EXPECT_EQ(InterpolateCoordinate(3, 10, 1, 2), 6);
    EXPECT_EQ(InterpolateCoordinate(0, -5, 1, 2), -2);
    for (auto [k, name] : std::vector<std::pair<int, std::string>>{{0, "00"}, {9, "09"}, {10, "10"}, {65535, "65535"}})
        EXPECT_EQ(FrameNumber(k), name);

    const Bitmap24 picture = RandomPicture(40, 30, 9);
    std::mt19937 rng(5);
    for (bool changeNum : {true, false}) {
        const WarpMesh start = RandomMesh(40, 30, 4, 8, rng);
        WarpMesh mesh = start;
        std::vector<std::pair<int, Bitmap24>> frames;
        RenderMorph(picture.View(), mesh, Morph(3, 0, 3, changeNum),
                    [&frames](int k, Bitmap24 f) { frames.emplace_back(k, std::move(f)); });
        ASSERT_EQ(frames.size(), 4u);
        WarpMesh plain = start;
        plain.TargetLinks = plain.SourceLinks;
        EXPECT_EQ(frames[0].second, reference::WarpPicture(picture.View(), plain));
        WarpMesh full = start;  // without "ChangeNum" frame 0's diagonals shape the later frames
        EXPECT_TRUE(!changeNum || frames[3].second == reference::WarpPicture(picture.View(), full));
        // Positions of the user's target nodes are kept, added links or not.
        for (int n = 0; n < start.NodeCount; ++n)
            EXPECT_EQ(NodePosition(mesh, MeshSide::kTarget, n), NodePosition(start, MeshSide::kTarget, n));
        EXPECT_EQ(mesh.LinkCount == start.LinkCount, changeNum);
    }
    WarpMesh mesh = RectangleMesh(4, 4);
    EXPECT_THROW(RenderMorph(picture.View(), mesh, Morph(0, 1, 2, true), [](int, Bitmap24) {}), std::invalid_argument);
}

}  // namespace
}  // namespace kelbo

namespace kelbo {
namespace {

TEST(MeshWarp, EverySpanFormGivesThePlainBytes) {
    const Bitmap24 picture = RandomPicture(90, 70, 8);
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> coord(-40, 120), small(-60, 60);
    for (int round = 0; round < 300; ++round) {
        const int e1x = small(rng) | 1, e1y = small(rng), e2x = small(rng), e2y = small(rng) | 1;
        double det = static_cast<double>(e1x) * e2y - static_cast<double>(e2x) * e1y;
        if (-0.01 < det && det < 0.01) det = 1.0;
        const warp_detail::SpanMap map{static_cast<double>(small(rng) * e1x),
                                       static_cast<double>(e1y),
                                       static_cast<double>(e2x),
                                       det,
                                       static_cast<double>(e1x),
                                       static_cast<double>(small(rng)),
                                       static_cast<double>(small(rng)),
                                       static_cast<double>(small(rng)),
                                       static_cast<double>(small(rng)),
                                       static_cast<double>(coord(rng)),
                                       static_cast<double>(coord(rng)),
                                       static_cast<double>(coord(rng)),
                                       90.0,
                                       70.0};
        std::vector<std::uint8_t> plain(3 * 90), sse2(3 * 90), avx2(3 * 90);
        const int from = round % 7, to = 89 - round % 5;
        warp_detail::FillSpanPlain(map, picture.View(), plain.data(), from, to);
        warp_detail::FillSpanSse2(map, picture.View(), sse2.data(), from, to);
        warp_detail::BestFillSpan()(map, picture.View(), avx2.data(), from, to);
        EXPECT_EQ(sse2, plain) << round;
        EXPECT_EQ(avx2, plain) << round;
    }
}

}  // namespace
}  // namespace kelbo
