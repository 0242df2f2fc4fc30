#include "codecs/bmp_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "bmp_builder.h"
#include "codecs/bmp_writer.h"
#include "bmp_test_files.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using testing::BuildBmp;
using testing::PackRows;
using testing::RampPalette;
using testing::TestBmp;
using testing::TestBmpHeader;
using Rows = std::vector<std::vector<Color>>;

Rows PixelsOf(const Bitmap24& bitmap) {
    Rows rows(static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) rows[y].push_back(bitmap.Pixel(x, y));
    }
    return rows;
}

BmpPicture MustRead(const std::vector<std::uint8_t>& bytes) {
    Result<BmpPicture> picture = ReadBmp(bytes);
    if (!picture) ADD_FAILURE() << picture.Error().message;
    return std::move(picture).Value();
}

FailureKind KindOf(const std::vector<std::uint8_t>& bytes) {
    const Result<BmpPicture> picture = ReadBmp(bytes);
    if (picture) {
        ADD_FAILURE() << "read a " << picture->bitmap.Width() << " x " << picture->bitmap.Height() << " picture";
        return FailureKind::kIo;
    }
    EXPECT_FALSE(picture.Error().message.empty());
    return picture.Error().kind;
}

TestBmp File(TestBmpHeader header, int width, int height, std::uint16_t bits) {
    TestBmp f;
    f.header = header;
    f.width = width;
    f.height = height;
    f.bits = bits;
    return f;
}

constexpr Color kA = Rgb(10, 20, 30);
constexpr Color kB = Rgb(200, 100, 50);

TEST(BmpReader, OneBitMapsBitsToTheTwoEntriesMostSignificantFirst) {
    TestBmp f = File(TestBmpHeader::kInfo, 9, 2, 1);
    f.palette = {kA, kB};
    f.data = {0x7B, 0x00, 0, 0,   // bottom row first: 0111 1011, 0 for the 9th pixel
              0xB0, 0x80, 0, 0};  // top row: 1011 0000, 1
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.format, PixelFormat::k1);
    EXPECT_EQ(p.palette, (std::vector<Color>{kA, kB}));
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{kB, kA, kB, kB, kA, kA, kA, kA, kB}, {kA, kB, kB, kB, kB, kA, kB, kB, kA}}));
}

TEST(BmpReader, FourBitsWithAShortPaletteGiveBlackBeyondIt) {
    TestBmp f = File(TestBmpHeader::kInfo, 5, 1, 4);
    f.palette = {kA, kB, colors::kWhite};
    f.colorsUsed = 3;
    f.data = {0x01, 0x23, 0xF0, 0};  // indices 0 1 2 3 15
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.format, PixelFormat::k4);
    EXPECT_EQ(p.info.paletteEntries, 3u);
    EXPECT_EQ(p.palette.size(), 3u);
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{kA, kB, colors::kWhite, colors::kBlack, colors::kBlack}}));
}

TEST(BmpReader, EightBitsBottomUpAndTopDownGiveTheSamePicture) {
    const std::vector<std::vector<std::uint32_t>> indices = {{0, 1, 2}, {3, 4, 255}};
    const std::vector<Color> palette = RampPalette(256);
    const Rows expected = {{palette[0], palette[1], palette[2]}, {palette[3], palette[4], palette[255]}};
    TestBmp f = File(TestBmpHeader::kInfo, 3, 2, 8);
    f.palette = palette;
    f.data = PackRows(indices, 8);
    EXPECT_EQ(PixelsOf(MustRead(BuildBmp(f)).bitmap), expected);
    f.topDown = true;
    f.data = PackRows(indices, 8, true);
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_FALSE(p.info.bottomUp);
    EXPECT_EQ(p.format, PixelFormat::k8);
    EXPECT_EQ(PixelsOf(p.bitmap), expected);
}

TEST(BmpReader, EightBitsWithFewerColoursUsedThanIndicesReachGiveBlack) {
    TestBmp f = File(TestBmpHeader::kInfo, 4, 1, 8);
    f.palette = {kA, kB};
    f.colorsUsed = 2;
    f.data = {1, 0, 2, 200};
    EXPECT_EQ(PixelsOf(MustRead(BuildBmp(f)).bitmap), (Rows{{kB, kA, colors::kBlack, colors::kBlack}}));
}

