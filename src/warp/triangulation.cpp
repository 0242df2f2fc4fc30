// Completing the mesh into triangles. The greedy order and the crossing
// test are the described ones; what is cached only saves repeating work
// whose answer cannot have changed: node positions stay fixed throughout,
// links below the count a triple started from are never dropped, so a pair
// crossing one of them stays blocked and a pair found free of them need not
// test them again.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "warp/warp.h"

namespace kelbo {

bool LinkCrossesMesh(std::span<const TMeshLink> links, MeshPoint a, MeshPoint b) {
    for (const TMeshLink& link : links) {
        double dx = static_cast<double>(b.x) - a.x;
        if (dx == 0) dx = 0.000001;
        const double dy = static_cast<double>(b.y) - a.y;
        const double ex = static_cast<double>(link.X2) - link.X1;
        const double ey = static_cast<double>(link.Y2) - link.Y1;
        double den = dx * ey - ex * dy;
        if (den == 0) den = 0.000001;
        const double s = (dx * (static_cast<double>(a.y) - link.Y1) + dy * (static_cast<double>(link.X1) - a.x)) / den;
        const double t = (s * ex + link.X1 - a.x) / dx;
        if (0 < s && s < 1 && 0 < t && t < 1) return true;
    }
    return false;
}

bool AddFreeLink(WarpMesh& mesh, int a, int b) {
    if (LinkExists(mesh, a, b)) return false;
    const MeshPoint sa = NodePosition(mesh, MeshSide::kSource, a), sb = NodePosition(mesh, MeshSide::kSource, b);
    const MeshPoint ta = NodePosition(mesh, MeshSide::kTarget, a), tb = NodePosition(mesh, MeshSide::kTarget, b);
    if (LinkCrossesMesh(mesh.InUse(MeshSide::kSource), sa, sb)) return false;
    if (LinkCrossesMesh(mesh.InUse(MeshSide::kTarget), ta, tb)) return false;
    if (mesh.LinkCount >= MaxMeshLinks) throw MeshFullError();
    mesh.SourceLinks[mesh.LinkCount] = {sa.x, sa.y, sb.x, sb.y, a, b};
    mesh.TargetLinks[mesh.LinkCount] = {ta.x, ta.y, tb.x, tb.y, a, b};
    ++mesh.LinkCount;
    return true;
}

namespace {

bool Crosses(const TMeshLink& link, MeshPoint a, MeshPoint b) { return LinkCrossesMesh(std::span(&link, 1), a, b); }

class Triangulator {
public:
    explicit Triangulator(WarpMesh& mesh)
        : mesh_(mesh),
          n_(mesh.NodeCount),
          source_(n_),
          target_(n_),
          links_(Cells(), 0),
          checked_(Cells(), 0),
          blocked_(Cells(), 0) {
        for (int v = 0; v < n_; ++v) {
            source_[v] = NodePosition(mesh, MeshSide::kSource, v);
            target_[v] = NodePosition(mesh, MeshSide::kTarget, v);
        }
        for (const TMeshLink& link : mesh.InUse(MeshSide::kSource)) Count(link, +1);
    }

    bool Linked(int a, int b) const { return links_[Cell(a, b)] > 0; }
    bool Blocked(int a, int b) const { return blocked_[Cell(a, b)] != 0; }

    // AddFreeLink while the links below `kept` are there to stay.
    void TryAdd(int a, int b, int kept) {
        if (Linked(a, b) || Blocked(a, b)) return;
        const std::size_t cell = Cell(a, b);
        for (int i = checked_[cell]; i < mesh_.LinkCount; ++i) {
            if (Crosses(mesh_.SourceLinks[i], source_[a], source_[b]) ||
                Crosses(mesh_.TargetLinks[i], target_[a], target_[b])) {
                if (i < kept)
                    blocked_[cell] = 1;
                else
                    checked_[cell] = static_cast<std::uint16_t>(kept);
                return;
            }
        }
        checked_[cell] = static_cast<std::uint16_t>(kept);
        if (mesh_.LinkCount >= MaxMeshLinks) throw MeshFullError();
        mesh_.SourceLinks[mesh_.LinkCount] = {source_[a].x, source_[a].y, source_[b].x, source_[b].y, a, b};
        mesh_.TargetLinks[mesh_.LinkCount] = {target_[a].x, target_[a].y, target_[b].x, target_[b].y, a, b};
        Count(mesh_.SourceLinks[mesh_.LinkCount], +1);
        ++mesh_.LinkCount;
    }

