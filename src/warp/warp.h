// The mesh warp: the mesh is completed into triangles, then every target
// triangle is filled with the affine image of its source triangle, sampled
// bilinearly from the clean picture.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/progress.h"
#include "warp/mesh.h"

namespace kelbo {

// Marks a missing crossing in the inside test.
inline constexpr double kNone = -100000.0;

// The segment A-B crosses a link in use of `links` (strictly inside both).
bool LinkCrossesMesh(std::span<const TMeshLink> links, MeshPoint a, MeshPoint b);

// Links a and b in both meshes unless they are linked already or the
// segment crosses either mesh; true when a link was added. Throws
// MeshFullError when the link is free but the mesh has no room.
bool AddFreeLink(WarpMesh& mesh, int a, int b);

// Greedy triangulation in node-number order; `progress` counts the pairs.
// Throws MeshFullError (the mesh then holds the links added so far).
void CompleteTriangles(WarpMesh& mesh, Progress* progress = nullptr);

using MeshTriangle = std::array<int, 3>;

// Every triple i < j < k whose three pairs are linked, in the order the
// warp fills them (later ones overwrite earlier ones).
std::vector<MeshTriangle> MeshTriangles(const WarpMesh& mesh);

// The bilinear sample at (sx, sy); the caller keeps it within
// 0 <= sx < W - 1, 0 <= sy < H - 1.
Color SampleBilinear(ConstPixelView picture, double sx, double sy);

// Fills the target triangles of `mesh` into `out` (the clean picture's
// size, white where nothing is drawn). `progress` advances after 32
// accepted pixels, then after every 31. With `threads` above 1 the rows are
// split between threads and no progress is reported.
void WarpTriangles(const WarpMesh& mesh, ConstPixelView clean, PixelView out, Progress* progress = nullptr,
                   int threads = 1);

struct WarpOptions {
    // "Zachovávať takú istú sieť aj po warpingu": drop the links the
    // triangulation added.
    bool changeNum = true;
    Progress* progress = nullptr;
    // The phase for the status bar: "Úprava siete", "Prepočet bodov", then "".
    std::function<void(std::string_view)> phase;
    int threads = 1;
};

// The warped picture, the clean picture's size. A target never made is made
// from the source first (without marking it valid). On failure the mesh
// keeps the links it had.
Bitmap24 WarpPicture(ConstPixelView clean, WarpMesh& mesh, const WarpOptions& options = {});

}  // namespace kelbo
