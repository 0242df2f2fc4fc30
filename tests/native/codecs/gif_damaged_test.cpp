// Damaged and hostile GIF files: every one must end in a clear failure or in
// what the format's reading rules give (frames read before the damage kept),
// never in a crash, a hang or an out-of-bounds access.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "codecs/gif_compose.h"
#include "codecs/gif_decoder.h"
#include "codecs/gif_test_files.h"

namespace kelbo {
namespace {

using testing::GifBuilder;
using testing::GifTestImage;

std::vector<std::uint8_t> Pattern(int width, int height, int colours, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::uint8_t>((i / 5 + random() % 3) % static_cast<unsigned>(colours));
    return out;
}

std::vector<Color> Table(int count) {
    std::vector<Color> table;
    for (int i = 0; i < count; ++i)
        table.push_back(Rgb(static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 11),
                            static_cast<std::uint8_t>(255 - i)));
    return table;
}

GifTestImage NoisyImage(int left, int top, int width, int height, int colours, unsigned seed) {
    GifTestImage img;
    img.left = left;
    img.top = top;
    img.width = width;
    img.height = height;
    img.indices = Pattern(width, height, colours, seed);
    return img;
}

// Valid files using every block kind the decoder knows.
std::vector<std::vector<std::uint8_t>> Corpus() {
    std::vector<std::vector<std::uint8_t>> corpus;
    {
        GifTestImage still = NoisyImage(0, 0, 16, 12, 16, 1);
        still.interlaced = true;
        still.localTable = Table(16);
        GifBuilder gif;
        gif.Header("87a").Screen(16, 12).Image(still).Trailer();
        corpus.push_back(gif.bytes);
    }
    {
        GifBuilder gif;
        gif.Header().Screen(20, 15, Table(4), 1).Loop(3).Comment("Kelbo test");
        gif.GraphicControl(1, 10, false, 0).Image(NoisyImage(0, 0, 20, 15, 4, 2));
        gif.PlainText("text").GraphicControl(3, 5, true, 2).Image(NoisyImage(3, 4, 10, 6, 4, 3));
        GifTestImage local = NoisyImage(15, 10, 8, 9, 8, 4);
        local.localTable = Table(8);
        local.interlaced = true;
        gif.GraphicControl(2, 0, true, 7).Image(local);
        const std::uint8_t data[] = {9, 9, 9};
        gif.Application("XMP DataXMP", data).Image(NoisyImage(1, 1, 2, 2, 4, 5)).Trailer();
        corpus.push_back(gif.bytes);
    }
    {
        GifTestImage noisy = NoisyImage(0, 0, 64, 64, 256, 6);
        std::mt19937 random(8);
        for (auto& v : noisy.indices) v = static_cast<std::uint8_t>(random());
        noisy.lzw.clearWhenFull = false;
        GifBuilder gif;
        gif.Header().Screen(64, 64, Table(256)).Image(noisy).Trailer();
        corpus.push_back(gif.bytes);
    }
    return corpus;
}

std::vector<std::int32_t> StoredRows(int height, bool interlaced) {
    std::vector<std::int32_t> rows;
    const int start[] = {0, 4, 2, 1};
    const int step[] = {8, 8, 4, 2};
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < height; y += step[pass]) rows.push_back(y);
    return rows;
}

// Whatever decodes must hang together, and the composer and first-frame
// bitmap must work on it.
void CheckConsistent(const GifFile& file) {
    ASSERT_LE(file.frames.size(), kMaxGifFrames);
    ASSERT_LE(file.logicalWidth, 65535);
    ASSERT_LE(file.logicalHeight, 65535);
    for (const GifFrame& f : file.frames) {
        const std::size_t count = static_cast<std::size_t>(f.width) * f.height;
        ASSERT_EQ(f.indices.size(), count);
        ASSERT_LE(f.pixelsDecoded, count);
        ASSERT_EQ(f.image.Width(), f.width);
        ASSERT_EQ(f.image.Height(), f.height);
        ASSERT_EQ(f.mask.size(), f.transparent ? count : 0);
        ASSERT_LE(f.left + f.width, file.logicalWidth);
        ASSERT_LE(f.top + f.height, file.logicalHeight);
    }
    std::size_t visited = 0;
    ComposeGifFrames(file, [&](std::size_t, const GifComposer& screen) {
        ++visited;
        ASSERT_EQ(screen.Buffer().Width(), file.logicalWidth);
    });
    ASSERT_EQ(visited, file.frames.size());
    const Result<Bitmap24> first = GifFirstFrameBitmap(file);
    ASSERT_EQ(first.Ok(), !file.frames.empty());
}