    void DropTo(int count) {
        while (mesh_.LinkCount > count) Count(mesh_.SourceLinks[--mesh_.LinkCount], -1);
    }

private:
    std::size_t Cells() const { return static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_); }
    std::size_t Cell(int a, int b) const { return static_cast<std::size_t>(a) * static_cast<std::size_t>(n_) + b; }

    void Count(const TMeshLink& link, int delta) {
        // Only a hand-made file can name nodes beyond NodeCount in the target.
        if (link.Node1 < 0 || link.Node2 < 0 || link.Node1 >= n_ || link.Node2 >= n_) return;
        links_[Cell(link.Node1, link.Node2)] += delta;
        if (link.Node1 != link.Node2) links_[Cell(link.Node2, link.Node1)] += delta;
    }

    WarpMesh& mesh_;
    int n_;
    std::vector<MeshPoint> source_, target_;
    std::vector<std::int16_t> links_;     // links joining the pair
    std::vector<std::uint16_t> checked_;  // kept links the pair is known not to cross
    std::vector<std::uint8_t> blocked_;   // the pair crosses a kept link
};

}  // namespace

void CompleteTriangles(WarpMesh& mesh, Progress* progress) {
    const int n = mesh.NodeCount;
    ProgressScope scope(progress, n >= 2 ? (n - 1) * (n - 2) / 2 : 0);
    Triangulator mesh3(mesh);
    int position = 0;
    for (int i = 0; i + 2 < n; ++i) {
        for (int j = i + 1; j + 1 < n; ++j) {
            scope.Set(++position);
            // A pair that can never be linked completes no triple.
            if (!mesh3.Linked(i, j) && mesh3.Blocked(i, j)) continue;
            for (int k = j + 1; k < n; ++k) {
                if (mesh3.Linked(i, j) && mesh3.Linked(i, k) && mesh3.Linked(k, j)) continue;
                const int kept = mesh.LinkCount;
                mesh3.TryAdd(i, j, kept);
                mesh3.TryAdd(i, k, kept);
                mesh3.TryAdd(j, k, kept);
                if (!(mesh3.Linked(i, j) && mesh3.Linked(i, k) && mesh3.Linked(k, j))) mesh3.DropTo(kept);
            }
        }
    }
}

std::vector<MeshTriangle> MeshTriangles(const WarpMesh& mesh) {
    const int n = mesh.NodeCount;
    std::vector<std::uint8_t> linked(static_cast<std::size_t>(n) * n, 0);
    std::vector<std::vector<int>> higher(n);
    for (const TMeshLink& link : mesh.InUse(MeshSide::kSource)) {
        const int a = std::min(link.Node1, link.Node2), b = std::max(link.Node1, link.Node2);
        if (a < 0 || b >= n || a == b || linked[static_cast<std::size_t>(a) * n + b]) continue;
        linked[static_cast<std::size_t>(a) * n + b] = 1;
        higher[a].push_back(b);
    }
    std::vector<MeshTriangle> triangles;
    for (int i = 0; i < n; ++i) {
        std::ranges::sort(higher[i]);
        for (std::size_t p = 0; p < higher[i].size(); ++p) {
            for (std::size_t q = p + 1; q < higher[i].size(); ++q) {
                const int j = higher[i][p], k = higher[i][q];
                if (linked[static_cast<std::size_t>(j) * n + k]) triangles.push_back({i, j, k});
            }
        }
    }
    return triangles;
}

}  // namespace kelbo
