// The geometric operations on a 6000 x 4000 picture of noise.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/bitmap24.h"
#include "imaging/geometry/transforms.h"

namespace {

const kelbo::Bitmap24& Picture() {
    static const kelbo::Bitmap24 picture = [] {
        kelbo::Bitmap24 p(6000, 4000);
        std::uint32_t state = 2024;
        for (int y = 0; y < p.Height(); ++y) {
            std::uint8_t* row = p.Row(y);
            for (int i = 0; i < 3 * p.Width(); ++i) {
                state = state * 1103515245u + 12345u;
                row[i] = static_cast<std::uint8_t>(state >> 24);
            }
        }
        return p;
    }();
    return picture;
}

template <typename Operation>
void Run(benchmark::State& state, Operation operation) {
    for (auto _ : state) {
        kelbo::Bitmap24 result = operation(Picture().View());
        benchmark::DoNotOptimize(result.Data());
    }
    state.SetItemsProcessed(state.iterations() * Picture().Width() * Picture().Height());
}

void BM_Rotate(benchmark::State& state) {
    const int angle = static_cast<int>(state.range(0));
    Run(state, [angle](kelbo::ConstPixelView p) { return kelbo::Rotate(p, {angle, 3000, 2000}); });
}
void BM_Shear30(benchmark::State& state) {
    Run(state, [](kelbo::ConstPixelView p) { return kelbo::Shear(p, {30, 0}); });
}
void BM_Resize(benchmark::State& state) {
    const int percent = static_cast<int>(state.range(0));
    const auto method = static_cast<kelbo::ResizeMethod>(state.range(1));
    Run(state, [percent, method](kelbo::ConstPixelView p) {
        return kelbo::Resize(p, {p.Width() * percent / 100, p.Height() * percent / 100}, method);
    });
}
void BM_MirrorY(benchmark::State& state) {
    kelbo::Bitmap24 picture = Picture();
    for (auto _ : state) kelbo::MirrorY(picture.View());
    state.SetItemsProcessed(state.iterations() * picture.Width() * picture.Height());
}

}  // namespace

BENCHMARK(BM_Rotate)->Arg(45)->Arg(90)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Shear30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize)->Args({50, 0})->Args({50, 2})->Args({200, 1})->Args({200, 2})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorY)->Unit(benchmark::kMillisecond);
