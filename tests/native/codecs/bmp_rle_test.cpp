#include <gtest/gtest.h>

#include "bmp_test_files.h"
#include "codecs/bmp_reader.h"

namespace kelbo {
namespace {

using testing::BuildBmp;
using testing::RampPalette;
using testing::TestBmp;
using testing::TestBmpHeader;
using Rows = std::vector<std::vector<Color>>;

const std::vector<Color> kPalette = RampPalette(256);

TestBmp RleFile(int bits, int width, int height, std::vector<std::uint8_t> data) {
    TestBmp f;
    f.width = width;
    f.height = height;
    f.bits = static_cast<std::uint16_t>(bits);
    f.compression = bits == 8 ? 1 : 2;
    f.palette = RampPalette(bits == 8 ? 256 : 16);
    f.data = std::move(data);
    return f;
}

Result<BmpPicture> Read(const TestBmp& f) { return ReadBmp(BuildBmp(f)); }

Rows PixelsOf(const Result<BmpPicture>& picture) {
    if (!picture) {
        ADD_FAILURE() << picture.Error().message;
        return {};
    }
    const Bitmap24& bitmap = picture->bitmap;
    Rows rows(static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) rows[y].push_back(bitmap.Pixel(x, y));
    }
    return rows;
}

// Row `index_row` of palette colours, unset places given as -1 (background).
std::vector<Color> Line(std::vector<int> indices) {
    std::vector<Color> line;
    for (const int i : indices) line.push_back(kPalette[i < 0 ? 0 : i]);
    return line;
}

TEST(BmpRle, TheDocumentedEightBitExample) {
    // Runs, an absolute run of 3 with its pad byte, a delta 5 right and 1 up,
    // an end of line, and the end of the bitmap.
    const Result<BmpPicture> p = Read(
        RleFile(8, 20, 3, {0x03, 0x04, 0x05, 0x06, 0x00, 0x03, 0x45, 0x56, 0x67, 0x00, 0x02, 0x78,
                           0x00, 0x02, 0x05, 0x01, 0x02, 0x78, 0x00, 0x00, 0x09, 0x1E, 0x00, 0x01}));
    ASSERT_TRUE(p) << p.Error().message;
    EXPECT_EQ(p->format, PixelFormat::k8);
    EXPECT_EQ(p->info.compression, BmpCompression::kRle8);
    const int _ = -1;
    EXPECT_EQ(PixelsOf(p),
              (Rows{Line({0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, _, _, _, _, _, _, _, _, _, _, _}),
                    Line({_, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, 0x78, 0x78}),
                    Line({4, 4, 4, 6, 6, 6, 6, 6, 0x45, 0x56, 0x67, 0x78, 0x78, _, _, _, _, _, _, _})}));
}

TEST(BmpRle, RunsPastTheRightEdgeAreClipped) {
    const Result<BmpPicture> p = Read(RleFile(8, 4, 2,
                                              {6, 1, 3, 2, 0, 0,          // 6 of 1, then 3 of 2: all past the edge
                                               0, 5, 7, 8, 9, 10, 11, 0,  // absolute 5, odd: padded
                                               0, 1}));
    EXPECT_EQ(PixelsOf(p), (Rows{Line({7, 8, 9, 10}), Line({1, 1, 1, 1})}));
}

TEST(BmpRle, EvenAbsoluteRunsHaveNoPadByte) {
    const Result<BmpPicture> p = Read(RleFile(8, 6, 1, {0, 4, 20, 21, 22, 23, 1, 9, 0, 1}));
    EXPECT_EQ(PixelsOf(p), (Rows{Line({20, 21, 22, 23, 9, -1})}));
}

TEST(BmpRle, ADeltaAboveTheTopEndsThePicture) {
    const Result<BmpPicture> p = Read(RleFile(8, 2, 2, {2, 1, 0, 2, 0, 5, 2, 3}));
    EXPECT_EQ(PixelsOf(p), (Rows{Line({-1, -1}), Line({1, 1})}));
}

TEST(BmpRle, ADeltaPastTheRightEdgeDropsTheRestOfTheLine) {
    const Result<BmpPicture> p = Read(RleFile(8, 3, 2, {0, 2, 200, 0, 1, 5, 0, 0, 1, 6, 0, 1}));
    EXPECT_EQ(PixelsOf(p), (Rows{Line({6, -1, -1}), Line({-1, -1, -1})}));
}

TEST(BmpRle, DataEndingBeforeTheTopRowIsTruncated) {
    const Result<BmpPicture> p = Read(RleFile(8, 2, 3, {2, 1, 0, 0}));
    ASSERT_FALSE(p);
    EXPECT_EQ(p.Error().kind, FailureKind::kTruncated);
    EXPECT_EQ(p.Error().message, "run-length data ends in row 1 of 3 (counted from the bottom)");
    // An absolute run that promises more bytes than there are.
    EXPECT_FALSE(Read(RleFile(8, 8, 2, {0, 6, 1, 2, 3})));
    // A delta without its two offsets.
    EXPECT_FALSE(Read(RleFile(8, 8, 2, {0, 2})));
}

TEST(BmpRle, DataEndingInTheTopRowIsAcceptedWithoutTheEndMark) {
    const Result<BmpPicture> p = Read(RleFile(8, 2, 2, {2, 1, 0, 0, 1, 2}));
    EXPECT_EQ(PixelsOf(p), (Rows{Line({2, -1}), Line({1, 1})}));
}

TEST(BmpRle, FourBitRunsAlternateNibblesHighFirst) {
    const Result<BmpPicture> p = Read(
        RleFile(4, 7, 2, {3, 0x12, 0,    3,    0x34, 0x50, 1, 0xEE, 0, 0,     // 1 2 1, absolute 3 4 5, 14
                          0, 5,    0xAB, 0xCD, 0xE0, 0,    4, 0x67, 0, 1}));  // absolute 5 + pad, 6 7 clipped
    ASSERT_TRUE(p) << p.Error().message;
    EXPECT_EQ(p->format, PixelFormat::k4);
    EXPECT_EQ(PixelsOf(p), (Rows{Line({10, 11, 12, 13, 14, 6, 7}), Line({1, 2, 1, 3, 4, 5, 14})}));
}

TEST(BmpRle, FourBitDeltaAndEndOfLineLeaveTheBackground) {
    const Result<BmpPicture> p = Read(RleFile(4, 4, 3, {0, 2, 1, 1, 2, 0x99, 0, 0, 1, 0x30, 0, 1}));
    EXPECT_EQ(PixelsOf(p), (Rows{Line({3, -1, -1, -1}), Line({-1, 9, 9, -1}), Line({-1, -1, -1, -1})}));
}

TEST(BmpRle, BackgroundIsBlackWithoutAPalette) {
    TestBmp f = RleFile(8, 3, 1, {1, 5, 0, 1});
    f.palette.clear();  // the pixel offset leaves no room for a table
    const Result<BmpPicture> p = Read(f);
    ASSERT_TRUE(p) << p.Error().message;
    EXPECT_TRUE(p->palette.empty());
    EXPECT_EQ(PixelsOf(p), (Rows{{colors::kBlack, colors::kBlack, colors::kBlack}}));
}

TEST(BmpRle, RunLengthPicturesCannotBeTopDown) {
    TestBmp f = RleFile(8, 2, 2, {2, 1, 0, 1});
    f.topDown = true;
    const Result<BmpPicture> p = Read(f);
    ASSERT_FALSE(p);
    EXPECT_EQ(p.Error().kind, FailureKind::kInvalid);
}

}  // namespace
}  // namespace kelbo
