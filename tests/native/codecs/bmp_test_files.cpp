#include "bmp_test_files.h"

#include "bmp_builder.h"

namespace kelbo::testing {
namespace {

std::uint32_t HeaderSize(TestBmpHeader header) {
    switch (header) {
    case TestBmpHeader::kCore: return 12;
    case TestBmpHeader::kInfo: return 40;
    case TestBmpHeader::kV4: return 108;
    case TestBmpHeader::kV5: return 124;
    }
    return 40;
}

// Values 0..n-1 in a pattern that differs from row to row.
std::vector<std::vector<std::uint32_t>> Pattern(int width, int height, std::uint32_t n, std::uint32_t scale = 1) {
    std::vector<std::vector<std::uint32_t>> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rows[y].push_back(static_cast<std::uint32_t>((x * 7 + y * 3 + x * y) % n) * scale);
        }
    }
    return rows;
}

}  // namespace

std::vector<std::uint8_t> BuildBmp(const TestBmp& file) {
    const std::uint32_t headerSize = HeaderSize(file.header);
    const bool core = file.header == TestBmpHeader::kCore;
    const std::uint32_t masksAfter = file.header == TestBmpHeader::kInfo && file.compression == 3 ? 12 : 0;
    const std::uint32_t table = static_cast<std::uint32_t>(file.palette.size()) * (core ? 3 : 4);
    const std::uint32_t offset = 14 + headerSize + masksAfter + table;
    BmpBuilder b;
    b.FileHeader(offset + static_cast<std::uint32_t>(file.data.size()), offset);
    if (core) {
        b.U32(12).U16(static_cast<std::uint16_t>(file.width)).U16(static_cast<std::uint16_t>(file.height));
        b.U16(1).U16(file.bits);
    } else {
        b.U32(headerSize).I32(file.width).I32(file.topDown ? -file.height : file.height);
        b.U16(1).U16(file.bits).U32(file.compression).U32(static_cast<std::uint32_t>(file.data.size()));
        b.I32(2835).I32(2835).U32(file.colorsUsed).U32(0);
    }
    if (headerSize > 40) {
        b.U32(file.masks[0]).U32(file.masks[1]).U32(file.masks[2]).U32(0);  // alpha mask
        b.Zeros(headerSize - 56);  // colour space, end points, gammas (and V5 fields)
    }
    if (masksAfter) b.U32(file.masks[0]).U32(file.masks[1]).U32(file.masks[2]);
    for (const Color c : file.palette) {
        b.U8(BlueOf(c)).U8(GreenOf(c)).U8(RedOf(c));
        if (!core) b.U8(0);
    }
    b.bytes.insert(b.bytes.end(), file.data.begin(), file.data.end());
    return b.bytes;
}

std::vector<std::uint8_t> PackRows(const std::vector<std::vector<std::uint32_t>>& rows, int bits, bool topDown) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[topDown ? i : rows.size() - 1 - i];
        std::vector<std::uint8_t> stored((row.size() * static_cast<std::size_t>(bits) + 31) / 32 * 4, 0);
        for (std::size_t x = 0; x < row.size(); ++x) {
            const std::uint32_t v = row[x];
            switch (bits) {
            case 1: stored[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8)); break;
            case 4: stored[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 == 0 ? 4 : 0)); break;
            case 8: stored[x] = static_cast<std::uint8_t>(v); break;
            case 16:
                stored[2 * x] = static_cast<std::uint8_t>(v);
                stored[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                break;
            case 24:
                stored[3 * x] = BlueOf(v);
                stored[3 * x + 1] = GreenOf(v);
                stored[3 * x + 2] = RedOf(v);
                break;
            case 32:
                for (int k = 0; k < 4; ++k) stored[4 * x + k] = static_cast<std::uint8_t>(v >> (8 * k));
                break;
            }
        }
        out.insert(out.end(), stored.begin(), stored.end());
    }
    return out;
}

std::vector<Color> RampPalette(int n) {
    std::vector<Color> palette;
    for (int i = 0; i < n; ++i) {
        palette.push_back(Rgb(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                              static_cast<std::uint8_t>(i / 2 + 7)));
    }
    return palette;
}

