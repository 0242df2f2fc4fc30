// The benchmark meshes: a grid of nodes over the picture, linked to their
// right and lower neighbours; bench/warp_meshes.py writes the same meshes as
// files for the whole-process comparison.
#pragma once

#include <cmath>

#include "warp/mesh.h"

namespace kelbo::bench {

// cols x rows nodes at the grid points of a w x h picture, node r * cols + c.
// Inner nodes move in the target: `centreShift` of the width to the right
// for the centre of a 3 x 3 grid, otherwise by the fixed pattern (+-3 % of
// the cell) that warp_meshes.py uses.
inline WarpMesh GridMesh(int cols, int rows, int w, int h) {
    WarpMesh mesh;
    const auto at = [&](int c, int r) {
        return MeshPoint{static_cast<std::int32_t>(static_cast<long long>(c) * (w - 1) / (cols - 1)),
                         static_cast<std::int32_t>(static_cast<long long>(r) * (h - 1) / (rows - 1))};
    };
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int n = r * cols + c;
            if (c + 1 < cols) AddLink(mesh, at(c, r), n, at(c + 1, r), n + 1);
            if (r + 1 < rows) AddLink(mesh, at(c, r), n, at(c, r + 1), n + cols);
        }
    }
    mesh.NodeCount = static_cast<std::uint16_t>(cols * rows);
    MakeTarget(mesh);
    mesh.TargetValid = true;
    for (int r = 1; r + 1 < rows; ++r) {
        for (int c = 1; c + 1 < cols; ++c) {
            const MeshPoint p = at(c, r);
            const int dx = cols == 3 && rows == 3 ? w / 10 : ((c * 7 + r * 3) % 7 - 3) * (w / (cols - 1)) / 100;
            const int dy = cols == 3 && rows == 3 ? 0 : ((c * 5 + r * 11) % 7 - 3) * (h / (rows - 1)) / 100;
            MoveNode(mesh, MeshSide::kTarget, r * cols + c, {p.x + dx, p.y + dy});
        }
    }
    return mesh;
}

}  // namespace kelbo::bench
