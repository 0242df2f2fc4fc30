#include "codecs/bmp_info.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "bmp_builder.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using testing::BmpBuilder;

FailureKind KindOf(const Result<BmpInfo>& r) { return r.Error().kind; }

// 2 x 2, 24 bits, BI_RGB: rows of 6 bytes padded to 8.
std::vector<std::uint8_t> Info24() {
    return BmpBuilder().FileHeader(70, 54).InfoHeader(40, 2, 2, 24, 0).Zeros(16).bytes;
}

TEST(ReadBmpInfo, InfoHeader24Bit) {
    const auto info = ReadBmpInfo(Info24());
    ASSERT_TRUE(info) << info.Error().message;
    EXPECT_EQ(info->headerKind, BmpHeaderKind::kInfo);
    EXPECT_EQ(info->headerSize, 40u);
    EXPECT_EQ(info->width, 2);
    EXPECT_EQ(info->height, 2);
    EXPECT_TRUE(info->bottomUp);
    EXPECT_EQ(info->bitsPerPixel, 24);
    EXPECT_EQ(info->compression, BmpCompression::kRgb);
    EXPECT_EQ(info->paletteEntries, 0u);
    EXPECT_EQ(info->pixelOffset, 54u);
    EXPECT_EQ(info->xPixelsPerMeter, 2835);
}

TEST(ReadBmpInfo, Os2CoreHeaderWithThreeBytePalette) {
    // 3 x 2, 8 bits: 256 RGBTRIPLEs, rows of 3 bytes padded to 4.
    const auto bytes = BmpBuilder().FileHeader(802, 794).U32(12).U16(3).U16(2).U16(1).U16(8).Zeros(768).Zeros(8).bytes;
    const auto info = ReadBmpInfo(bytes);
    ASSERT_TRUE(info) << info.Error().message;
    EXPECT_EQ(info->headerKind, BmpHeaderKind::kCore);
    EXPECT_EQ(info->width, 3);
    EXPECT_EQ(info->height, 2);
    EXPECT_EQ(info->bitsPerPixel, 8);
    EXPECT_EQ(info->paletteEntries, 256u);
    EXPECT_TRUE(info->bottomUp);
}

TEST(ReadBmpInfo, V4HeaderTopDownBitfields) {
    // 3 x 2, 16 bits 5-6-5, top-down: rows of 6 bytes padded to 8.
    auto b = BmpBuilder().FileHeader(138, 122).InfoHeader(108, 3, -2, 16, 3);
    b.U32(0xF800).U32(0x07E0).U32(0x001F).U32(0);  // masks: red, green, blue, alpha
    b.Zeros(108 - 56).Zeros(16);
    const auto info = ReadBmpInfo(b.bytes);
    ASSERT_TRUE(info) << info.Error().message;
    EXPECT_EQ(info->headerKind, BmpHeaderKind::kV4);
    EXPECT_EQ(info->height, 2);
    EXPECT_FALSE(info->bottomUp);
    EXPECT_EQ(info->compression, BmpCompression::kBitfields);
    EXPECT_EQ(info->redMask, 0xF800u);
    EXPECT_EQ(info->greenMask, 0x07E0u);
    EXPECT_EQ(info->blueMask, 0x001Fu);
}

TEST(ReadBmpInfo, V5Header32Bit) {
    const auto bytes = BmpBuilder().FileHeader(142, 138).InfoHeader(124, 1, 1, 32, 0).Zeros(124 - 40).Zeros(4).bytes;
    const auto info = ReadBmpInfo(bytes);
    ASSERT_TRUE(info) << info.Error().message;
    EXPECT_EQ(info->headerKind, BmpHeaderKind::kV5);
    EXPECT_EQ(info->bitsPerPixel, 32);
}

TEST(ReadBmpInfo, InfoHeaderWithMasksAfterIt) {
    const auto bytes =
        BmpBuilder().FileHeader(70, 66).InfoHeader(40, 1, 1, 32, 3).U32(0xFF0000).U32(0xFF00).U32(0xFF).Zeros(4).bytes;
    const auto info = ReadBmpInfo(bytes);
    ASSERT_TRUE(info) << info.Error().message;
    EXPECT_EQ(info->redMask, 0xFF0000u);
    EXPECT_EQ(info->blueMask, 0xFFu);
}