std::vector<NamedBmp> EveryKindOfBmp() {
    constexpr int kW = 13, kH = 5;
    std::vector<NamedBmp> files;
    const auto add = [&files](std::string name, TestBmp file) { files.push_back({std::move(name), BuildBmp(file)}); };
    const auto plain = [](TestBmpHeader header, std::uint16_t bits, std::vector<Color> palette,
                          std::vector<std::uint8_t> data) {
        TestBmp f;
        f.header = header;
        f.width = kW;
        f.height = kH;
        f.bits = bits;
        f.palette = std::move(palette);
        f.data = std::move(data);
        return f;
    };
    add("core 1 bit", plain(TestBmpHeader::kCore, 1, RampPalette(2), PackRows(Pattern(kW, kH, 2), 1)));
    add("core 4 bits", plain(TestBmpHeader::kCore, 4, RampPalette(16), PackRows(Pattern(kW, kH, 16), 4)));
    add("core 8 bits", plain(TestBmpHeader::kCore, 8, RampPalette(256), PackRows(Pattern(kW, kH, 256), 8)));
    add("core 24 bits", plain(TestBmpHeader::kCore, 24, {}, PackRows(Pattern(kW, kH, 997, 16843), 24)));
    add("info 1 bit", plain(TestBmpHeader::kInfo, 1, RampPalette(2), PackRows(Pattern(kW, kH, 2), 1)));
    {
        TestBmp f = plain(TestBmpHeader::kInfo, 4, RampPalette(5), PackRows(Pattern(kW, kH, 7), 4));
        f.colorsUsed = 5;  // indices 5 and 6 lie beyond the table
        add("info 4 bits, short palette", f);
    }
    add("info 8 bits", plain(TestBmpHeader::kInfo, 8, RampPalette(256), PackRows(Pattern(kW, kH, 256), 8)));
    {
        TestBmp f = plain(TestBmpHeader::kInfo, 8, RampPalette(256), PackRows(Pattern(kW, kH, 256), 8, true));
        f.topDown = true;
        add("info 8 bits top-down", f);
    }
    add("info 16 bits 5-5-5", plain(TestBmpHeader::kInfo, 16, {}, PackRows(Pattern(kW, kH, 65536, 4099), 16)));
    {
        TestBmp f = plain(TestBmpHeader::kInfo, 16, {}, PackRows(Pattern(kW, kH, 65536, 4099), 16));
        f.compression = 3;
        f.masks[0] = 0xF800;
        f.masks[1] = 0x07E0;
        f.masks[2] = 0x001F;
        add("info 16 bits 5-6-5", f);
    }
    add("info 24 bits", plain(TestBmpHeader::kInfo, 24, {}, PackRows(Pattern(kW, kH, 997, 16843), 24)));
    {
        TestBmp f = plain(TestBmpHeader::kInfo, 24, {}, PackRows(Pattern(kW, kH, 997, 16843), 24, true));
        f.topDown = true;
        add("info 24 bits top-down", f);
    }
    add("info 32 bits", plain(TestBmpHeader::kInfo, 32, {}, PackRows(Pattern(kW, kH, 997, 4210753), 32)));
    {
        TestBmp f = plain(TestBmpHeader::kInfo, 32, {}, PackRows(Pattern(kW, kH, 997, 4210753), 32));
        f.compression = 3;
        f.masks[0] = 0x3FF00000;
        f.masks[1] = 0x000FFC00;
        f.masks[2] = 0x000003FF;
        add("info 32 bits 10-10-10", f);
    }
    {
        TestBmp f = plain(TestBmpHeader::kInfo, 8, RampPalette(256),
                          {3, 4, 0,  2,  2, 1,                  // row 0: a run, a delta into row 1
                           0, 3, 9,  8,  7, 0, 4, 200, 0,  0,   // absolute 3 + pad, a run, end of line
                           0, 5, 1,  2,  3, 4, 5, 0,   20, 21,  // row 2: absolute 5 + pad, a clipped run
                           0, 0, 13, 99, 0, 0, 0, 1});          // row 3 whole; end of bitmap in row 4
        f.compression = 1;
        add("RLE8", f);
    }
    {
        TestBmp f = plain(TestBmpHeader::kInfo, 4, RampPalette(16),
                          {5, 0x12, 0,    3,    0x34, 0x50, 0,  0,     // row 0: a run, absolute 3
                           0, 2,    1,    1,                           // delta into row 2
                           0, 5,    0xAB, 0xCD, 0xE0, 0,    20, 0xF0,  // absolute 5 + pad, a clipped run
                           0, 0,    13,   0x77, 0,    1});             // row 3 whole; end of bitmap
        f.compression = 2;
        add("RLE4", f);
    }
    {
        TestBmp f = plain(TestBmpHeader::kV4, 16, {}, PackRows(Pattern(kW, kH, 65536, 4099), 16));
        f.compression = 3;
        f.masks[0] = 0xF800;
        f.masks[1] = 0x07E0;
        f.masks[2] = 0x001F;
        add("V4 16 bits 5-6-5", f);
    }
    {
        TestBmp f = plain(TestBmpHeader::kV5, 32, {}, PackRows(Pattern(kW, kH, 997, 4210753), 32, true));
        f.topDown = true;
        f.compression = 3;
        f.masks[0] = 0x00FF0000;
        f.masks[1] = 0x0000FF00;
        f.masks[2] = 0x000000FF;
        add("V5 32 bits top-down", f);
    }
    add("V5 24 bits", plain(TestBmpHeader::kV5, 24, {}, PackRows(Pattern(kW, kH, 997, 16843), 24)));
    return files;
}

}  // namespace kelbo::testing
