#include "codecs/bmp_writer.h"

#include <gtest/gtest.h>

#include <random>

#include "bmp_test_files.h"
#include "codecs/bmp_info.h"
#include "codecs/bmp_reader.h"
#include "core/byte_reader.h"
#include "core/byte_writer.h"
#include "core/file_io.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

TEST(EncodeBmp24, TwoByTwoHasTheseExactBytes) {
    Bitmap24 picture(2, 2);
    picture.SetPixel(0, 0, Rgb(255, 0, 0));      // top left red
    picture.SetPixel(1, 0, Rgb(0, 255, 0));      // top right green
    picture.SetPixel(0, 1, Rgb(0, 0, 255));      // bottom left blue
    picture.SetPixel(1, 1, Rgb(255, 255, 255));  // bottom right white
    const std::vector<std::uint8_t> expected = {
        'B',  'M',  70,  0,   0,    0,    0, 0, 0,  0, 54, 0, 0, 0,  // file header: size 70, pixels at 54
        40,   0,    0,   0,   2,    0,    0, 0, 2,  0, 0,  0,        // info header size, width, height
        1,    0,    24,  0,   0,    0,    0, 0, 16, 0, 0,  0,        // planes, bits, BI_RGB, image size 16
        0x13, 0x0B, 0,   0,   0x13, 0x0B, 0, 0,                      // 2835 pixels per metre twice
        0,    0,    0,   0,   0,    0,    0, 0,                      // colours used, important
        255,  0,    0,   255, 255,  255,  0, 0,                      // bottom row first: blue, white, pad
        0,    0,    255, 0,   255,  0,    0, 0,                      // then the top row: red, green, pad
    };
    EXPECT_EQ(EncodeBmp24(picture.View()), expected);
}

TEST(EncodeBmp24, RowsAreStoredBottomUpWithZeroPadding) {
    for (int width = 1; width <= 5; ++width) {
        Bitmap24 picture(width, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) picture.SetPixel(x, y, Rgb(x * 10, y * 20, 7));
        }
        const auto bytes = EncodeBmp24(picture.View());
        const std::size_t stride = Stride24(width);
        ASSERT_EQ(bytes.size(), 54 + stride * 3);
        for (int y = 0; y < 3; ++y) {
            const std::size_t row = 54 + stride * static_cast<std::size_t>(2 - y);
            for (int x = 0; x < width; ++x) {
                const std::size_t at = row + static_cast<std::size_t>(x) * 3;
                EXPECT_EQ(bytes[at], 7);
                EXPECT_EQ(bytes[at + 1], y * 20);
                EXPECT_EQ(bytes[at + 2], x * 10);
            }
            for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad) {
                EXPECT_EQ(bytes[row + pad], 0);
            }
        }
    }
}

TEST(EncodeBmp24, ViewsOfForeignMemoryEncodeLikeBitmaps) {
    Bitmap24 picture(3, 2, Rgb(1, 2, 3));
    picture.SetPixel(2, 1, Rgb(9, 9, 9));
    std::vector<std::uint8_t> foreign(2 * 20, 0xEE);  // wide stride with junk padding
    const PixelView view(foreign.data(), 3, 2, 20);
    for (int y = 0; y < 2; ++y) std::copy_n(picture.Row(y), 9, view.Row(y));
    EXPECT_EQ(EncodeBmp24(view), EncodeBmp24(picture.View()));
}

TEST(EncodeBmp24, EmptyPicturesAreRefused) {
    EXPECT_THROW(EncodeBmp24(Bitmap24(0, 5).View()), std::invalid_argument);
    EXPECT_THROW(EncodeBmp24(Bitmap24(5, 0).View()), std::invalid_argument);
}

TEST(WriteBmp24, WrittenFilesReadBackWithTheSameInfo) {
    testing::TempDir dir;
    for (const auto& [w, h] : {std::pair{1, 1}, {2, 3}, {3, 2}, {5, 7}, {640, 480}}) {
        const auto path = dir / ("p" + std::to_string(w) + "x" + std::to_string(h) + ".bmp");
        WriteBmp24(path, Bitmap24(w, h, Rgb(10, 20, 30)).View());
        const auto info = ReadBmpInfo(path);
        ASSERT_TRUE(info) << info.Error().message;
        EXPECT_EQ(info->width, w);
        EXPECT_EQ(info->height, h);
        EXPECT_TRUE(info->bottomUp);
        EXPECT_EQ(info->bitsPerPixel, 24);
        EXPECT_EQ(info->compression, BmpCompression::kRgb);
        EXPECT_EQ(info->headerKind, BmpHeaderKind::kInfo);
        EXPECT_EQ(info->pixelOffset, 54u);
        EXPECT_EQ(info->imageSize, Stride24(w) * static_cast<std::size_t>(h));
        EXPECT_EQ(std::filesystem::file_size(path), 54 + Stride24(w) * static_cast<std::size_t>(h));
    }
}

