// The morph animation: frame k of N is the warp onto a target mesh the
// fraction k/N of the way from the source mesh to the user's target mesh.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/bitmap24.h"
#include "core/frame_number.h"
#include "warp/mesh.h"
#include "warp/warp.h"

namespace kelbo {

// S + (k (T - S)) div N, the division truncating toward zero.
std::int32_t InterpolateCoordinate(std::int32_t s, std::int32_t t, int k, int n);

// Sets every coordinate of the target links in use between the source and
// `target` (the user's target mesh); node numbers stay the target's.
void InterpolateTarget(WarpMesh& mesh, const MeshLinks& target, int k, int n);

struct MorphOptions {
    int frames = 2;  // N, "Počet obrázkov"
    int first = 1;   // "Začiatočný obrázok"
    int last = 2;    // "Posledný obrázok"; nothing is rendered when below first
    WarpOptions warp;
};

// Renders frames first .. last, handing each to `onFrame` as it is made.
// Throws std::invalid_argument for N = 0 or a frame number outside 0..65535.
// The target mesh is the same afterwards, on failure too; links the
// triangulation added stay only when `warp.changeNum` is off.
void RenderMorph(ConstPixelView clean, WarpMesh& mesh, const MorphOptions& options,
                 const std::function<void(int k, Bitmap24 frame)>& onFrame);

}  // namespace kelbo
