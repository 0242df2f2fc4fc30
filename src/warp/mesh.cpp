#include "warp/mesh.h"

#include <algorithm>
#include <cstdlib>

namespace kelbo {

MeshFullError::MeshFullError() : std::runtime_error("Sieť môže mať najviac 301 spojov; ďalší spoj sa nedá pridať.") {}

WarpMesh RectangleMesh(int width, int height) {
    const std::int32_t right = std::max(width - 1, 0);
    const std::int32_t bottom = std::max(height - 1, 0);
    WarpMesh mesh;
    mesh.SourceLinks[0] = {0, 0, right, 0, 0, 1};
    mesh.SourceLinks[1] = {right, 0, right, bottom, 1, 2};
    mesh.SourceLinks[2] = {right, bottom, 0, bottom, 2, 3};
    mesh.SourceLinks[3] = {0, bottom, 0, 0, 3, 0};
    mesh.LinkCount = 4;
    mesh.NodeCount = 4;
    return mesh;
}

MeshPoint NodePosition(std::span<const TMeshLink> links, int node) {
    MeshPoint point{-1, -1};
    for (const TMeshLink& link : links) {
        if (link.Node1 == node) point = {link.X1, link.Y1};
        if (link.Node2 == node) point = {link.X2, link.Y2};
    }
    return point;
}

MeshPoint NodePosition(const WarpMesh& mesh, MeshSide side, int node) { return NodePosition(mesh.InUse(side), node); }

namespace {

bool Near(std::int32_t a, std::int32_t b) { return std::llabs(static_cast<long long>(a) - b) < 5; }

}  // namespace

std::optional<FoundNode> FindNode(const WarpMesh& mesh, MeshSide side, MeshPoint point) {
    for (const TMeshLink& link : mesh.InUse(side)) {
        if (Near(point.x, link.X1) && Near(point.y, link.Y1)) return FoundNode{link.Node1, {link.X1, link.Y1}};
        if (Near(point.x, link.X2) && Near(point.y, link.Y2)) return FoundNode{link.Node2, {link.X2, link.Y2}};
    }
    return std::nullopt;
}

bool LinkExists(const WarpMesh& mesh, int a, int b) {
    return std::ranges::any_of(mesh.InUse(MeshSide::kSource), [a, b](const TMeshLink& link) {
        return (link.Node1 == a && link.Node2 == b) || (link.Node1 == b && link.Node2 == a);
    });
}

void AddLink(WarpMesh& mesh, MeshPoint start, int startNode, MeshPoint end, int endNode) {
    if (mesh.LinkCount >= MaxMeshLinks) throw MeshFullError();
    // Kept as given: an end dragged past the left or top edge stays there
    // instead of wrapping to the far side of a 16-bit range.
    mesh.SourceLinks[mesh.LinkCount] = {start.x, start.y, end.x, end.y, startNode, endNode};
    ++mesh.LinkCount;
}

void MoveNode(WarpMesh& mesh, MeshSide side, int node, MeshPoint point) {
    for (TMeshLink& link : std::span(mesh.Links(side)).first(mesh.LinkCount)) {
        if (link.Node1 == node) link.X1 = point.x, link.Y1 = point.y;
        if (link.Node2 == node) link.X2 = point.x, link.Y2 = point.y;
    }
}

namespace {

// Drops `node` when no link names it any more; true when it was dropped.
bool RemoveUnnamedNode(WarpMesh& mesh, int node) {
    std::span<TMeshLink> links = std::span(mesh.SourceLinks).first(mesh.LinkCount);
    const bool named = std::ranges::any_of(links,
                                           [node](const TMeshLink& l) { return l.Node1 == node || l.Node2 == node; });
    if (named) return false;
    --mesh.NodeCount;
    for (TMeshLink& link : links) {
        if (link.Node1 > node) --link.Node1;
        if (link.Node2 > node) --link.Node2;
    }
    return true;
}

}  // namespace

void DeleteLink(WarpMesh& mesh, int a, int b) {
    if (mesh.LinkCount <= 1) return;
    int found = -1;
    for (int i = mesh.LinkCount - 1; i >= 0 && found < 0; --i) {
        const TMeshLink& link = mesh.SourceLinks[i];
        if ((link.Node1 == a && link.Node2 == b) || (link.Node1 == b && link.Node2 == a)) found = i;
    }
    if (found < 0) return;
    std::copy(mesh.SourceLinks.begin() + found + 1, mesh.SourceLinks.begin() + mesh.LinkCount,
              mesh.SourceLinks.begin() + found);
    --mesh.LinkCount;
    const bool removedA = RemoveUnnamedNode(mesh, a);
    if (a == b) return;  // a link from a node to itself leaves one node to drop, not two
    if (removedA && b > a) --b;
    RemoveUnnamedNode(mesh, b);
}

void MakeTarget(WarpMesh& mesh) {
    if (!mesh.TargetValid) mesh.TargetLinks = mesh.SourceLinks;
}

void SwapMeshes(WarpMesh& mesh) { std::swap(mesh.SourceLinks, mesh.TargetLinks); }

}  // namespace kelbo