TEST(WriteBmp24, FileSizeFieldMatchesTheFile) {
    testing::TempDir dir;
    WriteBmp24(dir / "a.bmp", Bitmap24(3, 3).View());
    const auto bytes = ReadFileBytes(dir / "a.bmp");
    ByteReader r(bytes);
    r.Skip(2);
    EXPECT_EQ(r.U32Le(), bytes.size());
}

TEST(WriteBmp24, UnwritablePathThrowsFileError) {
    testing::TempDir dir;
    EXPECT_THROW(WriteBmp24(dir / "missing" / "a.bmp", Bitmap24(1, 1).View()), FileError);
}

// The bytes every file of these tests starts with after the file header: a
// 40-byte info header of 72 dpi.
std::vector<std::uint8_t> Header(std::uint32_t fileSize, std::uint32_t offset, int width, int height, int bits,
                                 std::uint32_t compression, std::uint32_t imageSize, std::uint32_t colorsUsed) {
    std::vector<std::uint8_t> h = {'B', 'M'};
    AppendU32Le(h, fileSize);
    AppendU32Le(h, 0);
    AppendU32Le(h, offset);
    AppendU32Le(h, 40);
    AppendI32Le(h, width);
    AppendI32Le(h, height);
    AppendU16Le(h, 1);
    AppendU16Le(h, static_cast<std::uint16_t>(bits));
    AppendU32Le(h, compression);
    AppendU32Le(h, imageSize);
    AppendI32Le(h, 2835);
    AppendI32Le(h, 2835);
    AppendU32Le(h, colorsUsed);
    AppendU32Le(h, 0);
    return h;
}

std::vector<std::uint8_t> Join(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bitmap24 PictureOf(const std::vector<std::vector<Color>>& rows) {
    Bitmap24 picture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) picture.SetPixel(x, y, rows[y][x]);
    }
    return picture;
}

Bitmap24 RandomPicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 3; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(random());
    }
    return picture;
}

BmpPicture ReadBack(const std::vector<std::uint8_t>& bytes) {
    Result<BmpPicture> picture = ReadBmp(bytes);
    if (!picture) ADD_FAILURE() << picture.Error().message;
    return std::move(picture).Value();
}

constexpr Color kW = colors::kWhite;
constexpr Color kK = colors::kBlack;
constexpr Color kA = Rgb(10, 20, 30);
constexpr Color kB = Rgb(200, 100, 50);

constexpr PixelFormat kEveryFormat[] = {PixelFormat::k1,  PixelFormat::k4,      PixelFormat::k8,
                                        PixelFormat::k15, PixelFormat::k16,     PixelFormat::k24,
                                        PixelFormat::k32, PixelFormat::kDevice, PixelFormat::kCustom};

TEST(BmpWriter, OneBitHasTheseExactBytes) {
    const Bitmap24 picture = PictureOf({{kW, kK, kW}, {kK, kK, kW}});
    const auto expected = Join(Header(70, 62, 3, 2, 1, 0, 8, 0), {0, 0, 0, 0, 255, 255, 255, 0,  // black, then white
                                                                  0x20, 0, 0, 0,                 // bottom row: 001
                                                                  0xA0, 0, 0, 0});               // top row: 101
    EXPECT_EQ(EncodeBmp(picture.View(), PixelFormat::k1), expected);
}

TEST(BmpWriter, FourBitsKeepAPreferredShortTableAsItIs) {
    const Bitmap24 picture = PictureOf({{kA, kB, kA}});
    const std::vector<Color> preferred = {kB, kA, kW};
    const auto expected = Join(Header(70, 66, 3, 1, 4, 0, 4, 3),
                               {50, 100, 200, 0, 30, 20, 10, 0, 255, 255, 255, 0,  // the table
                                0x10, 0x10, 0, 0});                                // 1 0 1
    EXPECT_EQ(EncodeBmp(picture.View(), PixelFormat::k4, preferred), expected);
}

TEST(BmpWriter, EightBitsStoreOnlyTheColoursThePictureHas) {
    const Bitmap24 picture = PictureOf({{kB, kA}, {kW, kB}});
    const auto expected = Join(Header(74, 66, 2, 2, 8, 0, 8, 3),
                               {30, 20, 10, 0, 50, 100, 200, 0, 255, 255, 255, 0,  // darkest first
                                2,  1,  0,  0,                                     // bottom row
                                1,  0,  0,  0});                                   // top row
    EXPECT_EQ(EncodeBmp(picture.View(), PixelFormat::k8), expected);
}