TEST(GifDamaged, TruncatedEverySeventhByteKeepsWhatCameBefore) {
    for (const auto& whole : Corpus()) {
        const GifFile original = DecodeGif(whole).Value();
        ASSERT_EQ(original.stop, GifStop::kTrailer);
        for (std::size_t length = 0; length < whole.size(); length += 7) {
            SCOPED_TRACE("length " + std::to_string(length) + " of " + std::to_string(whole.size()));
            const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            const Result<GifFile> result = DecodeGif(cut);
            if (!result) {
                const FailureKind kind = result.Error().kind;
                EXPECT_TRUE(kind == FailureKind::kWrongFormat || kind == FailureKind::kTruncated);
                EXPECT_TRUE(length < 13 || kind == FailureKind::kTruncated);
                continue;
            }
            const GifFile& file = *result;
            CheckConsistent(file);
            EXPECT_NE(file.stop, GifStop::kTrailer);
            ASSERT_LE(file.frames.size(), original.frames.size());
            for (std::size_t i = 0; i < file.frames.size(); ++i) {
                const GifFrame& got = file.frames[i];
                const GifFrame& want = original.frames[i];
                EXPECT_EQ(got.left, want.left);
                EXPECT_EQ(got.top, want.top);
                EXPECT_EQ(got.width, want.width);
                EXPECT_EQ(got.height, want.height);
                EXPECT_EQ(got.disposal, want.disposal);
                EXPECT_EQ(got.delayMs, want.delayMs);
                EXPECT_EQ(got.transparent, want.transparent);
                EXPECT_EQ(got.comment, want.comment);
                if (i + 1 < file.frames.size()) {
                    EXPECT_TRUE(got.Complete());
                }
                // Decoded pixels are the original's, in stored order; the rest index 0.
                const auto rows = StoredRows(got.height, got.interlaced);
                std::size_t n = 0;
                for (std::int32_t y : rows) {
                    for (int x = 0; x < got.width; ++x, ++n) {
                        const std::size_t at = static_cast<std::size_t>(y) * got.width + x;
                        const std::uint8_t expected = n < got.pixelsDecoded ? want.indices[at] : 0;
                        ASSERT_EQ(got.indices[at], expected) << "frame " << i << " pixel " << at;
                    }
                }
            }
        }
    }
}

TEST(GifDamaged, RandomByteChangesNeverBreakTheDecoder) {
    std::mt19937 random(20240601);
    int decoded = 0;
    int failed = 0;
    for (const auto& whole : Corpus()) {
        for (int trial = 0; trial < 1500; ++trial) {
            std::vector<std::uint8_t> bytes = whole;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int c = 0; c < changes; ++c) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
            const Result<GifFile> result = DecodeGif(bytes);
            if (!result) {
                ++failed;
                EXPECT_FALSE(result.Error().message.empty());
                continue;
            }
            ++decoded;
            CheckConsistent(*result);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(failed, 0);
}

TEST(GifDamaged, AbsurdSizesAreRefusedOrStopTheWalk) {
    const std::vector<Color> table = Table(4);
    {
        GifBuilder gif;
        gif.Header().Screen(65535, 65535, table).Trailer();
        EXPECT_FALSE(DecodeGif(gif.bytes));
    }
    {
        GifBuilder gif;
        gif.Header().Screen(1, 1, table).ImageWithCodes(0, 0, 65535, 65535, false, 2, {0x04, 0x10});
        const GifFile file = DecodeGif(gif.bytes).Value();
        EXPECT_TRUE(file.frames.empty());
        EXPECT_EQ(file.stop, GifStop::kBadFrame);
    }
    {
        GifBuilder gif;
        gif.Header().Screen(1, 1, table).ImageWithCodes(65535, 65535, 0, 0, false, 2, {});
        const GifFile file = DecodeGif(gif.bytes).Value();
        EXPECT_TRUE(file.frames.empty());
        EXPECT_EQ(file.stop, GifStop::kBadFrame);
    }
    {
        GifBuilder gif;
        gif.Header().Screen(0, 0).ImageWithCodes(0, 0, 65535, 1, false, 8, {}).Trailer();
        const GifFile file = DecodeGif(gif.bytes).Value();
        ASSERT_EQ(file.frames.size(), 1u);
        EXPECT_EQ(file.logicalWidth, 65535);
        CheckConsistent(file);
    }
    {
        // Sub-block sizes that run past the end, and a global table flag on a tiny file.
        const std::vector<std::uint8_t> bytes = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x87, 0, 0};
        EXPECT_FALSE(DecodeGif(bytes));
        GifBuilder gif;
        gif.Header().Screen(2, 2, table).Raw({0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 2, 255, 1, 2});
        const GifFile file = DecodeGif(gif.bytes).Value();
        ASSERT_EQ(file.frames.size(), 1u);
        CheckConsistent(file);
    }
    {
        // A long run of extensions and a comment of a megabyte are only walked.
        GifBuilder gif;
        gif.Header().Screen(1, 1, table);
        for (int i = 0; i < 20000; ++i) gif.GraphicControl(1, i, false, 0);
        gif.Comment(std::string(1 << 20, 'k')).ImageWithCodes(0, 0, 1, 1, false, 2, {0x0C}).Trailer();
        const GifFile file = DecodeGif(gif.bytes).Value();
        ASSERT_EQ(file.frames.size(), 1u);
        EXPECT_EQ(file.frames[0].comment.size(), std::size_t{1} << 20);
        EXPECT_EQ(file.frames[0].delayMs, 19999 * 10);
    }
}

}  // namespace
}  // namespace kelbo