TEST(BmpReader, CoreHeaderReadsThreeBytePaletteEntries) {
    TestBmp f = File(TestBmpHeader::kCore, 3, 2, 4);
    f.palette = RampPalette(16);
    f.data = PackRows({{15, 0, 7}, {1, 2, 3}}, 4);
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.info.headerKind, BmpHeaderKind::kCore);
    EXPECT_EQ(p.palette, RampPalette(16));
    EXPECT_EQ(PixelsOf(p.bitmap),
              (Rows{{f.palette[15], f.palette[0], f.palette[7]}, {f.palette[1], f.palette[2], f.palette[3]}}));
}

TEST(BmpReader, CoreHeaderWithAPaletteCutShortByThePixelOffset) {
    // An 8-bit core file that stores 4 of its 256 entries: the pixel offset says so.
    TestBmp f = File(TestBmpHeader::kCore, 2, 1, 8);
    f.palette = {kA, kB, colors::kWhite, colors::kRed};
    f.data = {3, 9, 0, 0};
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.info.paletteEntries, 4u);
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{colors::kRed, colors::kBlack}}));
}

TEST(BmpReader, SixteenBitsWithoutMasksAreFiveFiveFive) {
    TestBmp f = File(TestBmpHeader::kInfo, 6, 1, 16);
    // white, red, green, blue level 1, the unused top bit alone, blue 16
    f.data = PackRows({{0x7FFF, 0x7C00, 0x03E0, 0x0001, 0x8000, 0x0010}}, 16);
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.format, PixelFormat::k15);
    // Level v of 31 reads as (v * 255 + 15) / 31: 1 -> 8, 16 -> 132.
    EXPECT_EQ(PixelsOf(p.bitmap),
              (Rows{{colors::kWhite, colors::kRed, colors::kGreen, Rgb(0, 0, 8), colors::kBlack, Rgb(0, 0, 132)}}));
}

TEST(BmpReader, SixteenBitBitFieldsFiveSixFive) {
    TestBmp f = File(TestBmpHeader::kInfo, 5, 1, 16);
    f.compression = 3;
    f.masks[0] = 0xF800;
    f.masks[1] = 0x07E0;
    f.masks[2] = 0x001F;
    f.data = PackRows({{0xFFFF, 0xF800, 0x07E0, 0x0020, 0x8410}}, 16);
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.format, PixelFormat::k16);
    EXPECT_EQ(p.info.redMask, 0xF800u);
    // Green level 1 of 63: (255 + 31) / 63 = 4; 0x8410 is red 16, green 32, blue 16.
    EXPECT_EQ(PixelsOf(p.bitmap),
              (Rows{{colors::kWhite, colors::kRed, colors::kGreen, Rgb(0, 4, 0), Rgb(132, 130, 132)}}));
}

TEST(BmpReader, SixteenBitFieldsDecideBetweenFifteenSixteenAndCustom) {
    TestBmp f = File(TestBmpHeader::kInfo, 2, 1, 16);
    f.compression = 3;
    f.data = PackRows({{0x7C00, 0x0421}}, 16);
    f.masks[0] = 0x7C00;
    f.masks[1] = 0x03E0;
    f.masks[2] = 0x001F;
    EXPECT_EQ(MustRead(BuildBmp(f)).format, PixelFormat::k15);
    // 4-4-4: level 8 of 15 reads as (8 * 255 + 7) / 15 = 136.
    f.masks[0] = 0x0F00;
    f.masks[1] = 0x00F0;
    f.masks[2] = 0x000F;
    f.data = PackRows({{0x0F00, 0x0800}}, 16);
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.format, PixelFormat::kCustom);
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{colors::kRed, Rgb(136, 0, 0)}}));
}

TEST(BmpReader, TwentyFourBitsBothRowOrders) {
    const std::vector<std::vector<std::uint32_t>> colours = {{kA, kB}, {colors::kWhite, 0x123456}};
    const Rows expected = {{kA, kB}, {colors::kWhite, 0x123456}};
    TestBmp f = File(TestBmpHeader::kInfo, 2, 2, 24);
    f.data = PackRows(colours, 24);
    const BmpPicture up = MustRead(BuildBmp(f));
    EXPECT_EQ(up.format, PixelFormat::k24);
    EXPECT_TRUE(up.palette.empty());
    EXPECT_EQ(PixelsOf(up.bitmap), expected);
    f.topDown = true;
    f.data = PackRows(colours, 24, true);
    EXPECT_EQ(PixelsOf(MustRead(BuildBmp(f)).bitmap), expected);
}

