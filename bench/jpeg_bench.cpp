#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "codecs/jpeg_image.h"
#include "codecs/jpeg_parameters.h"
#include "core/bitmap24.h"

// A 6000 x 4000 picture through the JPEG picture class, against the same
// library driven bare the way its documentation shows (RGB rows in a plain
// buffer, the library's memory source and destination, one row per call as
// the class reads and writes them). The class's aim: at most 10 % slower.

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

const kelbo::Bitmap24& Picture() {
    static const kelbo::Bitmap24 picture = [] {
        kelbo::Bitmap24 p(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row = p.Row(y);
            for (int x = 0; x < kWidth; ++x, row += 3) {
                row[0] = static_cast<std::uint8_t>(x * 255 / kWidth);
                row[1] = static_cast<std::uint8_t>(y * 255 / kHeight);
                row[2] = static_cast<std::uint8_t>((x ^ y) & 0x3F) + static_cast<std::uint8_t>((x + y) / 80);
            }
        }
        return p;
    }();
    return picture;
}

// RGB rows, packed, for the bare library.
const std::vector<std::uint8_t>& PictureRgb() {
    static const std::vector<std::uint8_t> rgb = [] {
        std::vector<std::uint8_t> out(static_cast<std::size_t>(kWidth) * kHeight * 3);
        for (int y = 0; y < kHeight; ++y) {
            const std::uint8_t* p = Picture().Row(y);
            std::uint8_t* q = out.data() + static_cast<std::size_t>(y) * kWidth * 3;
            for (int x = 0; x < kWidth; ++x, p += 3, q += 3) {
                q[0] = p[2];
                q[1] = p[1];
                q[2] = p[0];
            }
        }
        return out;
    }();
    return rgb;
}

const std::vector<std::uint8_t>& Jpeg() {
    static const std::vector<std::uint8_t> jpeg = [] {
        kelbo::TJPEGImage image;
        image.SetPictureBitmap(Picture());
        std::vector<std::uint8_t> out;
        image.SaveToStream(&out);
        return out;
    }();
    return jpeg;
}

// A new picture needs new memory, for the class and for a bare caller alike
// (first touches of fresh pages dominate on some machines), so the bare
// decoder writes into a freshly allocated buffer each time.
struct BareOutput {
    std::unique_ptr<std::uint8_t[]> samples;  // what the library writes
    std::unique_ptr<std::uint8_t[]> bgr;      // 24-bit rows, when expanded
};

// The bare library with its standard error handler: the data is known good.
// With `expand`, quantised indices become 24-bit rows through the colour
// map, the picture the class delivers.
BareOutput BareDecode(bool quantise, bool expand) {
    BareOutput out;
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, Jpeg().data(), static_cast<unsigned long>(Jpeg().size()));
    jpeg_read_header(&cinfo, TRUE);
    if (quantise) {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 256;
    }
    jpeg_start_decompress(&cinfo);
    const std::size_t width = cinfo.output_width;
    const std::size_t stride = width * cinfo.output_components;
    out.samples.reset(new std::uint8_t[stride * cinfo.output_height]);
    if (expand) out.bgr.reset(new std::uint8_t[width * 3 * cinfo.output_height]);
    while (cinfo.output_scanline < cinfo.output_height) {
        const std::size_t y = cinfo.output_scanline;
        JSAMPROW row = out.samples.get() + stride * y;
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (expand) {
            std::uint8_t* q = out.bgr.get() + width * 3 * y;
            for (std::size_t x = 0; x < width; ++x, q += 3) {
                q[0] = cinfo.colormap[2][row[x]];
                q[1] = cinfo.colormap[1][row[x]];
                q[2] = cinfo.colormap[0][row[x]];
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

std::size_t BareEncode() {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.optimize_coding = TRUE;
    jpeg_set_quality(&cinfo, 75, FALSE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::uint8_t* rgb = PictureRgb().data();
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(cinfo.next_scanline) * kWidth * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return size;
}

// The class holds the file's bytes; copying them in is the file read's part,
// not the decoder's, so it stays outside the timing.
void ClassDecode(benchmark::State& state, kelbo::TJPEGImage& image) {
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::uint8_t> bytes = Jpeg();
        state.ResumeTiming();
        image.LoadFromBytes(std::move(bytes));
        benchmark::DoNotOptimize(image.Picture().bitmap.Data());
    }
}

void BM_JpegDecodeClass256(benchmark::State& state) {
    Jpeg();
    kelbo::TJPEGImage image;
    ClassDecode(state, image);
}
BENCHMARK(BM_JpegDecodeClass256)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JpegDecodeBare256To24(benchmark::State& state) {
    Jpeg();
    for (auto _ : state) benchmark::DoNotOptimize(BareDecode(true, true));
}
BENCHMARK(BM_JpegDecodeBare256To24)->Unit(benchmark::kMillisecond)->UseRealTime();

// The library's own part alone: indices only, no 24-bit picture.
void BM_JpegDecodeBare256IndicesOnly(benchmark::State& state) {
    Jpeg();
    for (auto _ : state) benchmark::DoNotOptimize(BareDecode(true, false));
}
BENCHMARK(BM_JpegDecodeBare256IndicesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JpegDecodeClassTrueColor(benchmark::State& state) {
    Jpeg();
    kelbo::TJPEGImage image;
    image.SetNumOfColors(kelbo::TNumOfColors::TrueColor);
    ClassDecode(state, image);
}
BENCHMARK(BM_JpegDecodeClassTrueColor)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JpegDecodeBareTrueColor(benchmark::State& state) {
    Jpeg();
    for (auto _ : state) benchmark::DoNotOptimize(BareDecode(false, false));
}
BENCHMARK(BM_JpegDecodeBareTrueColor)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JpegEncodeClass(benchmark::State& state) {
    kelbo::TJPEGImage image;
    image.SetPictureBitmap(Picture());
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        out.clear();
        image.SaveToStream(&out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_JpegEncodeClass)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JpegEncodeBare(benchmark::State& state) {
    PictureRgb();
    for (auto _ : state) benchmark::DoNotOptimize(BareEncode());
}
BENCHMARK(BM_JpegEncodeBare)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
