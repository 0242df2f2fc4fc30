// The neighbourhood filters on a 6000 x 4000 picture. Setting
// KELBO_BENCH_PICTURE to a path also writes the picture there as a 24-bit
// bitmap, so other tools can be timed on the very same pixels.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "codecs/bmp_writer.h"
#include "core/bitmap24.h"
#include "imaging/filters/filters.h"

namespace {

// Gradients, hard-edged blocks and noise, so that no filter meets long
// uniform stretches; the same bytes on every run.
kelbo::Bitmap24 MakePicture() {
    constexpr int kWidth = 6000;
    constexpr int kHeight = 4000;
    kelbo::Bitmap24 picture(kWidth, kHeight);
    std::uint32_t state = 12345;
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < kWidth; ++x, p += 3) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = static_cast<int>(state & 31) - 16;
            const int block = ((x / 97) ^ (y / 61)) & 3;
            p[0] = static_cast<std::uint8_t>(std::clamp(x * 255 / kWidth + noise, 0, 255));
            p[1] = static_cast<std::uint8_t>(std::clamp(y * 255 / kHeight + noise / 2, 0, 255));
            p[2] = static_cast<std::uint8_t>(std::clamp(block * 70 + noise, 0, 255));
        }
    }
    if (const char* path = std::getenv("KELBO_BENCH_PICTURE")) {
        kelbo::WriteBmp24(path, picture.View());
    }
    return picture;
}

const kelbo::Bitmap24& Picture() {
    static const kelbo::Bitmap24 picture = MakePicture();
    return picture;
}

template <typename Filter>
void RunFilter(benchmark::State& state, Filter filter) {
    const kelbo::ConstPixelView source = Picture().View();
    for (auto _ : state) {
        kelbo::Bitmap24 result = filter(source);
        benchmark::DoNotOptimize(result.Data());
    }
    state.SetItemsProcessed(state.iterations() * source.Width() * source.Height());
}

void BM_FilterAverage11(benchmark::State& state) {
    RunFilter(state, [](kelbo::ConstPixelView p) { return kelbo::Average(p, 5); });
}
void BM_FilterGaussian(benchmark::State& state) {
    RunFilter(state, [](kelbo::ConstPixelView p) { return kelbo::GaussianSmooth(p); });
}
void BM_FilterMedian11(benchmark::State& state) {
    RunFilter(state, [](kelbo::ConstPixelView p) { return kelbo::Median(p, 5); });
}
void BM_FilterRoberts(benchmark::State& state) {
    RunFilter(state, [](kelbo::ConstPixelView p) { return kelbo::Roberts(p, false); });
}
void BM_FilterLaplace4(benchmark::State& state) {
    RunFilter(state, [](kelbo::ConstPixelView p) { return kelbo::Laplace(p, kelbo::LaplaceNeighbours::kFour, false); });
}
void BM_FilterLaplace8(benchmark::State& state) {
    RunFilter(state,
              [](kelbo::ConstPixelView p) { return kelbo::Laplace(p, kelbo::LaplaceNeighbours::kEight, false); });
}
void BM_FilterSobel(benchmark::State& state) {
    RunFilter(state, [](kelbo::ConstPixelView p) { return kelbo::Sobel(p, kelbo::SobelOptions{}); });
}
void BM_FilterNoiseFrequency(benchmark::State& state) {
    RunFilter(state,
              [](kelbo::ConstPixelView p) { return kelbo::RemoveNoise(p, kelbo::NoiseMethod::kFrequency, 200); });
}
void BM_FilterNoiseSpatial(benchmark::State& state) {
    RunFilter(state, [](kelbo::ConstPixelView p) { return kelbo::RemoveNoise(p, kelbo::NoiseMethod::kSpatial, 200); });
}

BENCHMARK(BM_FilterAverage11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterGaussian)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterMedian11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterRoberts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterLaplace4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterLaplace8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSobel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterNoiseFrequency)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterNoiseSpatial)->Unit(benchmark::kMillisecond);

}  // namespace