TEST(BmpWriter, FifteenBitsAreFiveFiveFiveWithoutMasks) {
    // Red level 1 reads back as 8, blue level 16 as 132: both are kept.
    const Bitmap24 picture = PictureOf({{kW, Rgb(8, 0, 132)}});
    const auto expected = Join(Header(58, 54, 2, 1, 16, 0, 4, 0), {0xFF, 0x7F, 0x10, 0x04});
    EXPECT_EQ(EncodeBmp(picture.View(), PixelFormat::k15), expected);
}

TEST(BmpWriter, SixteenBitsAreFiveSixFiveBitFields) {
    const Bitmap24 picture = PictureOf({{Rgb(255, 4, 0), Rgb(132, 130, 132)}});
    const auto expected = Join(Header(70, 66, 2, 1, 16, 3, 4, 0),
                               {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0,  // masks red, green, blue
                                0x20, 0xF8, 0x10, 0x84});
    EXPECT_EQ(EncodeBmp(picture.View(), PixelFormat::k16), expected);
}

TEST(BmpWriter, ThirtyTwoBitsPadEachPixelWithAZero) {
    const Bitmap24 picture = PictureOf({{Rgb(1, 2, 3), kW}});
    const auto expected = Join(Header(62, 54, 2, 1, 32, 0, 8, 0), {3, 2, 1, 0, 255, 255, 255, 0});
    EXPECT_EQ(EncodeBmp(picture.View(), PixelFormat::k32), expected);
}

TEST(BmpWriter, DeviceAndCustomFormatsAreWrittenAsTwentyFourBits) {
    const Bitmap24 picture = PictureOf({{kA, kB}});
    EXPECT_EQ(EncodeBmp(picture.View(), PixelFormat::kDevice), EncodeBmp24(picture.View()));
    EXPECT_EQ(EncodeBmp(picture.View(), PixelFormat::kCustom), EncodeBmp24(picture.View()));
    EXPECT_EQ(BmpBitsPerPixel(PixelFormat::kCustom), 24);
    EXPECT_EQ(BmpBitsPerPixel(PixelFormat::k15), 16);
}

TEST(BmpWriter, RoundTripOfEveryDepthKeepsColoursTheDepthHolds) {
    struct Case {
        PixelFormat format;
        Bitmap24 picture;
    };
    std::vector<Case> cases;
    cases.push_back({PixelFormat::k1, PictureOf({{kA, kB, kB}, {kB, kA, kA}})});
    Bitmap24 sixteen(16, 3), all(16, 16), fifteen(32, 32), sixteenBits(64, 32);
    for (int i = 0; i < 16 * 3; ++i) sixteen.SetPixel(i % 16, i / 16, Rgb((i % 16) * 17, 3, 255 - (i % 16)));
    for (int i = 0; i < 256; ++i) all.SetPixel(i % 16, i / 16, Rgb(i, (i * 7) & 255, 128));
    // Every 5-bit level in each channel, as the reader gives it back.
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            fifteen.SetPixel(x, y, Rgb(BmpChannelTo8(x, 31), BmpChannelTo8(y, 31), BmpChannelTo8((x + y) % 32, 31)));
        }
    }
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            sixteenBits.SetPixel(x, y, Rgb(BmpChannelTo8(y, 31), BmpChannelTo8(x, 63), BmpChannelTo8(31 - y, 31)));
        }
    }
    cases.push_back({PixelFormat::k4, sixteen});
    cases.push_back({PixelFormat::k8, all});
    cases.push_back({PixelFormat::k15, fifteen});
    cases.push_back({PixelFormat::k16, sixteenBits});
    cases.push_back({PixelFormat::k24, RandomPicture(17, 9, 1)});
    cases.push_back({PixelFormat::k32, RandomPicture(17, 9, 2)});
    for (const Case& c : cases) {
        const BmpPicture back = ReadBack(EncodeBmp(c.picture.View(), c.format));
        EXPECT_EQ(back.format, c.format) << PixelFormatName(c.format);
        EXPECT_TRUE(back.bitmap == c.picture) << PixelFormatName(c.format);
        // And once more through the table it was read with: the same file again.
        EXPECT_EQ(EncodeBmp(back.bitmap.View(), back.format, back.palette), EncodeBmp(c.picture.View(), c.format))
            << PixelFormatName(c.format);
    }
}

TEST(BmpWriter, APaletteFileReadAndWrittenAgainIsTheSameFile) {
    for (const int bits : {1, 4, 8}) {
        testing::TestBmp f;
        f.width = 11;
        f.height = 3;
        f.bits = static_cast<std::uint16_t>(bits);
        const int entries = bits == 1 ? 2 : bits == 4 ? 9 : 200;
        f.palette = testing::RampPalette(entries);
        f.colorsUsed = entries == (1 << bits) ? 0 : static_cast<std::uint32_t>(entries);
        std::vector<std::vector<std::uint32_t>> rows(3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 11; ++x) rows[y].push_back(static_cast<std::uint32_t>((x * 5 + y) % entries));
        }
        f.data = testing::PackRows(rows, bits);
        const std::vector<std::uint8_t> file = testing::BuildBmp(f);
        const BmpPicture read = ReadBack(file);
        EXPECT_EQ(EncodeBmp(read.bitmap.View(), read.format, read.palette), file) << bits;
    }
}

