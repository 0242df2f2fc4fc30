#include <gtest/gtest.h>

#include <filesystem>

#include "browser/thumbnail.h"
#include "cli/cli_run.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"
#include "imaging/filters/filter_pictures.h"
#include "imaging/geometry/transforms.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

TEST(GeometryCommands, WriteWhatTheOperationsGiveAndRefuseWhatTheProgramWould) {
    testing::TempDir dir;
    const std::string in = PathToUtf8(dir / "in.bmp");
    const std::string out = PathToUtf8(dir / "out.bmp");
    const Bitmap24 sample = testing::RandomPicture(50, 30, 11);
    WriteBmp24(PathFromUtf8(in), sample.View());
    const ConstPixelView v = sample.View();
    const struct {
        std::vector<std::string> args;
        Bitmap24 expected;
    } written[] = {
        {{"rotate", "--angle", "30", "--background", "#102030"}, Rotate(v, {30, 25, 15, Rgb(0x10, 0x20, 0x30)})},
        {{"rotate", "--angle=-90", "--centre-x", "0"}, Rotate(v, {-90, 0, 15, colors::kWhite})},
        {{"shear", "--along-x", "50", "--along-y", "20"}, Shear(v, {51, 20, colors::kWhite})},
        {{"resize", "--width", "20", "--keep-ratio"}, Resize(v, {20, 12}, ResizeMethod::kBilinear)},
        {{"resize", "--height-percent", "50", "--method", "nearest"}, Resize(v, {50, 15}, ResizeMethod::kNearest)},
        {{"mirror-x"},
         [&] {
             Bitmap24 b = sample;
             MirrorX(b.View());
             return b;
         }()},
        {{"borders", "--all", "3"}, AddBorders(v, {3, 3, 3, 3})},
        {{"thumbnail"}, MakeThumbnail(v)},
    };
    for (const auto& c : written) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {in, out});
        const CliRun run = Cli(args);
        ASSERT_EQ(run.code, kExitOk) << args[0] << ": " << run.err;
        Result<BmpPicture> read = ReadBmp(PathFromUtf8(out));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->bitmap, c.expected) << args[0];
    }
    std::filesystem::remove(PathFromUtf8(out));
    const struct {
        std::vector<std::string> args;
        int code;
    } refused[] = {
        {{"resize", "--width", "10", "--width-percent", "10"}, kExitUsage},
        {{"resize", "--width", "10", "--height", "10", "--keep-ratio"}, kExitUsage},
        {{"resize", "--width", "0"}, kExitUsage},
        {{"resize", "--width-percent", "1"}, kExitFailure},  // 1 % of 50 pixels is 0
        {{"borders", "--all", "2", "--left", "1"}, kExitUsage},
        {{"rotate", "--angle", "40000"}, kExitUsage},
        {{"shear", "--background", "12345"}, kExitUsage},
    };
    for (const auto& c : refused) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {in, out});
        EXPECT_EQ(Cli(args).code, c.code) << args[0] << " " << args[1];
        EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(out)));
    }
    EXPECT_NE(Cli({"resize", "--width-percent", "1", in, out}).err.find("--width-percent"), std::string::npos);
}

}  // namespace
}  // namespace kelbo::cli
