// Writes the title panel's button glyphs as 16-colour Windows bitmaps
// (rolldown.bmp, rollup.bmp, cross.bmp) for src/controls/controls.rc.
//
//   kelbo-make-glyphs <out-dir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "controls/layout/glyph_art.h"

namespace kelbo {
namespace {

// The standard 16-colour palette, 0xRRGGBB.
constexpr std::array<std::uint32_t, 16> kPalette{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                 0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

int PaletteIndex(std::uint32_t rgb) {
    for (size_t i = 0; i < kPalette.size(); ++i)
        if (kPalette[i] == rgb) return static_cast<int>(i);
    return 0;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<std::uint8_t> EncodeBmp4(const controls::GlyphArt& art) {
    const std::uint32_t stride = ((static_cast<std::uint32_t>(art.width) * 4 + 31) / 32) * 4;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(art.height);
    const std::uint32_t offset = 14 + 40 + 16 * 4;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(art.width));
    Put32(out, static_cast<std::uint32_t>(art.height));  // positive: rows bottom-up
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 16);
    Put32(out, 0);
    for (std::uint32_t rgb : kPalette) {
        out.push_back(static_cast<std::uint8_t>(rgb));
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        out.push_back(0);
    }
    const int fore = PaletteIndex(controls::kGlyphForeground);
    const int back = PaletteIndex(controls::kGlyphBackground);
    for (int y = art.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < art.width; ++x) {
            const int index = controls::GlyphPixelSet(art, x, y) ? fore : back;
            row[static_cast<size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::string FileName(const controls::GlyphArt& art) {
    std::string name(art.name);
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return name + ".bmp";
}

}  // namespace
}  // namespace kelbo

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelbo-make-glyphs <out-dir>\n");
        return 2;
    }
    for (const kelbo::controls::GlyphArt* art : kelbo::controls::kAllGlyphArt) {
        const std::string path = std::string(argv[1]) + "/" + kelbo::FileName(*art);
        const std::vector<std::uint8_t> bytes = kelbo::EncodeBmp4(*art);
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
