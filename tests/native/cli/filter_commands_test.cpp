#include <gtest/gtest.h>

#include <sstream>

#include "all_commands.h"
#include "cli/cli_run.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"
#include "imaging/filters/filters.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

Bitmap24 ReadBack(const std::string& path) {
    Result<BmpPicture> read = ReadBmp(PathFromUtf8(path));
    EXPECT_TRUE(read) << path;
    if (!read) return {};
    EXPECT_EQ(read->format, PixelFormat::k24);
    return std::move(read).Value().bitmap;
}

// 12 x 7 with edges and steps in every channel.
Bitmap24 Sample() {
    Bitmap24 picture(12, 7);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 12; ++x) {
            picture.SetPixel(x, y,
                             Rgb(static_cast<std::uint8_t>(x < 6 ? 20 : 230), static_cast<std::uint8_t>(y * 37),
                                 static_cast<std::uint8_t>(x * y * 5)));
        }
    }
    return picture;
}

TEST(FilterCommands, EachWritesTheFiltersResultAtTwentyFourBits) {
    testing::TempDir dir;
    const std::string in = PathToUtf8(dir / "in.bmp");
    const Bitmap24 sample = Sample();
    WriteBmp24(PathFromUtf8(in), sample.View());
    const ConstPixelView view = sample.View();
    const std::vector<std::pair<std::vector<std::string>, Bitmap24>> cases = {
        {{"average"}, Average(view, 5)},
        {{"average", "--strength", "2"}, Average(view, 2)},
        {{"gauss"}, GaussianSmooth(view)},
        {{"median", "--strength=3"}, Median(view, 3)},
        {{"roberts", "--inverted"}, Roberts(view, true)},
        {{"laplace", "--neighbours", "8"}, Laplace(view, LaplaceNeighbours::kEight, false)},
        {{"sobel", "--rotation", "3", "--down-only"}, Sobel(view, {.rotation = 3, .downOnly = true, .invert = true})},
        {{"sobel", "--no-invert"}, Sobel(view, {.rotation = 1, .downOnly = false, .invert = false})},
        {{"noise", "--method", "spatial", "--strength", "200"}, RemoveNoise(view, NoiseMethod::kSpatial, 200)},
        {{"noise", "--strength", "250"}, RemoveNoise(view, NoiseMethod::kFrequency, 250)},
    };
    for (const auto& [words, expected] : cases) {
        const std::string out = PathToUtf8(dir / "out.bmp");
        std::vector<std::string> args = words;
        args.push_back(in);
        args.push_back(out);
        const CliRun r = Cli(args);
        ASSERT_EQ(r.code, kExitOk) << words[0] << ": " << r.err;
        EXPECT_EQ(r.out, "wrote " + out + " (12 x 7)\n");
        EXPECT_EQ(ReadBack(out), expected) << words[0];
    }
}

TEST(FilterCommands, RobertsWrapsEndToEnd) {
    testing::TempDir dir;
    Bitmap24 picture(2, 2, colors::kBlack);
    picture.SetPixel(0, 0, Rgb(200, 200, 200));
    picture.SetPixel(0, 1, Rgb(100, 100, 100));
    const std::string in = PathToUtf8(dir / "in.bmp");
    const std::string out = PathToUtf8(dir / "out.bmp");
    WriteBmp24(PathFromUtf8(in), picture.View());
    ASSERT_EQ(Cli({"roberts", in, out}).code, kExitOk);
    EXPECT_EQ(ReadBack(out).Pixel(0, 0), Rgb(44, 44, 44));
}

TEST(FilterCommands, BadOptionsAreUsageErrorsAndBadFilesFailures) {
    testing::TempDir dir;
    const std::string in = PathToUtf8(dir / "in.bmp");
    const std::string out = PathToUtf8(dir / "out.bmp");
    WriteBmp24(PathFromUtf8(in), Sample().View());
    EXPECT_EQ(Cli({"laplace", "--neighbours", "6", in, out}).code, kExitUsage);
    EXPECT_EQ(Cli({"sobel", "--rotation", "9", in, out}).code, kExitUsage);
    EXPECT_EQ(Cli({"noise", "--method", "median", in, out}).code, kExitUsage);
    EXPECT_EQ(Cli({"noise", "--strength", "256", in, out}).code, kExitUsage);
    EXPECT_EQ(Cli({"average", "--strength", "-1", in, out}).code, kExitUsage);
    EXPECT_EQ(Cli({"gauss", in}).code, kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(out)));
    const CliRun missing = Cli({"gauss", PathToUtf8(dir / "missing.bmp"), out});
    EXPECT_EQ(missing.code, kExitFailure);
    EXPECT_NE(missing.err.find("kelbo-cli gauss: "), std::string::npos);
    EXPECT_EQ(Cli({"gauss", PathToUtf8(dir / "in.txt"), out}).code, kExitFailure);
}

}  // namespace
}  // namespace kelbo::cli