TEST(ReadBmpInfo, RunLengthAndPaletteDepths) {
    // RLE8 with two palette entries; the compressed data is not checked here.
    const auto rle8 =
        BmpBuilder().FileHeader(66, 62).InfoHeader(40, 4, 4, 8, 1, 2).Zeros(8).U8(0).U8(1).U8(0).U8(1).bytes;
    const auto info8 = ReadBmpInfo(rle8);
    ASSERT_TRUE(info8) << info8.Error().message;
    EXPECT_EQ(info8->compression, BmpCompression::kRle8);
    EXPECT_EQ(info8->colorsUsed, 2u);
    EXPECT_EQ(info8->paletteEntries, 2u);

    const auto rle4 = BmpBuilder().FileHeader(120, 118).InfoHeader(40, 4, 4, 4, 2).Zeros(64).U8(0).U8(1).bytes;
    const auto info4 = ReadBmpInfo(rle4);
    ASSERT_TRUE(info4) << info4.Error().message;
    EXPECT_EQ(info4->compression, BmpCompression::kRle4);
    EXPECT_EQ(info4->paletteEntries, 16u);

    // 1 bit, 9 x 1: two palette entries, one row of 2 bytes padded to 4.
    const auto mono = BmpBuilder().FileHeader(66, 62).InfoHeader(40, 9, 1, 1, 0).Zeros(8).Zeros(4).bytes;
    const auto info1 = ReadBmpInfo(mono);
    ASSERT_TRUE(info1) << info1.Error().message;
    EXPECT_EQ(info1->bitsPerPixel, 1);
    EXPECT_EQ(info1->paletteEntries, 2u);
}

TEST(ReadBmpInfo, NotABitmap) {
    EXPECT_EQ(KindOf(ReadBmpInfo(std::vector<std::uint8_t>{})), FailureKind::kWrongFormat);
    const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
    EXPECT_EQ(KindOf(ReadBmpInfo(gif)), FailureKind::kWrongFormat);
    EXPECT_EQ(KindOf(ReadBmpInfo(std::vector<std::uint8_t>{'B'})), FailureKind::kWrongFormat);
}

TEST(ReadBmpInfo, EveryShorterPrefixFailsAsTruncated) {
    const auto whole = Info24();
    for (std::size_t n = 2; n < whole.size(); ++n) {
        const std::span<const std::uint8_t> prefix(whole.data(), n);
        const auto info = ReadBmpInfo(prefix);
        ASSERT_FALSE(info) << n;
        EXPECT_EQ(KindOf(info), FailureKind::kTruncated) << n << ": " << info.Error().message;
    }
}

TEST(ReadBmpInfo, HeaderSizes) {
    const auto os2v2 = BmpBuilder().FileHeader(200, 78).InfoHeader(64, 1, 1, 24, 0).Zeros(100).bytes;
    EXPECT_EQ(KindOf(ReadBmpInfo(os2v2)), FailureKind::kUnsupported);
    const auto tiny = BmpBuilder().FileHeader(100, 54).U32(7).Zeros(80).bytes;
    EXPECT_EQ(KindOf(ReadBmpInfo(tiny)), FailureKind::kInvalid);
}

TEST(ReadBmpInfo, ImpossibleFields) {
    const auto make = [](std::int32_t w, std::int32_t h, std::uint16_t bpp, std::uint32_t comp,
                         std::uint16_t planes = 1) {
        return BmpBuilder().FileHeader(2000, 54).InfoHeader(40, w, h, bpp, comp, 0, planes).Zeros(1200).bytes;
    };
    EXPECT_EQ(KindOf(ReadBmpInfo(make(0, 1, 24, 0))), FailureKind::kInvalid);
    EXPECT_EQ(KindOf(ReadBmpInfo(make(-3, 1, 24, 0))), FailureKind::kInvalid);
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, 0, 24, 0))), FailureKind::kInvalid);
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, std::numeric_limits<std::int32_t>::min(), 24, 0))), FailureKind::kInvalid);
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, 1, 24, 0, 2))), FailureKind::kInvalid);  // planes
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, 1, 7, 0))), FailureKind::kInvalid);
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, 1, 24, 9))), FailureKind::kInvalid);
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, 1, 24, 1))), FailureKind::kInvalid);     // RLE8 at 24 bits
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, -1, 8, 1))), FailureKind::kInvalid);     // RLE top-down
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, 1, 24, 3))), FailureKind::kInvalid);     // masks at 24
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, 1, 0, 4))), FailureKind::kUnsupported);  // JPEG
    EXPECT_EQ(KindOf(ReadBmpInfo(make(1, 1, 0, 5))), FailureKind::kUnsupported);  // PNG
    const auto core16 = BmpBuilder().FileHeader(100, 26).U32(12).U16(1).U16(1).U16(1).U16(16).Zeros(80).bytes;
    EXPECT_EQ(KindOf(ReadBmpInfo(core16)), FailureKind::kInvalid);
}

