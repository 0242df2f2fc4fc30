// Damaged and hostile bitmap files: every one must end in a picture or a
// failure with a reason, never in a crash, a hang or a read out of bounds
// (run these under valgrind too).
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <span>

#include "bmp_test_files.h"
#include "codecs/bmp_reader.h"

namespace kelbo {
namespace {

using testing::EveryKindOfBmp;

bool IsRle(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() > 34 && bytes[14] != 12 && (bytes[30] == 1 || bytes[30] == 2);
}

// A success must be a picture the program can hold.
void ExpectSane(const Result<BmpPicture>& picture, const std::string& what) {
    if (picture) {
        EXPECT_GT(picture->bitmap.Width(), 0) << what;
        EXPECT_GT(picture->bitmap.Height(), 0) << what;
        EXPECT_LE(picture->bitmap.Width(), 65535) << what;
        EXPECT_LE(picture->bitmap.Height(), 65535) << what;
        EXPECT_EQ(picture->bitmap.Width(), picture->info.width) << what;
    } else {
        EXPECT_FALSE(picture.Error().message.empty()) << what;
    }
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(BmpCorpus, EveryKindReadsWhole) {
    const auto files = EveryKindOfBmp();
    EXPECT_EQ(files.size(), 19u);
    for (const auto& file : files) {
        const Result<BmpPicture> picture = ReadBmp(file.bytes);
        ASSERT_TRUE(picture) << file.name << ": " << picture.Error().message;
        EXPECT_EQ(picture->bitmap.Width(), 13) << file.name;
        EXPECT_EQ(picture->bitmap.Height(), 5) << file.name;
    }
}

TEST(BmpCorpus, TruncatedAtEverySeventhByte) {
    for (const auto& file : EveryKindOfBmp()) {
        for (std::size_t n = 0; n < file.bytes.size(); n += 7) {
            const std::span<const std::uint8_t> cut(file.bytes.data(), n);
            const std::vector<std::uint8_t> copy(cut.begin(), cut.end());  // so valgrind sees the end
            const Result<BmpPicture> picture = ReadBmp(copy);
            const std::string what = file.name + " cut to " + std::to_string(n) + " bytes";
            ExpectSane(picture, what);
            // Only the end mark of run-length data may be missing.
            if (picture) {
                EXPECT_TRUE(IsRle(file.bytes) && n + 2 >= file.bytes.size()) << what;
            }
        }
    }
}

TEST(BmpCorpus, RandomByteFlips) {
    std::mt19937 random(20240611);
    for (const auto& file : EveryKindOfBmp()) {
        for (int round = 0; round < 400; ++round) {
            std::vector<std::uint8_t> bytes = file.bytes;
            const int flips = 1 + static_cast<int>(random() % 6);
            for (int i = 0; i < flips; ++i) {
                // Half of the flips hit the headers, where they do the most harm.
                const std::size_t limit = random() % 2 ? std::min<std::size_t>(bytes.size(), 70) : bytes.size();
                bytes[random() % limit] ^= static_cast<std::uint8_t>(1 + random() % 255);
            }
            ExpectSane(ReadBmp(bytes), file.name + " round " + std::to_string(round));
        }
    }
}

TEST(BmpCorpus, RandomRunLengthData) {
    std::mt19937 random(77);
    for (int round = 0; round < 3000; ++round) {
        testing::TestBmp f;
        f.width = 1 + static_cast<int>(random() % 40);
        f.height = 1 + static_cast<int>(random() % 40);
        f.bits = round % 2 ? 8 : 4;
        f.compression = round % 2 ? 1 : 2;
        f.palette = testing::RampPalette(static_cast<int>(random() % 17));
        f.colorsUsed = static_cast<std::uint32_t>(f.palette.size());
        f.data.resize(random() % 300);
        // Small counts and escapes are the interesting bytes.
        for (auto& b : f.data) b = static_cast<std::uint8_t>(random() % 3 ? random() % 8 : random());
        ExpectSane(ReadBmp(testing::BuildBmp(f)), "round " + std::to_string(round));
    }
}

TEST(BmpCorpus, AbsurdSizesAndOffsets) {
    constexpr std::uint32_t kMin = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::min());
    for (const auto& file : EveryKindOfBmp()) {
        const bool core = file.bytes[14] == 12;
        const auto refused = [&](std::size_t at, std::uint32_t value, int widthBytes) {
            std::vector<std::uint8_t> bytes = file.bytes;
            if (widthBytes == 2) {
                bytes[at] = static_cast<std::uint8_t>(value);
                bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
            } else {
                PutU32(bytes, at, value);
            }
            const Result<BmpPicture> picture = ReadBmp(bytes);
            EXPECT_FALSE(picture) << file.name << ": " << value << " at " << at;
            ExpectSane(picture, file.name);
        };
        refused(10, 0xFFFFFFFF, 4);  // pixel offset beyond the file
        refused(10, static_cast<std::uint32_t>(file.bytes.size()) + 1, 4);
        if (core) {
            refused(18, 0, 2);   // width 0
            refused(22, 2, 2);   // planes
            refused(24, 32, 2);  // no 32 bits in the core header
            refused(14, 11, 4);  // header size
        } else {
            refused(18, 70000, 4);  // width
            refused(22, 70000, 4);  // height
            refused(22, kMin, 4);   // height -2^31
            refused(18, 0x7FFFFFFF, 4);
            if (!IsRle(file.bytes)) refused(22, 65535, 4);  // rows missing
            refused(28, 0x0100, 2);                         // 256 bits per pixel
            refused(30, 9, 4);                              // unknown compression
            refused(14, 0xFFFFFFFF, 4);
            if (file.bytes[28] > 8) refused(46, 0xFFFFFFFF, 4);  // colours used
        }
    }
}

}  // namespace
}  // namespace kelbo
