// Proves the libjpeg-turbo built for this triplet links statically and runs:
// a grey gradient survives an encode/decode round trip at high quality.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 16;

std::vector<unsigned char> EncodeGradient() {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    unsigned char row[kWidth];
    for (int x = 0; x < kWidth; ++x) row[x] = static_cast<unsigned char>(x * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<unsigned char> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

TEST(Libjpeg, GreyGradientRoundTrip) {
    std::vector<unsigned char> data = EncodeGradient();
    ASSERT_GT(data.size(), 100u);
    EXPECT_EQ(data[0], 0xFF);
    EXPECT_EQ(data[1], 0xD8);

    jpeg_decompress_struct dinfo{};
    jpeg_error_mgr jerr{};
    dinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&dinfo);
    jpeg_mem_src(&dinfo, data.data(), static_cast<unsigned long>(data.size()));
    ASSERT_EQ(jpeg_read_header(&dinfo, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(dinfo.image_width, static_cast<JDIMENSION>(kWidth));
    EXPECT_EQ(dinfo.image_height, static_cast<JDIMENSION>(kHeight));
    jpeg_start_decompress(&dinfo);
    ASSERT_EQ(dinfo.output_components, 1);
    unsigned char row[kWidth];
    int worst = 0;
    while (dinfo.output_scanline < dinfo.output_height) {
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&dinfo, rows, 1);
        for (int x = 0; x < kWidth; ++x) worst = std::max(worst, std::abs(row[x] - x * 4));
    }
    jpeg_finish_decompress(&dinfo);
    jpeg_destroy_decompress(&dinfo);
    EXPECT_LE(worst, 4);
}

}  // namespace