TEST(BmpReader, ThirtyTwoBitsIgnoreTheFourthByte) {
    TestBmp f = File(TestBmpHeader::kInfo, 2, 1, 32);
    f.data = PackRows({{0xFF0A141E, 0x00326496}}, 32);  // bytes B G R X
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.format, PixelFormat::k32);
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{Rgb(0x0A, 0x14, 0x1E), Rgb(0x32, 0x64, 0x96)}}));
}

TEST(BmpReader, ThirtyTwoBitFieldsStandardAndTenTenTen) {
    TestBmp f = File(TestBmpHeader::kInfo, 2, 1, 32);
    f.compression = 3;
    f.masks[0] = 0x00FF0000;
    f.masks[1] = 0x0000FF00;
    f.masks[2] = 0x000000FF;
    f.data = PackRows({{0x00010203, 0xFFFFFFFF}}, 32);
    BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.format, PixelFormat::k32);
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{Rgb(1, 2, 3), colors::kWhite}}));

    f.masks[0] = 0x3FF00000;
    f.masks[1] = 0x000FFC00;
    f.masks[2] = 0x000003FF;
    // Red 1023, green 512, blue 1: 512 * 255 / 1023 rounds to 128, 1 to 0.
    f.data = PackRows({{(1023u << 20) | (512u << 10) | 1u, 0xC0000000}}, 32);
    p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.format, PixelFormat::kCustom);
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{Rgb(255, 128, 0), colors::kBlack}}));
}

TEST(BmpReader, V4AndV5HeadersCarryTheirMasksInside) {
    TestBmp f = File(TestBmpHeader::kV4, 2, 1, 16);
    f.compression = 3;
    f.masks[0] = 0xF800;
    f.masks[1] = 0x07E0;
    f.masks[2] = 0x001F;
    f.data = PackRows({{0xF800, 0x001F}}, 16);
    BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.info.headerKind, BmpHeaderKind::kV4);
    EXPECT_EQ(p.format, PixelFormat::k16);
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{colors::kRed, colors::kBlue}}));

    f = File(TestBmpHeader::kV5, 1, 2, 32);
    f.compression = 3;
    f.topDown = true;
    f.masks[0] = 0x000000FF;  // red and blue swapped
    f.masks[1] = 0x0000FF00;
    f.masks[2] = 0x00FF0000;
    f.data = PackRows({{0x000000FF}, {0x00FF0000}}, 32, true);
    p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.info.headerKind, BmpHeaderKind::kV5);
    EXPECT_EQ(p.format, PixelFormat::kCustom);
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{colors::kRed}, {colors::kBlue}}));

    // V5 with BI_RGB: whatever the mask fields hold is not used.
    f = File(TestBmpHeader::kV5, 1, 1, 24);
    f.masks[0] = 0x1;
    f.data = PackRows({{kB}}, 24);
    p = MustRead(BuildBmp(f));
    EXPECT_EQ(PixelsOf(p.bitmap), (Rows{{kB}}));
}

