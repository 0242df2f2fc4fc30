#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "codecs/bmp_writer.h"
#include "codecs/png_codec.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "imaging/colour/point_ops.h"
#include "imaging/geometry/transforms.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

TEST(BatchCommand, ChainsOperationsOverFilesOnThreadsAndGoesOnPastAFailure) {
    const testing::TempDir dir;
    std::vector<std::string> files;
    std::vector<Bitmap24> pictures;
    for (int i = 0; i < 5; ++i) {
        Bitmap24 p(7 + i, 3 + i);
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x) p.SetPixel(x, y, static_cast<Color>((x * 977u + y * 31u + i) * 40503u));
        files.push_back(PathToUtf8(dir / ("p" + std::to_string(i) + ".bmp")));
        WriteBmp24(PathFromUtf8(files.back()), p.View());
        pictures.push_back(std::move(p));
    }
    files.insert(files.begin() + 2, PathToUtf8(dir / "broken.bmp"));
    WriteFileAtomically(dir / "broken.bmp", std::vector<std::uint8_t>{'B', 'M', 1, 2});
    const std::string out = PathToUtf8(dir / "out");
    std::vector<std::string> args = {"batch",     "--ops", " negative ;mirror-x;; ", "--out", out, "--format", "png",
                                     "--threads", "3"};
    args.insert(args.end(), files.begin(), files.end());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_NE(run.err.find("kelbo-cli batch: " + files[2] + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("batch: 6/6 done, 1 failed\n"), std::string::npos) << run.err;
    for (int i = 0; i < 5; ++i) {
        Bitmap24 expected = pictures[i];
        Negative(expected.View());
        MirrorX(expected.View());
        BitmapTarget target;
        ASSERT_TRUE(ReadPng(dir / "out" / ("p" + std::to_string(i) + ".png"), target)) << i;
        EXPECT_TRUE(target.bitmap == expected) << i;
    }

    // Mistakes in the chain stop the run before any file is touched.
    for (const char* ops : {"blur", "info", "negative IN", "rgb --red 999", "gauss; resize --nonsense 1", ";"}) {
        const CliRun bad = Cli({"batch", "--ops", ops, "--out", PathToUtf8(dir / "never"), files[0]});
        EXPECT_EQ(bad.code, kExitUsage) << ops << ": " << bad.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "never"));
    const CliRun twice = Cli({"batch", "--ops", "grey", "--out", out, files[0], files[0]});
    EXPECT_EQ(twice.code, kExitFailure) << "one base name twice writes one file";
}

}  // namespace
}  // namespace kelbo::cli