// Rows handed over either way up, 24 bits or 8-bit indices into a table
// with a repeated colour: WriteBmp's bytes, over several blocks too.
TEST(BmpRowWriter, GivesWriteBmpsBytesInEitherOrder) {
    const testing::TempDir dir;
    std::mt19937 random(3);
    std::vector<Color> palette(200);
    for (Color& c : palette) c = random() & 0xFFFFFF;
    palette[7] = palette[3];
    for (const auto& [width, height] : {std::pair{1, 1}, {1, 37}, {41, 1}, {257, 131}, {5001, 300}}) {
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
        Bitmap24 picture(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t& index = indices[static_cast<std::size_t>(y) * width + x];
                index = static_cast<std::uint8_t>(random() % 200);
                picture.SetPixel(x, y, palette[index]);
            }
        }
        for (const BmpRowOrder order : {BmpRowOrder::kStored, BmpRowOrder::kTopDown}) {
            for (const bool eight : {false, true}) {
                BmpRowWriter writer(dir / "rows.bmp", width, height, order,
                                    eight ? std::span<const Color>(palette) : std::span<const Color>());
                for (int i = 0; i < height; ++i) {
                    const int y = order == BmpRowOrder::kStored ? height - 1 - i : i;
                    writer.WriteRow(eight ? &indices[static_cast<std::size_t>(y) * width] : picture.Row(y));
                }
                writer.Commit();
                EXPECT_EQ(ReadFileBytes(dir / "rows.bmp"),
                          EncodeBmp(picture.View(), eight ? PixelFormat::k8 : PixelFormat::k24, palette))
                    << width << " x " << height << (eight ? " at 8 bits" : " at 24 bits");
            }
        }
    }
    EXPECT_THROW(WriteBmpIndexed(dir / "none.bmp", 2, 1, std::vector<std::uint8_t>{0, 0}, {}), std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.bmp"));
}

TEST(BmpWriter, ReducingMatchesWhatTheFileReadsBackAs) {
    const Bitmap24 photo = RandomPicture(40, 30, 3);  // 1200 colours: more than any table
    for (const PixelFormat format : kEveryFormat) {
        Bitmap24 reduced = photo;
        ReduceToBmpFormat(reduced.View(), format);
        const BmpPicture back = ReadBack(EncodeBmp(photo.View(), format));
        EXPECT_TRUE(back.bitmap == reduced) << PixelFormatName(format);
        // Reducing twice changes nothing more.
        Bitmap24 again = reduced;
        ReduceToBmpFormat(again.View(), format);
        EXPECT_TRUE(again == reduced) << PixelFormatName(format);
    }
}

TEST(BmpWriter, FiveAndSixBitLevelsRoundToTheNearestReadableValue) {
    Bitmap24 ramp(256, 1);
    for (int v = 0; v < 256; ++v) ramp.SetPixel(v, 0, Rgb(v, v, v));
    for (const PixelFormat format : {PixelFormat::k15, PixelFormat::k16}) {
        Bitmap24 reduced = ramp;
        ReduceToBmpFormat(reduced.View(), format);
        for (int v = 0; v < 256; ++v) {
            const Color c = reduced.Pixel(v, 0);
            EXPECT_LE(std::abs(RedOf(c) - v), 4) << v;
            EXPECT_LE(std::abs(GreenOf(c) - v), format == PixelFormat::k16 ? 2 : 4) << v;
        }
        EXPECT_EQ(reduced.Pixel(255, 0), kW);
        EXPECT_EQ(reduced.Pixel(0, 0), kK);
    }
}

TEST(BmpWriter, WriteBmpWritesTheFileAtomically) {
    testing::TempDir dir;
    const Bitmap24 picture = PictureOf({{kA, kB}});
    WriteBmp(dir / "a.bmp", picture.View(), PixelFormat::k8);
    EXPECT_EQ(ReadFileBytes(dir / "a.bmp"), EncodeBmp(picture.View(), PixelFormat::k8));
    EXPECT_EQ(testing::DirectoryContents(dir.Path()).size(), 1u);
    EXPECT_THROW(WriteBmp(dir / "no" / "a.bmp", picture.View(), PixelFormat::k1), FileError);
    EXPECT_THROW(EncodeBmp(Bitmap24(0, 3).View(), PixelFormat::k4), std::invalid_argument);
}

}  // namespace
}  // namespace kelbo
