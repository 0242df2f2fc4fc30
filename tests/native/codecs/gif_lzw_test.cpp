#include "codecs/gif_lzw.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "codecs/gif_test_files.h"

namespace kelbo {
namespace {

using testing::EncodeGifLzw;
using testing::GifCodePacker;
using testing::GifLzwOptions;
using testing::GifSubBlocks;

constexpr std::uint8_t kSentinel = 0xA5;

struct Decoded {
    std::vector<std::uint8_t> pixels;
    GifLzwResult result;
    std::size_t endPosition = 0;
    std::uint8_t byteAfter = 0;  // what the reader sees next: the sentinel when all was consumed
};

// The code size byte, the codes in sub-blocks and a sentinel byte after them.
std::vector<std::uint8_t> Stream(int minCodeSize, const std::vector<std::uint8_t>& codes, std::size_t blockSize = 255) {
    std::vector<std::uint8_t> data{static_cast<std::uint8_t>(minCodeSize)};
    const auto blocks = GifSubBlocks(codes, blockSize);
    data.insert(data.end(), blocks.begin(), blocks.end());
    data.push_back(kSentinel);
    return data;
}

Decoded DecodeStream(const std::vector<std::uint8_t>& data, std::size_t pixels, std::size_t rowLength = 0,
                     const GifLzwRowCallback& onRow = {}) {
    Decoded d;
    d.pixels.assign(pixels, 0xEE);
    ByteReader reader(data);
    d.result = DecodeGifLzw(reader, d.pixels, rowLength, onRow);
    d.endPosition = reader.Position();
    d.byteAfter = reader.AtEnd() ? 0 : reader.U8();
    return d;
}

std::vector<std::uint8_t> RandomIndices(std::size_t count, int bits, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> out(count);
    for (auto& v : out) v = static_cast<std::uint8_t>(random() & ((1u << bits) - 1));
    return out;
}

TEST(GifLzw, RoundTripsEveryCodeSize) {
    for (int m = 2; m <= 8; ++m) {
        const auto indices = RandomIndices(6000, m, static_cast<unsigned>(m));
        const Decoded d = DecodeStream(Stream(m, EncodeGifLzw(indices, m)), indices.size());
        EXPECT_EQ(d.pixels, indices) << "min code size " << m;
        EXPECT_EQ(d.result.pixels, indices.size());
        EXPECT_EQ(d.result.minCodeSize, m);
        EXPECT_EQ(d.byteAfter, kSentinel);
    }
}

TEST(GifLzw, CodeSizesNineToElevenRoundTripWithTheirOwnClearAndEndCodes) {
    const auto indices = RandomIndices(70000, 8, 3);
    for (int m = 9; m <= 11; ++m) {
        for (bool clearWhenFull : {true, false}) {
            GifLzwOptions options;
            options.clearWhenFull = clearWhenFull;
            const Decoded d = DecodeStream(Stream(m, EncodeGifLzw(indices, m, options)), indices.size());
            EXPECT_EQ(d.pixels, indices) << m;
            EXPECT_EQ(d.result.end, GifLzwEnd::kFilled) << m;
            EXPECT_EQ(d.byteAfter, kSentinel) << m;
        }
    }
}

TEST(GifLzw, HandWrittenCodesOfSizeNine) {
    // Clear 512, end 513, entries from 514, codes of 10 bits.
    GifCodePacker p;
    p.Code(512, 10).Code(200, 10).Code(201, 10).Code(514, 10).Code(513, 10);
    const Decoded d = DecodeStream(Stream(9, p.Bytes()), 4);
    EXPECT_EQ(d.pixels, (std::vector<std::uint8_t>{200, 201, 200, 201}));
    EXPECT_EQ(d.result.end, GifLzwEnd::kFilled);
    // Size 11: the first code already has the full 12 bits.
    GifCodePacker q;
    q.Code(2048, 12).Code(7, 12).Code(2050, 12).Code(2049, 12);
    EXPECT_EQ(DecodeStream(Stream(11, q.Bytes()), 3).pixels, (std::vector<std::uint8_t>{7, 7, 7}));
}

TEST(GifLzw, RootAbove255StopsWithItsReason) {
    GifCodePacker p;
    p.Code(512, 10).Code(5, 10).Code(300, 10).Code(6, 10).Code(513, 10);
    const Decoded d = DecodeStream(Stream(9, p.Bytes()), 4);
    EXPECT_EQ(d.result.pixels, 1u);
    EXPECT_EQ(d.result.end, GifLzwEnd::kBadIndex);
    EXPECT_EQ(GifLzwProblem(d.result, 4), "LZW code 300 is a colour index beyond any colour table after 1 of 4 pixels");
    EXPECT_EQ(d.byteAfter, kSentinel);
}

TEST(GifLzw, EveryWayOfEndingIsTold) {
    GifCodePacker early;
    early.Code(4, 3).Code(1, 3).Code(5, 3);
    GifCodePacker bad;
    bad.Code(4, 3).Code(2, 3).Code(4, 3).Code(7, 3);
    GifCodePacker full;
    full.Code(4, 3).Code(1, 3).Code(2, 3);
    const struct {
        std::vector<std::uint8_t> codes;
        GifLzwEnd end;
        std::size_t pixels;
        std::string problem;
    } cases[] = {
        {early.Bytes(), GifLzwEnd::kEndCode, 1, "the LZW data ends (end code) after 1 of 2 pixels"},
        {bad.Bytes(), GifLzwEnd::kBadCode, 1, "LZW code 7 names no string after 1 of 2 pixels"},
        {full.Bytes(), GifLzwEnd::kFilled, 2, ""},
        {{0x0C}, GifLzwEnd::kEndOfData, 1, ""},  // clear, 1, then the data stops
    };
    for (const auto& c : cases) {
        const Decoded d = DecodeStream(Stream(2, c.codes), 2);
        EXPECT_EQ(d.result.end, c.end) << c.problem;
        EXPECT_EQ(d.result.pixels, c.pixels) << c.problem;
        EXPECT_EQ(GifLzwProblem(d.result, 2), c.problem);
    }
}

TEST(GifLzw, TwoColourPictureWithCodeSizeTwo) {
    // A 1-bit picture still uses code size 2: clear 4, end 5, codes of 3 bits.
    std::vector<std::uint8_t> indices;
    for (int i = 0; i < 500; ++i) indices.push_back(static_cast<std::uint8_t>((i / 3 + i / 7) & 1));
    const auto codes = EncodeGifLzw(indices, 2);
    EXPECT_EQ(codes[0] & 7, 4);  // the first code is the clear code in 3 bits
    const Decoded d = DecodeStream(Stream(2, codes), indices.size());
    EXPECT_EQ(d.pixels, indices);
}

TEST(GifLzw, HandWrittenCodesWidenRightAfterEntrySeven) {
    // Code size 2: codes start at 3 bits; the entries 6 and 7 are added by the
    // third and fourth codes, after which the next free code is 8 = 2^3 and
    // every later code has 4 bits.
    GifCodePacker p;
    p.Code(4, 3).Code(1, 3).Code(2, 3).Code(3, 3);  // clear, 1, 2 (adds 6 = 12), 3 (adds 7 = 23)
    p.Code(0, 4).Code(6, 4).Code(5, 4);             // 0 (adds 8 = 30), 6 = "1 2", end
    const Decoded d = DecodeStream(Stream(2, p.Bytes()), 6);
    EXPECT_EQ(d.pixels, (std::vector<std::uint8_t>{1, 2, 3, 0, 1, 2}));
    EXPECT_EQ(d.result.pixels, 6u);
    EXPECT_EQ(d.byteAfter, kSentinel);
}

TEST(GifLzw, KwKwKCodeRepeatsThePreviousStringsFirstIndex) {
    GifCodePacker p;
    // 1, then 6 which is not yet in the table: "1" + "1".
    // Then 7, again the next free code: "1 1" + "1".
    p.Code(4, 3).Code(1, 3).Code(6, 3).Code(7, 3).Code(5, 4);
    const Decoded d = DecodeStream(Stream(2, p.Bytes()), 6);
    EXPECT_EQ(d.pixels, (std::vector<std::uint8_t>{1, 1, 1, 1, 1, 1}));
}

TEST(GifLzw, RunsOfOneIndexRoundTrip) {
    // Long runs make the encoder emit the code it is just defining.
    std::vector<std::uint8_t> indices(20000, 3);
    indices[7000] = 1;
    const Decoded d = DecodeStream(Stream(2, EncodeGifLzw(indices, 2)), indices.size());
    EXPECT_EQ(d.pixels, indices);
}

TEST(GifLzw, CodeBeyondTheNextFreeCodeActsLikeTheNextFreeCode) {
    GifCodePacker p;
    // 7 is beyond the next free code 6: "2" + "2", entered as 6. Then 6 is known.
    p.Code(4, 3).Code(2, 3).Code(7, 3).Code(6, 3).Code(5, 4);
    const Decoded d = DecodeStream(Stream(2, p.Bytes()), 5);
    EXPECT_EQ(d.pixels, (std::vector<std::uint8_t>{2, 2, 2, 2, 2}));
}

TEST(GifLzw, FullTableWithoutClearKeepsTwelveBitCodes) {
    for (int m : {2, 8}) {
        const auto indices = RandomIndices(60000, m, 99);
        GifLzwOptions options;
        options.clearWhenFull = false;
        const auto deferred = EncodeGifLzw(indices, m, options);
        const auto cleared = EncodeGifLzw(indices, m);
        ASSERT_NE(deferred, cleared) << "the data must be long enough to fill the table";
        const Decoded d = DecodeStream(Stream(m, deferred), indices.size());
        EXPECT_EQ(d.pixels, indices) << "min code size " << m;
        const Decoded c = DecodeStream(Stream(m, cleared), indices.size());
        EXPECT_EQ(c.pixels, indices) << "min code size " << m;
    }
}

TEST(GifLzw, MissingClearCodeStartsWithTheInitialTable) {
    const auto indices = RandomIndices(3000, 4, 5);
    GifLzwOptions options;
    options.clearFirst = false;
    const Decoded d = DecodeStream(Stream(4, EncodeGifLzw(indices, 4, options)), indices.size());
    EXPECT_EQ(d.pixels, indices);
}

TEST(GifLzw, LeadingClearCodesAreSkipped) {
    GifCodePacker p;
    p.Code(4, 3).Code(4, 3).Code(4, 3).Code(3, 3).Code(0, 3).Code(5, 3);
    const Decoded d = DecodeStream(Stream(2, p.Bytes()), 2);
    EXPECT_EQ(d.pixels, (std::vector<std::uint8_t>{3, 0}));
}

TEST(GifLzw, ClearInTheMiddleResetsWidthAndTable) {
    GifCodePacker p;
    p.Code(4, 3).Code(1, 3).Code(2, 3).Code(3, 3);  // now 4 bits wide
    p.Code(4, 4);                                   // clear: back to 3 bits
    p.Code(2, 3).Code(6, 3).Code(5, 3);             // 6 is again the KwKwK code: "2 2"
    const Decoded d = DecodeStream(Stream(2, p.Bytes()), 6);
    EXPECT_EQ(d.pixels, (std::vector<std::uint8_t>{1, 2, 3, 2, 2, 2}));
}

TEST(GifLzw, EndCodeEndsTheDataAndSkipsTheRestOfTheSubBlocks) {
    GifCodePacker p;
    p.Code(4, 3).Code(1, 3).Code(2, 3).Code(5, 3).Code(3, 3).Code(3, 3);
    std::vector<std::uint8_t> codes = p.Bytes();
    codes.insert(codes.end(), 300, 0x33);  // more sub-blocks after the end code
    const Decoded d = DecodeStream(Stream(2, codes), 4);
    EXPECT_EQ(d.result.pixels, 2u);
    EXPECT_EQ(d.pixels, (std::vector<std::uint8_t>{1, 2, 0xEE, 0xEE}));
    EXPECT_EQ(d.byteAfter, kSentinel);
}

TEST(GifLzw, FirstCodeAfterClearThatNamesNoStringEndsTheData) {
    GifCodePacker p;
    p.Code(4, 3).Code(6, 3).Code(1, 3);
    const Decoded d = DecodeStream(Stream(2, p.Bytes()), 3);
    EXPECT_EQ(d.result.pixels, 0u);
    EXPECT_EQ(d.byteAfter, kSentinel);
}

TEST(GifLzw, TruncatedDataKeepsThePixelsDecodedSoFar) {
    const auto indices = RandomIndices(4000, 8, 7);
    const auto codes = EncodeGifLzw(indices, 8);
    // Cut inside a sub-block, with no terminator after it.
    std::vector<std::uint8_t> data = Stream(8, codes);
    data.resize(1 + 256 * 5 + 100);
    const Decoded d = DecodeStream(data, indices.size());
    ASSERT_GT(d.result.pixels, 500u);
    ASSERT_LT(d.result.pixels, indices.size());
    EXPECT_TRUE(
        std::equal(indices.begin(), indices.begin() + static_cast<std::ptrdiff_t>(d.result.pixels), d.pixels.begin()));
    EXPECT_EQ(d.endPosition, data.size());
}

TEST(GifLzw, CodesStraddleOneByteSubBlocks) {
    const auto indices = RandomIndices(2000, 5, 11);
    const Decoded d = DecodeStream(Stream(5, EncodeGifLzw(indices, 5), 1), indices.size());
    EXPECT_EQ(d.pixels, indices);
    EXPECT_EQ(d.byteAfter, kSentinel);
}

TEST(GifLzw, CodesAfterTheLastPixelAreDiscarded) {
    const auto indices = RandomIndices(3000, 6, 13);
    const Decoded d = DecodeStream(Stream(6, EncodeGifLzw(indices, 6)), 1234);
    EXPECT_EQ(d.result.pixels, 1234u);
    EXPECT_TRUE(std::equal(d.pixels.begin(), d.pixels.end(), indices.begin()));
    EXPECT_EQ(d.byteAfter, kSentinel);
}

TEST(GifLzw, StringLongerThanTheRestOfTheOutputIsCut) {
    const std::vector<std::uint8_t> indices(100, 2);
    const Decoded d = DecodeStream(Stream(2, EncodeGifLzw(indices, 2)), 50);
    EXPECT_EQ(d.pixels, std::vector<std::uint8_t>(50, 2));
}

TEST(GifLzw, CodeSizesOutsideTwoToElevenDecodeNothing) {
    for (int m : {0, 1, 12, 255}) {
        std::vector<std::uint8_t> codes(40, 0x55);
        const Decoded d = DecodeStream(Stream(m, codes), 10);
        EXPECT_EQ(d.result.end, GifLzwEnd::kBadCodeSize) << m;
        EXPECT_EQ(GifLzwProblem(d.result, 10), "LZW minimum code size " + std::to_string(m) + " is outside 2..11");
        EXPECT_EQ(d.result.pixels, 0u) << m;
        EXPECT_EQ(d.byteAfter, kSentinel) << m;
    }
}

TEST(GifLzw, NoDataAtAllDecodesNothing) {
    const Decoded d = DecodeStream({}, 10);
    EXPECT_EQ(d.result.pixels, 0u);
    EXPECT_EQ(d.result.end, GifLzwEnd::kEndOfData);
    EXPECT_EQ(GifLzwProblem(d.result, 10), "");
}

TEST(GifLzw, RowCallbackSeesEveryRowAndCanStop) {
    const auto indices = RandomIndices(100, 3, 17);
    const auto data = Stream(3, EncodeGifLzw(indices, 3));
    std::vector<std::size_t> rows;
    Decoded all = DecodeStream(data, 100, 10, [&](std::size_t r) {
        rows.push_back(r);
        return true;
    });
    EXPECT_EQ(rows, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(all.result.end, GifLzwEnd::kFilled);

    Decoded stopped = DecodeStream(data, 100, 10, [](std::size_t r) { return r < 3; });
    EXPECT_EQ(stopped.result.end, GifLzwEnd::kAborted);
    EXPECT_GE(stopped.result.pixels, 30u);
    EXPECT_LT(stopped.result.pixels, 100u);
}

}  // namespace
}  // namespace kelbo