TEST(ReadBmpInfo, LayoutMustFitTheFile) {
    // Offset 40 points into the headers.
    const auto overlap = BmpBuilder().FileHeader(70, 40).InfoHeader(40, 2, 2, 24, 0).Zeros(16).bytes;
    EXPECT_EQ(KindOf(ReadBmpInfo(overlap)), FailureKind::kInvalid);
    // An 8-bit file that stops inside its palette.
    const auto palette = BmpBuilder().FileHeader(1078, 1078).InfoHeader(40, 1, 1, 8, 0).Zeros(100).bytes;
    EXPECT_EQ(KindOf(ReadBmpInfo(palette)), FailureKind::kTruncated);
    // Empty bit-field masks.
    const auto masks =
        BmpBuilder().FileHeader(70, 66).InfoHeader(40, 1, 1, 32, 3).U32(0).U32(0xFF00).U32(0xFF).Zeros(4).bytes;
    EXPECT_EQ(KindOf(ReadBmpInfo(masks)), FailureKind::kInvalid);
    // A large picture whose rows cannot be in the file.
    const auto wide = BmpBuilder().FileHeader(70, 54).InfoHeader(40, 65535, 1365, 32, 0).Zeros(16).bytes;
    EXPECT_EQ(KindOf(ReadBmpInfo(wide)), FailureKind::kTruncated);
}

TEST(ReadBmpInfo, SidesAbove65535AreUnsupported) {
    for (const auto& [w, h] : {std::pair{65536, 1}, {1, 65536}, {0x7FFFFFFF, 0x7FFFFFFF}, {70000, -70000}}) {
        const auto bytes = BmpBuilder().FileHeader(70, 54).InfoHeader(40, w, h, 24, 0).Zeros(16).bytes;
        const auto info = ReadBmpInfo(bytes);
        ASSERT_FALSE(info) << w << " x " << h;
        EXPECT_EQ(info.Error().kind, FailureKind::kUnsupported);
        EXPECT_NE(info.Error().message.find("pixels, at most 65535 pixels a side"), std::string::npos);
    }
}

TEST(ReadBmpInfo, APixelOffsetInsideTheColourTableShortensIt) {
    // 8 bits, biClrUsed 0, but only 3 entries before the pixels.
    const auto bytes = BmpBuilder().FileHeader(70, 66).InfoHeader(40, 1, 1, 8, 0).Zeros(12).U8(2).Zeros(3).bytes;
    const auto info = ReadBmpInfo(bytes);
    ASSERT_TRUE(info) << info.Error().message;
    EXPECT_EQ(info->paletteEntries, 3u);
    EXPECT_EQ(BmpColorTableOffset(*info), 54u);
    EXPECT_EQ(PixelFormatOf(*info), PixelFormat::k8);
    // Deeper pictures' optional tables are not cut: they must fit whole.
    const auto deep = BmpBuilder().FileHeader(100, 66).InfoHeader(40, 1, 1, 24, 0, 5).Zeros(46).bytes;
    EXPECT_EQ(KindOf(ReadBmpInfo(deep)), FailureKind::kInvalid);
}

TEST(ReadBmpInfo, FileSizeLetsAHeaderOnlyReadSeeMissingPixels) {
    const auto whole = Info24();
    const std::span<const std::uint8_t> head(whole.data(), 54);
    EXPECT_TRUE(ReadBmpInfo(head, 70));
    EXPECT_EQ(KindOf(ReadBmpInfo(head, 69)), FailureKind::kTruncated);
}

TEST(ReadBmpInfo, RandomGarbageNeverCrashes) {
    std::mt19937 random(12345);
    const auto base = Info24();
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::uint8_t> bytes = base;
        bytes.resize(random() % 200);
        for (auto& b : bytes) {
            if (random() % 4 == 0) b = static_cast<std::uint8_t>(random());
        }
        const auto info = ReadBmpInfo(bytes);
        if (info) {
            EXPECT_GT(info->width, 0);
            EXPECT_GT(info->height, 0);
        } else {
            EXPECT_FALSE(info.Error().message.empty());
        }
    }
}

TEST(ReadBmpInfo, FromAFile) {
    testing::TempDir dir;
    const auto bytes = Info24();
    testing::WriteRaw(dir / "a.bmp", std::string(bytes.begin(), bytes.end()));
    const auto info = ReadBmpInfo(dir / "a.bmp");
    ASSERT_TRUE(info) << info.Error().message;
    EXPECT_EQ(info->width, 2);

    const auto missing = ReadBmpInfo(dir / "missing.bmp");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().kind, FailureKind::kIo);
    EXPECT_NE(missing.Error().message.find("missing.bmp"), std::string::npos);
}

TEST(ReadBmpInfo, ResultThrowsTheReasonWhenAskedForAMissingValue) {
    const auto info = ReadBmpInfo(std::vector<std::uint8_t>{'x'});
    EXPECT_THROW((void)info.Value(), std::runtime_error);
}

}  // namespace
}  // namespace kelbo
