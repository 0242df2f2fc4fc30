// The mesh warp on a 6000 x 4000 picture, and a 100-frame morph of 1000 x 1000.
#include <benchmark/benchmark.h>

#include "core/bitmap24.h"
#include "imaging/filters/filter_pictures.h"
#include "warp/morph.h"
#include "warp_meshes.h"

namespace {

// Args: grid columns, rows, threads.
void BM_Warp(benchmark::State& state) {
    static const kelbo::Bitmap24 picture = kelbo::testing::RandomPicture(6000, 4000, 77);
    const kelbo::WarpMesh start = kelbo::bench::GridMesh(static_cast<int>(state.range(0)),
                                                         static_cast<int>(state.range(1)), 6000, 4000);
    kelbo::WarpOptions options;
    options.threads = static_cast<int>(state.range(2));
    for (auto _ : state) {
        kelbo::WarpMesh mesh = start;
        kelbo::Bitmap24 out = kelbo::WarpPicture(picture.View(), mesh, options);
        benchmark::DoNotOptimize(out.Data());
    }
    state.SetItemsProcessed(state.iterations() * 6000 * 4000);
}

// Args: threads; reports frames per second.
void BM_Morph100(benchmark::State& state) {
    static const kelbo::Bitmap24 picture = kelbo::testing::RandomPicture(1000, 1000, 77);
    const kelbo::WarpMesh start = kelbo::bench::GridMesh(5, 10, 1000, 1000);
    kelbo::MorphOptions options;
    options.frames = 100, options.first = 1, options.last = 100;
    options.warp.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        kelbo::WarpMesh mesh = start;
        kelbo::RenderMorph(picture.View(), mesh, options,
                           [](int, kelbo::Bitmap24 frame) { benchmark::DoNotOptimize(frame.Data()); });
    }
    state.counters["frames/s"] = benchmark::Counter(100.0 * state.iterations(), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_Warp)->Args({3, 3, 1})->Args({5, 10, 1})->Args({5, 10, 2})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Morph100)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