TEST(BmpReader, EveryHeaderKindAtEveryDepthItAllows) {
    // 16-bit words and what they read as (5-5-5).
    const std::vector<std::pair<std::uint32_t, Color>> words = {{0x7C00, colors::kRed},
                                                                {0x03E0, colors::kGreen},
                                                                {0x001F, colors::kBlue},
                                                                {0x7FFF, colors::kWhite},
                                                                {0x0000, colors::kBlack}};
    for (const TestBmpHeader header :
         {TestBmpHeader::kCore, TestBmpHeader::kInfo, TestBmpHeader::kV4, TestBmpHeader::kV5}) {
        for (const int bits : {1, 4, 8, 16, 24, 32}) {
            if (header == TestBmpHeader::kCore && (bits == 16 || bits == 32)) continue;
            const int width = 7, height = 3;
            TestBmp f = File(header, width, height, static_cast<std::uint16_t>(bits));
            if (bits <= 8) f.palette = RampPalette(1 << bits);
            std::vector<std::vector<std::uint32_t>> stored(height);
            Rows expected(height);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const int n = x + width * y;
                    if (bits <= 8) {
                        const std::uint32_t index = static_cast<std::uint32_t>(n * 5 + 1) % (1u << bits);
                        stored[y].push_back(index);
                        expected[y].push_back(f.palette[index]);
                    } else if (bits == 16) {
                        stored[y].push_back(words[n % words.size()].first);
                        expected[y].push_back(words[n % words.size()].second);
                    } else {
                        const Color c = Rgb(static_cast<std::uint8_t>(n * 11), static_cast<std::uint8_t>(n * 7 + 3),
                                            static_cast<std::uint8_t>(255 - n));
                        // 32 bits: blue, green, red and a fourth byte that is ignored.
                        stored[y].push_back(bits == 24 ? c
                                                       : (std::uint32_t{BlueOf(c)} | (GreenOf(c) << 8) |
                                                          (RedOf(c) << 16) | 0xA5000000u));
                        expected[y].push_back(c);
                    }
                }
            }
            f.data = PackRows(stored, bits);
            const std::string what = std::to_string(static_cast<int>(header)) + "/" + std::to_string(bits);
            const BmpPicture p = MustRead(BuildBmp(f));
            EXPECT_EQ(PixelsOf(p.bitmap), expected) << what;
            EXPECT_EQ(p.palette, f.palette) << what;
            EXPECT_EQ(p.format, bits == 16 ? PixelFormat::k15
                                           : static_cast<PixelFormat>(bits == 1    ? 1
                                                                      : bits == 4  ? 2
                                                                      : bits == 8  ? 3
                                                                      : bits == 24 ? 6
                                                                                   : 7))
                << what;
        }
    }
}

TEST(BmpReader, BadMasksAreRefusedWithTheirReason) {
    TestBmp f = File(TestBmpHeader::kInfo, 1, 1, 16);
    f.compression = 3;
    f.data = {0, 0, 0, 0};
    const auto refused = [&](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        f.masks[0] = r;
        f.masks[1] = g;
        f.masks[2] = b;
        return KindOf(BuildBmp(f));
    };
    EXPECT_EQ(refused(0xF000, 0x0F00, 0x0000), FailureKind::kInvalid);   // empty
    EXPECT_EQ(refused(0xF00F, 0x0F00, 0x00F0), FailureKind::kInvalid);   // scattered
    EXPECT_EQ(refused(0xFF00, 0x0FF0, 0x000F), FailureKind::kInvalid);   // overlapping
    EXPECT_EQ(refused(0xF0000, 0x0F00, 0x00F0), FailureKind::kInvalid);  // beyond 16 bits
}

TEST(BmpReader, ProgressRunsToAHundredAndBackToZero) {
    struct Recorder : Progress {
        std::vector<int> positions;
        int max = 0;
        void SetMax(int m) noexcept override { max = m; }
        void SetPosition(int p) noexcept override { positions.push_back(p); }
    } recorder;
    TestBmp f = File(TestBmpHeader::kInfo, 1, 200, 24);
    f.data.assign(200 * 4, 0);
    ASSERT_TRUE(ReadBmp(BuildBmp(f), &recorder));
    EXPECT_EQ(recorder.max, 100);
    ASSERT_GE(recorder.positions.size(), 3u);
    EXPECT_EQ(recorder.positions.front(), 1);
    EXPECT_EQ(recorder.positions.back(), 0);
    EXPECT_EQ(recorder.positions[recorder.positions.size() - 2], 100);
    for (std::size_t i = 1; i + 1 < recorder.positions.size(); ++i)
        EXPECT_LE(recorder.positions[i - 1], recorder.positions[i]);
}

TEST(BmpReader, FromAFileAndFromAMissingOne) {
    testing::TempDir dir;
    TestBmp f = File(TestBmpHeader::kInfo, 1, 1, 24);
    f.data = PackRows({{kB}}, 24);
    const auto bytes = BuildBmp(f);
    testing::WriteRaw(dir / "a.bmp", std::string(bytes.begin(), bytes.end()));
    const Result<BmpPicture> p = ReadBmp(dir / "a.bmp");
    ASSERT_TRUE(p) << p.Error().message;
    EXPECT_EQ(p->bitmap.Pixel(0, 0), kB);
    const Result<BmpPicture> missing = ReadBmp(dir / "missing.bmp");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().kind, FailureKind::kIo);
    EXPECT_NE(missing.Error().message.find("missing.bmp"), std::string::npos);
}

