// Reading and writing a 24-bit 6000 x 4000 bitmap in memory, against copying
// the same bytes: the codec should cost little more than the copy itself.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "core/bitmap24.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

const kelbo::Bitmap24& Photo() {
    static const kelbo::Bitmap24 photo = [] {
        kelbo::Bitmap24 p(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row = p.Row(y);
            for (int x = 0; x < kWidth; ++x, row += 3) {
                row[0] = static_cast<std::uint8_t>(x * 255 / kWidth);
                row[1] = static_cast<std::uint8_t>(y * 255 / kHeight);
                row[2] = static_cast<std::uint8_t>((x + y) / 40);
            }
        }
        return p;
    }();
    return photo;
}

const std::vector<std::uint8_t>& PhotoFile() {
    static const std::vector<std::uint8_t> file = kelbo::EncodeBmp24(Photo().View());
    return file;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(PhotoFile().size()));
}

void BM_Bmp24Read(benchmark::State& state) {
    const auto& file = PhotoFile();
    for (auto _ : state) {
        auto picture = kelbo::ReadBmp(file);
        benchmark::DoNotOptimize(picture);
    }
    SetBytes(state);
}
BENCHMARK(BM_Bmp24Read)->Unit(benchmark::kMillisecond);

void BM_Bmp24Write(benchmark::State& state) {
    const kelbo::ConstPixelView view = Photo().View();
    for (auto _ : state) {
        auto bytes = kelbo::EncodeBmp(view, kelbo::PixelFormat::k24);
        benchmark::DoNotOptimize(bytes.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_Bmp24Write)->Unit(benchmark::kMillisecond);

// The yardstick: the file's bytes copied into memory allocated for them, as
// reading and writing both allocate their result.
void BM_MemcpyFileBytes(benchmark::State& state) {
    const auto& file = PhotoFile();
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(file.size());
        std::memcpy(copy.data(), file.data(), file.size());
        benchmark::DoNotOptimize(copy.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_MemcpyFileBytes)->Unit(benchmark::kMillisecond);

// The same copy into memory that is already there.
void BM_MemcpyIntoReusedBuffer(benchmark::State& state) {
    const auto& file = PhotoFile();
    std::vector<std::uint8_t> copy(file.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), file.data(), file.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_MemcpyIntoReusedBuffer)->Unit(benchmark::kMillisecond);

// Saving a true-colour picture as 8 bits: median cut and nearest colours.
void BM_Bmp8WriteFromTrueColour(benchmark::State& state) {
    const kelbo::ConstPixelView view = Photo().View();
    for (auto _ : state) {
        auto bytes = kelbo::EncodeBmp(view, kelbo::PixelFormat::k8);
        benchmark::DoNotOptimize(bytes.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_Bmp8WriteFromTrueColour)->Unit(benchmark::kMillisecond);

}  // namespace
