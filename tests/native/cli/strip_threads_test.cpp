// The strips shared among threads: the bytes of one thread, and a failure in
// any strip reaching the caller with the old file kept. Also run under
// ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>

#include "strips.h"
#include "codecs/bmp_writer.h"
#include "core/file_io.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

// Each byte the sum of the column's bytes within two rows of it, mod 256:
// wrong in any row whose context went astray.
Bitmap24 ColumnSums(Bitmap24 picture) {
    Bitmap24 result(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width() * 3; ++x) {
            unsigned sum = 0;
            for (int dy = -2; dy <= 2; ++dy) {
                if (y + dy >= 0 && y + dy < picture.Height()) sum += picture.Row(y + dy)[x] * (dy + 3);
            }
            result.Row(y)[x] = static_cast<std::uint8_t>(sum);
        }
    }
    return result;
}

TEST(StripThreads, GiveTheBytesOfOneThreadAndPassOnAFailure) {
    const testing::TempDir dir;
    std::mt19937 random(5);
    for (const auto& [width, height] : {std::pair{1, 1}, {3, 40}, {257, 131}}) {
        Bitmap24 picture(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width * 3; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(random());
        }
        WriteBmp24(dir / "in.bmp", picture.View());
        const std::vector<std::uint8_t> whole = EncodeBmp24(ColumnSums(Bitmap24(picture)).View());
        for (const int rows : {1, 3, 16, 0}) {
            for (const int threads : {1, 2, 3, 8}) {
                ASSERT_TRUE(TransformInStrips(dir / "in.bmp", dir / "out.bmp", ColumnSums, 2, rows, threads));
                EXPECT_EQ(ReadFileBytes(dir / "out.bmp"), whole) << width << " x " << height << ", " << rows << " rows";
            }
        }
        // A strip in the middle fails while others are in flight.
        std::atomic<int> calls{0};
        const Transform failing = [&calls](Bitmap24 strip) {
            if (++calls == 3) throw std::runtime_error("no strip");
            return strip;
        };
        WriteFileAtomically(dir / "old.bmp", std::vector<std::uint8_t>{1, 2, 3});
        if (height > 1) {
            EXPECT_THROW(TransformInStrips(dir / "in.bmp", dir / "old.bmp", failing, 2, 5, 3), std::runtime_error);
            EXPECT_EQ(ReadFileBytes(dir / "old.bmp"), (std::vector<std::uint8_t>{1, 2, 3}));
        }
    }
}

}  // namespace
}  // namespace kelbo::cli
