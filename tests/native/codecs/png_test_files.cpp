#include "png_test_files.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelbo::testing {

int Channels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    default: return 1;
    }
}

unsigned Sample(const TestPng& t, int x, int y, int c) {
    const unsigned v = (x * 7919u + y * 104729u + c * 1299709u) * 2654435761u >> 7;
    return t.colorType == PNG_COLOR_TYPE_PALETTE ? v % std::min(5u, 1u << t.depth) : v % (1u << t.depth);
}

// Written by libpng itself, the file's bytes built sample by sample.
void WriteTestPng(const std::filesystem::path& path, const TestPng& t, int w, int h) {
    FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) throw std::runtime_error("cannot create " + path.string());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, w, h, t.depth, t.colorType, t.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color_16 key{0, 0, 0, 0, 0};
    if (t.colorType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, kEntries, std::min(5, 1 << t.depth));
    if (t.transparent) png_set_tRNS(png, info, kEntryAlpha, 2, &key);  // palette entries or the value 0
    png_write_info(png, info);
    std::vector<std::vector<png_byte>> rows(h, std::vector<png_byte>(png_get_rowbytes(png, info)));
    for (int y = 0; y < h; ++y) {
        int bit = 0;
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < Channels(t.colorType); ++c, bit += t.depth) {
                const unsigned v = Sample(t, x, y, c);
                if (t.depth == 16) {
                    rows[y][bit / 8] = static_cast<png_byte>(v >> 8);
                    rows[y][bit / 8 + 1] = static_cast<png_byte>(v);
                } else {
                    rows[y][bit / 8] |= static_cast<png_byte>(v << (8 - t.depth - bit % 8));
                }
            }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

}  // namespace kelbo::testing
