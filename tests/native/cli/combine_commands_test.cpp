#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_run.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"
#include "imaging/filters/combine.h"
#include "imaging/filters/filter_pictures.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

TEST(CombineCommands, WriteTheCombinationsAndRefuseACountOfZero) {
    testing::TempDir dir;
    const auto file = [&dir](const std::string& name) { return PathToUtf8(dir / name); };
    const Bitmap24 a = testing::RandomPicture(20, 12, 1), b = testing::RandomPicture(16, 15, 2);
    WriteBmp24(dir / "a.bmp", a.View());
    WriteBmp24(dir / "b.bmp", b.View());
    ASSERT_EQ(Cli({"blend", "--alpha", "77", file("a.bmp"), file("b.bmp"), file("o.bmp")}).code, kExitOk);
    EXPECT_EQ(ReadBmp(dir / "o.bmp")->bitmap, AlphaMix(a.View(), b.View(), 77));
    ASSERT_EQ(Cli({"arith", "--method", "darker", file("a.bmp"), file("b.bmp"), file("d.bmp")}).code, kExitOk);
    EXPECT_EQ(ReadBmp(dir / "d.bmp")->bitmap, Combine(a.View(), b.View(), CombineMethod::kDarker));
    // End 3 is not above start 9: it becomes 10, the step (10 - 9) div 2 = 0.
    const CliRun run = Cli(
        {"blend-sequence", "--count", "2", "--start", "9", "--end", "3", file("a.bmp"), file("b.bmp"), file("s")});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    for (const char* name : {"s00.bmp", "s01.bmp"})
        EXPECT_EQ(ReadBmp(dir / name)->bitmap, AlphaMix(a.View(), b.View(), 9)) << name;
    EXPECT_EQ(Cli({"blend-sequence", file("a.bmp"), file("b.bmp"), file("z")}).code, kExitFailure);
    EXPECT_EQ(Cli({"arith", "--method", "xor", file("a.bmp"), file("b.bmp"), file("z.bmp")}).code, kExitUsage);
    EXPECT_EQ(Cli({"blend", "--alpha", "256", file("a.bmp"), file("b.bmp"), file("z.bmp")}).code, kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(dir / "z00.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / "z.bmp"));
}

}  // namespace
}  // namespace kelbo::cli
