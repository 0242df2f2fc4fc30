// The warp mesh: numbered nodes joined by links, held twice with the same
// links (the source mesh marks features of the picture, the target mesh says
// where they move). A node is only an end of links; its position is read
// from the links of one mesh.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>

namespace kelbo {

struct TMeshLink {
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::int32_t Node1 = 0;
    std::int32_t Node2 = 0;

    friend bool operator==(const TMeshLink&, const TMeshLink&) = default;
};

inline constexpr int MaxMeshLinks = 301;
// Every link adds at most two nodes, so a mesh has at most this many.
inline constexpr int kMaxMeshNodes = 2 * MaxMeshLinks;
// Coordinates a mesh file may hold: far beyond any picture (65535 pixels at
// most), small enough that the warp's products stay exact.
inline constexpr std::int32_t kMaxMeshCoordinate = 1 << 20;

// Adding a link to a mesh that already has MaxMeshLinks of them.
class MeshFullError : public std::runtime_error {
public:
    MeshFullError();
};

struct MeshPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const MeshPoint&, const MeshPoint&) = default;
};

enum class MeshSide { kSource, kTarget };

using MeshLinks = std::array<TMeshLink, MaxMeshLinks>;

// The mesh state of one warp window; every field starts at zero.
struct WarpMesh {
    MeshLinks SourceLinks{};
    MeshLinks TargetLinks{};
    std::uint16_t LinkCount = 0;
    std::uint16_t NodeCount = 0;
    std::int32_t CurrentNode = 0;
    bool TargetValid = false;

    MeshLinks& Links(MeshSide side) { return side == MeshSide::kSource ? SourceLinks : TargetLinks; }
    const MeshLinks& Links(MeshSide side) const { return side == MeshSide::kSource ? SourceLinks : TargetLinks; }
    std::span<const TMeshLink> InUse(MeshSide side) const { return std::span(Links(side)).first(LinkCount); }
};

// The rectangle around a W x H picture: nodes 0..3 at the corners from the
// top left clockwise, links 0->1, 1->2, 2->3, 3->0; only the source is set.
WarpMesh RectangleMesh(int width, int height);

// The last link end in use that names `node`; (-1, -1) when none does.
MeshPoint NodePosition(std::span<const TMeshLink> links, int node);
MeshPoint NodePosition(const WarpMesh& mesh, MeshSide side, int node);

struct FoundNode {
    int node = -1;
    MeshPoint point;  // the exact position of the matching end
};

// The first link end (first end before second) less than 5 pixels off in
// both directions.
std::optional<FoundNode> FindNode(const WarpMesh& mesh, MeshSide side, MeshPoint point);

// Some link in use joins a and b, in either order.
bool LinkExists(const WarpMesh& mesh, int a, int b);

// Appends a link to the source mesh. Throws
// MeshFullError when the mesh has no room.
void AddLink(WarpMesh& mesh, MeshPoint start, int startNode, MeshPoint end, int endNode);

// Writes the position into every end in use that names the node.
void MoveNode(WarpMesh& mesh, MeshSide side, int node, MeshPoint point);

// Removes the last link that joins a and b and the nodes it leaves unnamed,
// renumbering the later nodes so they stay 0 .. NodeCount - 1. Source mesh
// only; nothing when the mesh has one link or none joins them.
void DeleteLink(WarpMesh& mesh, int a, int b);

// Copies the source mesh into the target while the target is not valid;
// whether the copy then counts as made is the caller's decision.
void MakeTarget(WarpMesh& mesh);

void SwapMeshes(WarpMesh& mesh);

}  // namespace kelbo
