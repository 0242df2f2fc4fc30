#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "codecs/gif_compose.h"
#include "codecs/gif_decoder.h"
#include "codecs/gif_lzw.h"
#include "codecs/gif_test_files.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 800;
constexpr int kFrames = 20;

// Made once: 1000 x 800, 20 full frames of 256 colours, every second one transparent.
const std::vector<std::uint8_t>& Animation() {
    static const std::vector<std::uint8_t> bytes = kelbo::testing::MakeAnimatedGif(kWidth, kHeight, kFrames);
    return bytes;
}

constexpr std::int64_t kPixels = std::int64_t{kWidth} * kHeight * kFrames;

// Everything the GIF control's load does: blocks, LZW, indices, colour frames and masks.
void BM_GifDecodeAnimation(benchmark::State& state) {
    const auto& bytes = Animation();
    for (auto _ : state) {
        kelbo::Result<kelbo::GifFile> file = kelbo::DecodeGif(bytes);
        if (!file) state.SkipWithError(file.Error().message.c_str());
        benchmark::DoNotOptimize(file);
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_GifDecodeAnimation)->Unit(benchmark::kMillisecond);

// The block walk alone, as `info` and a browser asking for sizes use it.
void BM_GifWalkBlocks(benchmark::State& state) {
    const auto& bytes = Animation();
    kelbo::GifDecodeOptions options;
    options.decodePixels = false;
    for (auto _ : state) {
        kelbo::Result<kelbo::GifFile> file = kelbo::DecodeGif(bytes, options);
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_GifWalkBlocks)->Unit(benchmark::kMicrosecond);

// One pass of the animation over the logical screen: dispose, compose, for every frame.
void BM_GifComposeAnimation(benchmark::State& state) {
    const kelbo::GifFile file = kelbo::DecodeGif(Animation()).Value();
    for (auto _ : state) {
        std::uint64_t sum = 0;
        kelbo::ComposeGifFrames(file, [&](std::size_t, const kelbo::GifComposer& screen) {
            sum += screen.Buffer().Row(kHeight / 2)[kWidth / 2];
        });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}
BENCHMARK(BM_GifComposeAnimation)->Unit(benchmark::kMillisecond);

// The LZW decoder alone, into a buffer that is reused: one frame of the same
// kind of picture, decoded 20 times. The difference to the full decode is
// mostly first touches of the fresh frame memory (5 bytes a pixel).
void BM_GifLzwOnly(benchmark::State& state) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(kWidth) * kHeight);
    std::uint32_t noise = 12345;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1103515245u + 12345u;
            indices[static_cast<std::size_t>(y) * kWidth + x] = static_cast<std::uint8_t>(
                x / 6 + y / 8 + static_cast<int>((noise >> 16) % 3));
        }
    }
    std::vector<std::uint8_t> data{8};
    const auto blocks = kelbo::testing::GifSubBlocks(kelbo::testing::EncodeGifLzw(indices, 8));
    data.insert(data.end(), blocks.begin(), blocks.end());
    std::vector<std::uint8_t> out(indices.size());
    for (auto _ : state) {
        for (int f = 0; f < kFrames; ++f) {
            kelbo::ByteReader reader(data);
            benchmark::DoNotOptimize(kelbo::DecodeGifLzw(reader, out));
        }
    }
    if (out != indices) state.SkipWithError("decoded pixels differ");
    state.SetItemsProcessed(state.iterations() * kPixels);
}
BENCHMARK(BM_GifLzwOnly)->Unit(benchmark::kMillisecond);

}  // namespace
