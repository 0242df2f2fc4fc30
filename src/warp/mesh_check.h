// Checking a mesh before it is warped: triangles that fold over between the
// source and the target (or a frame of the morph), and nodes outside the
// picture. The warp window asks before rendering a folding mesh; kelbo-cli
// mesh-check reports both.
#pragma once

#include <vector>

#include "warp/mesh.h"
#include "warp/warp.h"

namespace kelbo {

struct FoldingTriangle {
    MeshTriangle nodes;
    int frame = 0;  // the first frame k where it folds

    friend bool operator==(const FoldingTriangle&, const FoldingTriangle&) = default;
};

// The triangles the warp fills at frames first..last of an N-frame morph
// (N = 1 is the warp onto the target itself) whose target turns over or
// loses all its area against the source. Each frame is completed into
// triangles as the morph completes it, with the links the triangulation adds
// dropped again. A source triangle without area is not checked: it has no
// orientation to lose. Each triangle is listed once, at its first folding
// frame, frames in order. Throws MeshFullError as the warp would.
std::vector<FoldingTriangle> FoldingTriangles(const WarpMesh& mesh, int frames = 1, int first = 1, int last = 1);

struct OutsideNode {
    int node = 0;
    MeshSide side = MeshSide::kSource;
    MeshPoint point;

    friend bool operator==(const OutsideNode&, const OutsideNode&) = default;
};

// The nodes lying outside a width x height picture, in the source then in
// the target; every morph frame lies between the two.
std::vector<OutsideNode> NodesOutside(const WarpMesh& mesh, int width, int height);

}  // namespace kelbo
