#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "core/bitmap24.h"
#include "imaging/colour/colour_count.h"
#include "imaging/colour/fit_preview.h"
#include "imaging/colour/histogram.h"
#include "imaging/colour/hsl.h"
#include "imaging/colour/point_ops.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// Gradients across the picture with grain and a few flat blocks, so some
// operations meet runs of one colour and others none: about a photograph's
// mix, the same bytes on every run.
const kelbo::Bitmap24& Photo() {
    static const kelbo::Bitmap24 photo = [] {
        kelbo::Bitmap24 picture(kWidth, kHeight);
        std::uint32_t state = 2024;
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* p = picture.Row(y);
            for (int x = 0; x < kWidth; ++x, p += 3) {
                state = state * 1664525u + 1013904223u;
                const int grain = static_cast<int>(state >> 28) - 8;
                const bool flat = (x / 500 + y / 500) % 5 == 0;
                const int r = flat ? 200 : x * 255 / kWidth + grain;
                const int g = flat ? 180 : y * 255 / kHeight + grain;
                const int b = flat ? 40 : ((x + y) / 40) % 256;
                p[0] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
                p[1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
                p[2] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
            }
        }
        return picture;
    }();
    return photo;
}

void Restore(kelbo::Bitmap24& picture) { std::memcpy(picture.Data(), Photo().Data(), Photo().ByteSize()); }

// Runs `op` on a fresh copy of the photo each time; the copy is not timed.
template <typename Op>
void InPlace(benchmark::State& state, Op op) {
    kelbo::Bitmap24 picture = Photo();
    for (auto _ : state) {
        state.PauseTiming();
        Restore(picture);
        state.ResumeTiming();
        op(picture.View());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Photo().ByteSize()));
}

// The yardstick: one plain copy of the same bytes.
void BM_ColourCopyReference(benchmark::State& state) {
    kelbo::Bitmap24 target(kWidth, kHeight);
    for (auto _ : state) {
        std::memcpy(target.Data(), Photo().Data(), Photo().ByteSize());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Photo().ByteSize()));
}

void BM_Negative(benchmark::State& state) {
    InPlace(state, [](kelbo::PixelView p) { kelbo::Negative(p); });
}
void BM_GreyScale(benchmark::State& state) {
    InPlace(state, [](kelbo::PixelView p) { kelbo::GreyScale(p); });
}
void BM_ChangeRgb(benchmark::State& state) {
    InPlace(state, [](kelbo::PixelView p) { kelbo::ChangeRgb(p, {150, 80, 120}); });
}
void BM_ChangeRgbExceptWhite(benchmark::State& state) {
    InPlace(state, [](kelbo::PixelView p) { kelbo::ChangeRgb(p, {150, 80, 120, true, 30}); });
}
void BM_ChangeCmy(benchmark::State& state) {
    InPlace(state, [](kelbo::PixelView p) { kelbo::ChangeCmy(p, {150, 80, 120}); });
}
void BM_CorrectGamma(benchmark::State& state) {
    InPlace(state, [](kelbo::PixelView p) { kelbo::CorrectGamma(p, kelbo::GammaCorrection{80, 100, 120}); });
}
void BM_ApplyThreshold(benchmark::State& state) {
    InPlace(state, [](kelbo::PixelView p) {
        kelbo::ApplyThreshold(p, {40, 128, 220, kelbo::colors::kBlue, kelbo::colors::kWhite});
    });
}
// By the step of its vectors (8, 4, 0 for pixel by pixel); a step the
// processor lacks runs the widest it has.
void BM_ChangeHsl(benchmark::State& state) {
    const int step = static_cast<int>(state.range(0));
    InPlace(state, [step](kelbo::PixelView p) { kelbo::detail::ChangeHSL(p, 20, -30, 10, nullptr, step); });
}
void BM_Equalize(benchmark::State& state) {
    InPlace(state, [](kelbo::PixelView p) { kelbo::Equalize(p); });
}

void BM_CountChannels(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kelbo::CountChannels(Photo().View()));
}
void BM_CountLuminance(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kelbo::CountLuminance(Photo().View()));
}
void BM_CountColours(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kelbo::CountColours(Photo().View()));
}
void BM_FitPreview(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(kelbo::FitPreview(Photo().View(), kelbo::kPreviewWidth, kelbo::kPreviewHeight));
    }
}

// The palette is made inside the timing, as the dialog would make it.
void BM_ReduceColours(benchmark::State& state) {
    const auto depth = static_cast<kelbo::ColourDepth>(state.range(0));
    const auto method = static_cast<kelbo::ReductionMethod>(state.range(1));
    InPlace(state, [&](kelbo::PixelView p) { kelbo::ReduceColours(p, kelbo::ReductionPalette(p, depth), method); });
}

constexpr auto kMs = benchmark::kMillisecond;
BENCHMARK(BM_ColourCopyReference)->Unit(kMs);
BENCHMARK(BM_Negative)->Unit(kMs);
BENCHMARK(BM_GreyScale)->Unit(kMs);
BENCHMARK(BM_ChangeRgb)->Unit(kMs);
BENCHMARK(BM_ChangeRgbExceptWhite)->Unit(kMs);
BENCHMARK(BM_ChangeCmy)->Unit(kMs);
BENCHMARK(BM_CorrectGamma)->Unit(kMs);
BENCHMARK(BM_ApplyThreshold)->Unit(kMs);
BENCHMARK(BM_ChangeHsl)->Arg(8)->Arg(4)->Arg(0)->Unit(kMs);
BENCHMARK(BM_Equalize)->Unit(kMs);
BENCHMARK(BM_CountChannels)->Unit(kMs);
BENCHMARK(BM_CountLuminance)->Unit(kMs);
BENCHMARK(BM_CountColours)->Unit(kMs);
BENCHMARK(BM_FitPreview)->Unit(benchmark::kMicrosecond);
// depth (kBlackWhite 0, kSixteen 2, k256 4), method (round 0, random 1, fs 2)
BENCHMARK(BM_ReduceColours)
    ->ArgNames({"depth", "method"})
    ->Args({0, 2})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Args({2, 2})
    ->Args({4, 0})
    ->Args({4, 2})
    ->Unit(kMs);

}  // namespace
