#include <gtest/gtest.h>

#include <sstream>

#include "all_commands.h"
#include "cli/cli_run.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

// A row of the given colours written as a 24-bit bitmap.
std::string WritePicture(const testing::TempDir& dir, const std::string& name, const std::vector<Color>& row) {
    Bitmap24 picture(static_cast<int>(row.size()), 1);
    for (std::size_t x = 0; x < row.size(); ++x) picture.SetPixel(static_cast<int>(x), 0, row[x]);
    const std::filesystem::path path = dir / name;
    WriteBmp(path, picture.View(), PixelFormat::k24);
    return PathToUtf8(path);
}

BmpPicture ReadBack(const std::string& path) {
    Result<BmpPicture> picture = ReadBmp(PathFromUtf8(path));
    if (!picture) throw std::runtime_error(picture.Error().message);
    return std::move(picture).Value();
}

std::vector<Color> RowOf(const BmpPicture& picture) {
    std::vector<Color> row;
    for (int x = 0; x < picture.bitmap.Width(); ++x) row.push_back(picture.bitmap.Pixel(x, 0));
    return row;
}

Color Grey(int v) {
    const auto c = static_cast<std::uint8_t>(v);
    return Rgb(c, c, c);
}

TEST(ColourCommands, PointOperationsWriteTwentyFourBits) {
    testing::TempDir dir;
    const std::string in = WritePicture(dir, "in.bmp", {Rgb(10, 20, 30), Rgb(100, 255, 254)});
    const std::string out = PathToUtf8(dir / "out.bmp");

    CliRun r = Cli({"negative", in, out});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, "wrote " + out + " (2 x 1)\n");
    BmpPicture back = ReadBack(out);
    EXPECT_EQ(back.format, PixelFormat::k24);
    EXPECT_EQ(RowOf(back), (std::vector<Color>{Rgb(245, 235, 225), Rgb(155, 0, 1)}));

    // (100, 255, 254) is not near white for range 1; red 300 % of 100 -> 255.
    ASSERT_EQ(Cli({"rgb", in, out, "--red", "300", "--blue", "50", "--except-white", "1"}).code, kExitOk);
    EXPECT_EQ(RowOf(ReadBack(out)), (std::vector<Color>{Rgb(30, 20, 15), Rgb(255, 255, 127)}));

    ASSERT_EQ(Cli({"cmy", in, out, "--cyan", "0", "--magenta", "0", "--yellow", "0"}).code, kExitOk);
    EXPECT_EQ(RowOf(ReadBack(out)), (std::vector<Color>{colors::kWhite, colors::kWhite}));

    ASSERT_EQ(Cli({"grey", in, out}).code, kExitOk);  // 18.15; 29.9 + 149.685 + 28.956 = 208.541
    EXPECT_EQ(RowOf(ReadBack(out)), (std::vector<Color>{Grey(18), Grey(209)}));

    ASSERT_EQ(Cli({"gamma", in, out, "--linked", "50"}).code, kExitOk);  // square roots
    EXPECT_EQ(RowOf(ReadBack(out)), (std::vector<Color>{Rgb(3, 4, 5), Rgb(10, 16, 16)}));

    ASSERT_EQ(Cli({"hsl", in, out, "--lightness", "-100"}).code, kExitOk);
    EXPECT_EQ(RowOf(ReadBack(out)), (std::vector<Color>{colors::kBlack, colors::kBlack}));
}

TEST(ColourCommands, ThresholdTakesTheDialogsFieldsAndColours) {
    testing::TempDir dir;
    const std::string in = WritePicture(dir, "in.bmp", {Grey(0), Grey(1), Grey(128), Grey(200), Grey(255)});
    const std::string out = PathToUtf8(dir / "out.bmp");
    const CliRun r = Cli({"threshold", in, out, "--start", "0", "--break", "128", "--end", "255", "--lower", "010203",
                          "--upper", "#c86432"});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(RowOf(ReadBack(out)),
              (std::vector<Color>{Grey(0), Rgb(1, 2, 3), Grey(128), Rgb(200, 100, 50), Grey(255)}));
    // A break above the end is brought down to it: nothing lies strictly
    // between 128 and 128.
    ASSERT_EQ(Cli({"threshold", in, out, "--break", "200", "--end", "128"}).code, kExitOk);
    EXPECT_EQ(RowOf(ReadBack(out)), (std::vector<Color>{Grey(0), colors::kBlack, Grey(128), Grey(200), Grey(255)}));
}

