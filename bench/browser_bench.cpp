#include <benchmark/benchmark.h>

#include <filesystem>

#include "browser/thumbnail.h"
#include "codecs/jpeg_image.h"
#include "codecs/picture_files.h"
#include "core/bitmap24.h"

// The browser's cost per 1600 x 1200 JPEG: the file decoded in full, then the
// thumbnail sampled from it, as the worker does for each file (1,000 files
// take a thousand times one iteration). Decoding alone is timed beside it:
// the thumbnail's share is the difference.

namespace {

const std::filesystem::path& JpegFile() {
    static const std::filesystem::path path = [] {
        kelbo::Bitmap24 picture(1600, 1200);
        for (int y = 0; y < 1200; ++y) {
            std::uint8_t* row = picture.Row(y);
            for (int x = 0; x < 1600; ++x, row += 3) {
                row[0] = static_cast<std::uint8_t>(x / 7);
                row[1] = static_cast<std::uint8_t>(y / 5);
                row[2] = static_cast<std::uint8_t>((x ^ y) & 0x7F);
            }
        }
        const auto file = std::filesystem::temp_directory_path() / "kelbo_browser_bench.jpg";
        kelbo::TJPEGImage jpeg;
        kelbo::SaveJpegFile(picture.View(), file, kelbo::PictureCodecs{jpeg, nullptr});
        return file;
    }();
    return path;
}

void BM_JpegDecode1600(benchmark::State& state) {
    for (auto _ : state) {
        kelbo::TJPEGImage jpeg;
        benchmark::DoNotOptimize(kelbo::LoadPictureFile(JpegFile(), kelbo::PictureCodecs{jpeg, nullptr}));
    }
}

void BM_BrowserThumbnailOfJpeg1600(benchmark::State& state) {
    for (auto _ : state) {
        kelbo::TJPEGImage jpeg;
        const kelbo::LoadedPicture picture = kelbo::LoadPictureFile(JpegFile(), kelbo::PictureCodecs{jpeg, nullptr});
        benchmark::DoNotOptimize(kelbo::MakeThumbnail(picture.bitmap.View()));
    }
}

}  // namespace

BENCHMARK(BM_JpegDecode1600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrowserThumbnailOfJpeg1600)->Unit(benchmark::kMillisecond);