TEST(BmpReader, AFileReadInBlocksGivesWhatItsBytesGive) {
    testing::TempDir dir;
    std::mt19937 random(5);
    Bitmap24 picture(701, 600);  // 24 bits: more than a block of the file
    for (int y = 0; y < picture.Height(); ++y) {
        for (int i = 0; i < 3 * picture.Width(); ++i) picture.Row(y)[i] = static_cast<std::uint8_t>(random() >> 24);
    }
    for (const PixelFormat format : {PixelFormat::k1, PixelFormat::k8, PixelFormat::k16, PixelFormat::k24}) {
        std::vector<std::uint8_t> bytes = EncodeBmp(picture.View(), format);
        for (const std::size_t gap : {std::size_t{0}, std::size_t{70000}}) {  // pixels beyond the first read too
            std::vector<std::uint8_t> file = bytes;
            const std::uint32_t offset = file[10] | file[11] << 8 | file[12] << 16 | std::uint32_t{file[13]} << 24;
            file.insert(file.begin() + offset, gap, 0);
            for (int k = 0; k < 4; ++k) file[10 + k] = static_cast<std::uint8_t>((offset + gap) >> (8 * k));
            testing::WriteRaw(dir / "p.bmp", std::string(file.begin(), file.end()));
            const Result<BmpPicture> fromFile = ReadBmp(dir / "p.bmp");
            ASSERT_TRUE(fromFile) << fromFile.Error().message;
            EXPECT_EQ(fromFile->bitmap, MustRead(file).bitmap) << static_cast<int>(format) << " " << gap;
            EXPECT_EQ(fromFile->format, format);
        }
    }
}

TEST(BmpReaderLimits, AbsurdHeadersAreRefused) {
    TestBmp f = File(TestBmpHeader::kInfo, 70000, 1, 24);
    f.data.assign(70000 * 3 + 4, 0);  // even with every byte present
    EXPECT_EQ(KindOf(BuildBmp(f)), FailureKind::kUnsupported);
    f = File(TestBmpHeader::kInfo, 1, 70000, 8);
    f.data.assign(70000 * 4, 0);
    EXPECT_EQ(KindOf(BuildBmp(f)), FailureKind::kUnsupported);

    auto tall = BuildBmp(File(TestBmpHeader::kInfo, 1, 1, 24));
    tall.resize(tall.size() + 4, 0);
    for (const std::int32_t height : {std::numeric_limits<std::int32_t>::min(), 0}) {
        for (int i = 0; i < 4; ++i) tall[22 + i] = static_cast<std::uint8_t>(height >> (8 * i));
        EXPECT_EQ(KindOf(tall), FailureKind::kInvalid) << height;
    }

    // The pixel offset beyond the end of the file.
    auto beyond = BuildBmp(File(TestBmpHeader::kInfo, 1, 1, 24));
    beyond.resize(beyond.size() + 4, 0);
    beyond[10] = 0xFF;
    beyond[11] = 0xFF;
    EXPECT_EQ(KindOf(beyond), FailureKind::kTruncated);
}

TEST(BmpReaderLimits, HugeColourCounts) {
    // Clamped to 256 at 8 bits, as the table is what matters ...
    TestBmp f = File(TestBmpHeader::kInfo, 1, 1, 8);
    f.palette = RampPalette(256);
    f.colorsUsed = 0xFFFFFFFF;
    f.data = {255, 0, 0, 0};
    const BmpPicture p = MustRead(BuildBmp(f));
    EXPECT_EQ(p.palette.size(), 256u);
    EXPECT_EQ(p.bitmap.Pixel(0, 0), f.palette[255]);
    // ... but at 24 bits a table of 4 billion entries cannot be in the file.
    f = File(TestBmpHeader::kInfo, 1, 1, 24);
    f.colorsUsed = 0xFFFFFFFF;
    f.data = {1, 2, 3, 0};
    EXPECT_EQ(KindOf(BuildBmp(f)), FailureKind::kTruncated);
}

TEST(BmpReaderLimits, RunLengthPicturesMayNotAskForMoreThanTheirDataCanFill) {
    TestBmp f = File(TestBmpHeader::kInfo, 10000, 10000, 8);
    f.compression = 1;
    f.palette = RampPalette(2);
    f.data = {0, 1};
    const Result<BmpPicture> p = ReadBmp(BuildBmp(f));
    ASSERT_FALSE(p);
    EXPECT_EQ(p.Error().kind, FailureKind::kUnsupported);
    EXPECT_NE(p.Error().message.find("10000 x 10000"), std::string::npos) << p.Error().message;
}

}  // namespace
}  // namespace kelbo
