#include "codecs/png_codec.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/file_io.h"
#include "png_test_files.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using testing::Channels;
using testing::kEntries;
using testing::kEntryAlpha;
using testing::Sample;
using testing::TestPng;
using testing::WriteTestPng;

unsigned To8(unsigned v, int depth) { return depth == 16 ? (v * 255 + 32767) / 65535 : v * 255 / ((1u << depth) - 1); }
unsigned OverWhite(unsigned c, unsigned a) { return (c * a + 255 * (255 - a) + 127) / 255; }

Color Expected(const TestPng& t, int x, int y) {
    if (t.colorType == PNG_COLOR_TYPE_PALETTE) {
        const unsigned i = Sample(t, x, y, 0);
        const unsigned a = t.transparent && i < 2 ? kEntryAlpha[i] : 255;
        return Rgb(OverWhite(kEntries[i].red, a), OverWhite(kEntries[i].green, a), OverWhite(kEntries[i].blue, a));
    }
    unsigned s[4];
    for (int c = 0; c < Channels(t.colorType); ++c) s[c] = Sample(t, x, y, c);
    const bool rgb = t.colorType & PNG_COLOR_MASK_COLOR;
    const unsigned r = To8(s[0], t.depth), g = To8(rgb ? s[1] : s[0], t.depth), b = To8(rgb ? s[2] : s[0], t.depth);
    unsigned a = 255;
    if (t.colorType & PNG_COLOR_MASK_ALPHA) a = To8(s[rgb ? 3 : 1], t.depth);
    if (t.transparent && s[0] == 0 && (!rgb || (s[1] == 0 && s[2] == 0))) a = 0;
    return Rgb(OverWhite(r, a), OverWhite(g, a), OverWhite(b, a));
}

TEST(Png, EveryColourTypeAndDepthReadsToTheColoursComposedOverWhite) {
    const testing::TempDir dir;
    const TestPng cases[] = {
        {PNG_COLOR_TYPE_GRAY, 1, false, false},       {PNG_COLOR_TYPE_GRAY, 2, true, false},
        {PNG_COLOR_TYPE_GRAY, 4, false, true},        {PNG_COLOR_TYPE_GRAY, 8, true, true},
        {PNG_COLOR_TYPE_GRAY, 16, false, false},      {PNG_COLOR_TYPE_RGB, 8, false, true},
        {PNG_COLOR_TYPE_RGB, 16, true, false},        {PNG_COLOR_TYPE_PALETTE, 1, false, false},
        {PNG_COLOR_TYPE_PALETTE, 2, true, true},      {PNG_COLOR_TYPE_PALETTE, 4, false, false},
        {PNG_COLOR_TYPE_PALETTE, 8, true, true},      {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, false}, {PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false},
    };
    for (const TestPng& t : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << t.colorType << ", " << t.depth << " bits"
                                          << (t.interlaced ? ", interlaced" : "") << (t.transparent ? ", tRNS" : ""));
        const auto path = dir / "t.png";
        WriteTestPng(path, t, 13, 7);
        BitmapTarget target;
        const Result<PngFormat> read = ReadPng(path, target);
        ASSERT_TRUE(read) << read.Error().message;
        int wrong = 0;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x) wrong += target.bitmap.Pixel(x, y) != Expected(t, x, y);
        EXPECT_EQ(wrong, 0);
        const PixelFormat format = t.colorType != PNG_COLOR_TYPE_PALETTE ? PixelFormat::k24
                                   : t.depth == 1                        ? PixelFormat::k1
                                   : t.depth == 8                        ? PixelFormat::k8
                                                                         : PixelFormat::k4;
        EXPECT_EQ(read->format, format);
        EXPECT_EQ(read->palette.size(), t.colorType == PNG_COLOR_TYPE_PALETTE ? std::min(5u, 1u << t.depth) : 0u);
    }
}

TEST(Png, WrittenFilesReadBackExactlyAtTheirDepthAndHostileOnesAreRefused) {
    const testing::TempDir dir;
    Bitmap24 picture(257, 131);
    for (int y = 0; y < 131; ++y)
        for (int x = 0; x < 257; ++x)
            picture.SetPixel(x, y, static_cast<Color>((x * 2654435761u + y * 40503u) & 0xFFFFFF));
    Bitmap24 few(31, 9), two(31, 9);
    const Palette table = {Rgb(9, 9, 9), Rgb(200, 0, 50), Rgb(0, 0, 255)};
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 31; ++x) {
            few.SetPixel(x, y, table[(x + y) % 3]);
            two.SetPixel(x, y, table[(x * y) % 2 * 2]);
        }
    // At 1 bit the three-colour table cannot be kept: the picture's own two, darkest first.
    const struct {
        const Bitmap24& picture;
        PixelFormat format;
        Palette palette;
    } cases[] = {{picture, PixelFormat::k24, {}},
                 {picture, PixelFormat::k32, {}},
                 {two, PixelFormat::k1, {table[0], table[2]}},
                 {few, PixelFormat::k4, table},
                 {few, PixelFormat::k8, table}};
    for (const auto& c : cases) {
        const auto path = dir / "w.png";
        WritePng(path, c.picture.View(), c.format, table);
        BitmapTarget target;
        const Result<PngFormat> read = ReadPng(path, target);
        ASSERT_TRUE(read) << read.Error().message;
        EXPECT_TRUE(target.bitmap == c.picture) << static_cast<int>(c.format);
        EXPECT_EQ(read->format, c.palette.empty() ? PixelFormat::k24 : c.format);
        EXPECT_EQ(read->palette, c.palette);
    }

    std::vector<std::uint8_t> bytes = ReadFileBytes(dir / "w.png");
    WriteFileAtomically(dir / "cut.png", std::span(bytes).first(bytes.size() / 2));
    WriteFileAtomically(dir / "text.png", std::vector<std::uint8_t>{'n', 'o', 't', ' ', 'p', 'n', 'g', '!', '!'});
    WriteTestPng(dir / "wide.png", {PNG_COLOR_TYPE_GRAY, 1, false, false}, 70000, 1);
    const struct {
        const char* name;
        FailureKind kind;
    } bad[] = {{"cut.png", FailureKind::kInvalid},
               {"text.png", FailureKind::kWrongFormat},
               {"wide.png", FailureKind::kInvalid},
               {"none.png", FailureKind::kIo}};
    for (const auto& b : bad) {
        BitmapTarget target;
        const Result<PngFormat> read = ReadPng(dir / b.name, target);
        ASSERT_FALSE(read) << b.name;
        EXPECT_EQ(read.Error().kind, b.kind) << b.name << ": " << read.Error().message;
    }
}

}  // namespace
}  // namespace kelbo
