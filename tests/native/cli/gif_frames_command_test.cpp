#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "all_commands.h"
#include "codecs/bmp_writer.h"
#include "codecs/gif_test_files.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

using kelbo::testing::GifBuilder;
using kelbo::testing::GifTestImage;
using kelbo::testing::TestImage;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun RunCliWith(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    TJPEGImage jpeg;
    const int code = RunCli(AllCommands(), args, {out, err, {jpeg}});
    return {code, out.str(), err.str()};
}

const std::vector<Color> kTable = {Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};

void WriteGif(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    kelbo::testing::WriteRaw(path, std::string(bytes.begin(), bytes.end()));
}

std::string BmpOf(const std::vector<std::vector<Color>>& rows) {
    Bitmap24 bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            bitmap.SetPixel(static_cast<int>(x), static_cast<int>(y), rows[y][x]);
    const std::vector<std::uint8_t> bytes = EncodeBmp24(bitmap.View());
    return std::string(bytes.begin(), bytes.end());
}

TEST(GifFramesCommand, WritesEveryComposedFrame) {
    kelbo::testing::TempDir dir;
    GifBuilder gif;
    gif.Header().Screen(2, 1, kTable).Loop(0).Image(TestImage(0, 0, 2, 1, {1, 1}));
    gif.GraphicControl(2, 25, true, 0).Image(TestImage(1, 0, 1, 1, {3}));
    gif.Image(TestImage(0, 0, 1, 1, {2})).Trailer();
    WriteGif(dir / "a.gif", gif.bytes);

    const CliRun run = RunCliWith({"gif-frames", (dir / "a.gif").string(), (dir / "out").string()});
    ASSERT_EQ(run.code, 0) << run.err;
    const Color r = Rgb(255, 0, 0), g = Rgb(0, 255, 0), b = Rgb(0, 0, 255), k = Rgb(0, 0, 0);
    EXPECT_EQ(kelbo::testing::ReadRaw(dir / "out" / "frame001.bmp"), BmpOf({{r, r}}));
    EXPECT_EQ(kelbo::testing::ReadRaw(dir / "out" / "frame002.bmp"), BmpOf({{r, b}}));
    // The second frame was disposed to black before the third was drawn.
    EXPECT_EQ(kelbo::testing::ReadRaw(dir / "out" / "frame003.bmp"), BmpOf({{g, k}}));
    EXPECT_FALSE(std::filesystem::exists(dir / "out" / "frame004.bmp"));
    EXPECT_NE(run.out.find("frame002.bmp: 1 x 1 at (1, 0), delay 250 ms, disposal 2, transparent\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("wrote 3 frames of 2 x 1 to "), std::string::npos) << run.out;
}

TEST(GifFramesCommand, FailsForFilesWithoutFrames) {
    kelbo::testing::TempDir dir;
    GifBuilder gif;
    gif.Header().Screen(2, 1, kTable).Trailer();
    WriteGif(dir / "empty.gif", gif.bytes);
    kelbo::testing::WriteRaw(dir / "text.gif", "hello");
    CliRun run = RunCliWith({"gif-frames", (dir / "empty.gif").string(), (dir / "out").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("holds no image; reading ended at trailer"), std::string::npos) << run.err;
    run = RunCliWith({"gif-frames", (dir / "text.gif").string(), (dir / "out").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("not a GIF file"), std::string::npos) << run.err;
    run = RunCliWith({"gif-frames", (dir / "text.gif").string()});
    EXPECT_EQ(run.code, 2);
}

TEST(GifInfoCommand, PrintsTheFileFields) {
    kelbo::testing::TempDir dir;
    GifBuilder gif;
    gif.Header("87a")
        .Screen(20, 20, kTable)
        .Loop(5)
        .Image(TestImage(10, 20, 30, 40, std::vector<std::uint8_t>(1200, 1)));
    gif.GraphicControl(0, 0, true, 1).Image(TestImage(0, 0, 1, 1, {1})).Trailer();
    WriteGif(dir / "b.gif", gif.bytes);
    const CliRun run = RunCliWith({"info", (dir / "b.gif").string()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "file: " + (dir / "b.gif").string() +
                           "\nformat: GIF\nversion: 87a\nwidth: 40\nheight: 60\nscreen width: 20\n"
                           "screen height: 20\nframes: 2\nloop count: 5\nlooping extension: yes\n"
                           "global colour table: 4 colours\ntransparent: yes\ninterlaced: no\n"
                           "reading ended at: trailer\n");
}

TEST(GifInfoCommand, DamagedHeaderIsAFailure) {
    kelbo::testing::TempDir dir;
    kelbo::testing::WriteRaw(dir / "c.gif", "GIF89a\x01");
    const CliRun run = RunCliWith({"info", (dir / "c.gif").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("the GIF header is cut short"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kelbo::cli