TEST(ColourCommands, ReduceWritesTheBitmapOfItsDepth) {
    testing::TempDir dir;
    const std::string in = WritePicture(dir, "in.bmp", {Grey(8), Grey(9), Grey(250), Rgb(200, 0, 0)});
    const std::string out = PathToUtf8(dir / "out.bmp");
    ASSERT_EQ(Cli({"reduce", in, out, "--depth", "16grey"}).code, kExitOk);
    BmpPicture back = ReadBack(out);
    EXPECT_EQ(back.format, PixelFormat::k4);
    // (200, 0, 0) lies 132^2 + 2 * 68^2 = 26672 from grey 68, 27403 from 51.
    EXPECT_EQ(RowOf(back), (std::vector<Color>{Grey(0), Grey(17), Grey(255), Grey(68)}));

    ASSERT_EQ(Cli({"reduce", in, out, "--depth", "bw", "--method", "fs"}).code, kExitOk);
    back = ReadBack(out);
    EXPECT_EQ(back.format, PixelFormat::k1);
    for (const Color c : RowOf(back)) EXPECT_TRUE(c == colors::kBlack || c == colors::kWhite);

    const std::string first = PathToUtf8(dir / "first.bmp");
    const std::string second = PathToUtf8(dir / "second.bmp");
    ASSERT_EQ(Cli({"reduce", in, first, "--depth", "16", "--method", "random", "--seed", "9"}).code, kExitOk);
    ASSERT_EQ(Cli({"reduce", in, second, "--depth", "16", "--method", "random", "--seed", "9"}).code, kExitOk);
    EXPECT_EQ(RowOf(ReadBack(first)), RowOf(ReadBack(second)));
    EXPECT_EQ(ReadBack(first).format, PixelFormat::k4);

    ASSERT_EQ(Cli({"reduce", in, out}).code, kExitOk);  // 24 bits: nothing to reduce
    EXPECT_EQ(ReadBack(out).format, PixelFormat::k24);
    EXPECT_EQ(RowOf(ReadBack(out)), (std::vector<Color>{Grey(8), Grey(9), Grey(250), Rgb(200, 0, 0)}));
}

TEST(ColourCommands, HistogramAndColoursPrint) {
    testing::TempDir dir;
    const std::string in = WritePicture(dir, "in.bmp", {Rgb(10, 20, 30), Rgb(10, 0, 30), Rgb(10, 20, 30)});
    CliRun r = Cli({"colours", in});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, "2\n");
    r = Cli({"histogram", in});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_EQ(all.size(), 256u);
    EXPECT_EQ(all[0], "0 0 1 0");
    EXPECT_EQ(all[10], "10 3 0 0");
    EXPECT_EQ(all[20], "20 0 2 0");
    EXPECT_EQ(all[30], "30 0 0 3");
    EXPECT_EQ(all[255], "255 0 0 0");
}

TEST(ColourCommands, BadValuesAreUsageErrorsAndMissingFilesFailures) {
    testing::TempDir dir;
    const std::string in = WritePicture(dir, "in.bmp", {Rgb(1, 2, 3)});
    const std::string out = PathToUtf8(dir / "out.bmp");
    EXPECT_EQ(Cli({"rgb", in, out, "--red", "301"}).code, kExitUsage);
    EXPECT_EQ(Cli({"rgb", in, out, "--except-white", "2"}).code, kExitUsage);
    EXPECT_EQ(Cli({"cmy", in, out, "--cyan", "-1"}).code, kExitUsage);
    EXPECT_EQ(Cli({"gamma", in, out, "--red", "0"}).code, kExitUsage);
    EXPECT_EQ(Cli({"gamma", in, out, "--linked", "50", "--red", "60"}).code, kExitUsage);
    EXPECT_EQ(Cli({"threshold", in, out, "--lower", "12345"}).code, kExitUsage);
    EXPECT_EQ(Cli({"threshold", in, out, "--upper", "GG0000"}).code, kExitUsage);
    EXPECT_EQ(Cli({"hsl", in, out, "--hue", "101"}).code, kExitUsage);
    EXPECT_EQ(Cli({"reduce", in, out, "--depth", "3"}).code, kExitUsage);
    EXPECT_EQ(Cli({"reduce", in, out, "--method", "ordered"}).code, kExitUsage);
    EXPECT_EQ(Cli({"negative", in}).code, kExitUsage);
    EXPECT_EQ(Cli({"negative", in, out, "--threads", "0"}).code, kExitUsage);
    EXPECT_EQ(Cli({"grey", in, out, "--threads", "257"}).code, kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bmp"));
    const CliRun missing = Cli({"equalize", PathToUtf8(dir / "none.bmp"), out});
    EXPECT_EQ(missing.code, kExitFailure);
    EXPECT_NE(missing.err.find("kelbo-cli equalize: "), std::string::npos);
    EXPECT_EQ(Cli({"colours", PathToUtf8(dir / "none.bmp")}).code, kExitFailure);
}

}  // namespace
}  // namespace kelbo::cli
