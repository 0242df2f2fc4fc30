// Every command that runs in strips must write exactly the bytes the whole
// picture gives, whatever the strip height and the picture's shape.
#include "strips.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "all_commands.h"
#include "cli_run.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/bmp_test_files.h"
#include "codecs/jpeg_coding.h"
#include "codecs/jpeg_test_files.h"
#include "codecs/picture_files.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "imaging/filters/filters.h"
#include "imaging/geometry/transforms.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

Bitmap24 Noise(int width, int height, unsigned seed) {
    Bitmap24 picture(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 3; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(random() >> 24);
    }
    return picture;
}

TEST(Strips, EveryStreamedCommandWritesTheWholePicturesBytes) {
    const testing::TempDir dir;
    // Options that make each operation do something.
    const std::map<std::string, std::vector<std::string>> options = {
        {"rgb", {"--red", "150", "--green", "30"}},
        {"gamma", {"--red", "50", "--blue", "180"}},
        {"threshold", {"--start", "10", "--break", "100", "--end", "200"}},
        {"hsl", {"--hue", "20", "--saturation", "-30", "--lightness", "10"}},
        {"average", {"--strength", "3"}},
        {"median", {"--strength", "2"}},
        {"laplace", {"--neighbours", "8"}},
        {"sobel", {"--rotation", "3"}},
    };
    const struct { int width, height; } sizes[] = {{1, 1}, {1, 37}, {41, 1}, {257, 131}};
    const CommandRegistry registry = AllCommands();
    int streamed = 0;
    for (const Command& command : registry.All()) {
        if (command.stripReach < 0) continue;
        ++streamed;
        std::vector<OptionDef> defs = command.options;
        const auto given = options.find(command.name);
        const ParsedArgs args = ParseArgs(given == options.end() ? std::vector<std::string>{} : given->second,
                                          command.options);
        const Transform transform = command.transform(args);
        for (const auto size : sizes) {
            const Bitmap24 picture = Noise(size.width, size.height, static_cast<unsigned>(size.width * 7 + streamed));
            WriteBmp24(dir / "in.bmp", picture.View());
            const std::vector<std::uint8_t> whole = EncodeBmp24(transform(Bitmap24(picture)).View());
            for (const auto& [rows, threads] : {std::pair{1, 1}, {2, 1}, {7, 1}, {0, 1}, {1, 3}, {2, 2}, {7, 4}}) {
                SCOPED_TRACE(command.name + " " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                             ", strips of " + std::to_string(rows) + " on " + std::to_string(threads));
                ASSERT_TRUE(
                    TransformInStrips(dir / "in.bmp", dir / "out.bmp", transform, command.stripReach, rows, threads));
                EXPECT_EQ(ReadFileBytes(dir / "out.bmp"), whole);
            }
            EXPECT_EQ(EncodeBmp24(TransformInBands(Bitmap24(picture), transform, command.stripReach, 4).View()), whole);
        }
    }
    EXPECT_GE(streamed, 15);

    // Files the strips cannot take are left to the whole picture, untouched.
    const Bitmap24 picture = Noise(5, 4, 1);
    WriteBmp(dir / "eight.bmp", picture.View(), PixelFormat::k8);
    const Transform same = [](Bitmap24 p) { return p; };
    EXPECT_FALSE(TransformInStrips(dir / "eight.bmp", dir / "a.bmp", same, 0));
    WriteBmp24(dir / "in.bmp", picture.View());
    EXPECT_FALSE(TransformInStrips(dir / "in.bmp", dir / "a.png", same, 0));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.bmp") || std::filesystem::exists(dir / "a.png"));
}

// The fills the filter commands stream write into bitmaps used again, whose
// old pixels must never show.
TEST(Strips, FillsIntoBitmapsUsedAgainWriteTheWholePicturesBytes) {
    const testing::TempDir dir;
    const struct {
        const char* name;
        int reach;
        StripFill fill;
    } fills[] = {
        {"sobel", 1, [](ConstPixelView p, PixelView t) { Sobel(p, t, SobelOptions{.rotation = 2}); }},
        {"gauss", 1, [](ConstPixelView p, PixelView t) { GaussianSmooth(p, t); }},
        {"median", 0, [](ConstPixelView p, PixelView t) { Median(p, t, 3); }},
    };
    const Bitmap24 picture = Noise(257, 131, 5);
    WriteBmp24(dir / "in.bmp", picture.View());
    for (const auto& [name, reach, fill] : fills) {
        Bitmap24 expected(picture.Width(), picture.Height());
        fill(picture.View(), expected.View());
        for (const auto& [rows, threads] : {std::pair{1, 1}, {7, 1}, {10, 1}, {3, 3}, {8, 2}}) {
            SCOPED_TRACE(std::string(name) + ", strips of " + std::to_string(rows) + " on " + std::to_string(threads));
            ASSERT_TRUE(FillInStrips(dir / "in.bmp", dir / "out.bmp", fill, reach, rows, threads));
            EXPECT_EQ(ReadFileBytes(dir / "out.bmp"), EncodeBmp24(expected.View()));
        }
    }
}

}  // namespace
}  // namespace kelbo::cli

namespace kelbo::cli {
namespace {

// convert's row-by-row paths give the bytes of the whole picture: a JPEG to
// 8 or 24 bits from its indices (true colour and CMYK are left to the whole
// picture), and a bitmap, stored either way up, to a JPEG.
// The commands whose result is a new picture write it a band at a time: the
// bytes of saving the whole result, for any band height.
TEST(RowBandsOfNewPictures, WriteTheWholeResultsBytes) {
    const testing::TempDir dir;
    const Bitmap24 picture = Noise(37, 23, 5);
    WriteBmp24(dir / "in.bmp", picture.View());
    const std::vector<std::vector<std::string>> runs = {
        {"rotate", "--angle", "37"},
        {"shear", "--along-x", "30", "--along-y", "12"},
        {"resize", "--width-percent", "173", "--height-percent", "61"},
        {"resize", "--width", "20", "--height", "50", "--method", "linear"},
        {"earthquake", "--change-x", "10", "--change-y", "20"},
        {"waves", "--x-period", "4"},
    };
    const CommandRegistry registry = AllCommands();
    for (std::vector<std::string> run : runs) {
        const Command& command = *registry.Find(run[0]);
        const std::vector<std::string> options(run.begin() + 1, run.end());
        const std::vector<std::uint8_t> whole = EncodeBmp24(
            command.transform(ParseArgs(options, command.options))(Bitmap24(picture)).View());
        for (const char* threads : {"1", "3"}) {
            std::vector<std::string> args = run;
            args.insert(args.end(), {"--threads", threads, PathToUtf8(dir / "in.bmp"), PathToUtf8(dir / "out.bmp")});
            ASSERT_EQ(Cli(args).code, kExitOk) << run[0];
            EXPECT_EQ(ReadFileBytes(dir / "out.bmp"), whole) << run[0] << " on " << threads;
        }
    }
    // Bands of any height; another file kind is left to the whole result.
    const RotationOptions quarter{90, 18, 11};
    const ResultRows rows{RotatedBox({37, 23}, quarter).size,
                          [&](RowBand band) { RotateRows(picture.View(), band, quarter); }};
    const std::vector<std::uint8_t> whole = EncodeBmp24(WholeResult(rows).View());
    for (const int bandRows : {1, 7, 36, 37, 0}) {
        ASSERT_TRUE(WriteRowsInBands(dir / "out.bmp", rows, 2, bandRows));
        EXPECT_EQ(ReadFileBytes(dir / "out.bmp"), whole) << bandRows;
    }
    EXPECT_FALSE(WriteRowsInBands(dir / "out.png", rows, 1));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.png"));
}

TEST(ConvertStreams, GiveTheWholePicturesBytes) {
    const testing::TempDir dir;
    TJPEGImage shared;
    const PictureCodecs codecs{shared};
    const auto convert = [&](const char* in, const char* out, const char* bits) {
        ASSERT_EQ(Cli({"convert", PathToUtf8(dir / in), PathToUtf8(dir / out), "--bits", bits}).code, kExitOk);
    };
    std::vector<kelbo::testing::LibraryJpegOptions> kinds(4);
    kinds[1].grayscale = true;
    kinds[2].progressive = true;
    kinds[3].cmyk = true;
    // The rows go to their places in blocks: 40001 x 60 takes 3 blocks at 8 bits and 8 at 24.
    for (std::size_t k = 0; k < kinds.size() + 1; ++k) {
        const Bitmap24 noise = k < kinds.size() ? Noise(37, 23, 5) : Noise(40001, 60, 5);
        WriteFileAtomically(dir / "in.jpg", kelbo::testing::EncodeWithLibrary(noise, kinds[k % kinds.size()]));
        const LoadedPicture whole = LoadPictureFile(dir / "in.jpg", codecs);
        for (const PixelFormat format : {PixelFormat::k8, PixelFormat::k24}) {
            SCOPED_TRACE(std::to_string(k) + " at " + std::string(PixelFormatName(format)));
            SavePictureFile(dir / "whole.bmp", whole.bitmap.View(), format, whole.palette, codecs);
            convert("in.jpg", "fast.bmp", format == PixelFormat::k8 ? "8" : "24");
            EXPECT_EQ(ReadFileBytes(dir / "fast.bmp"), ReadFileBytes(dir / "whole.bmp"));
        }
    }
    // 40001 x 19 takes three blocks of rows, read from the end.
    const struct { int width, height; } sizes[] = {{1, 1}, {1, 37}, {41, 1}, {40001, 19}};
    for (const auto size : sizes) {
        const Bitmap24 picture = Noise(size.width, size.height, 9);
        const std::vector<std::uint8_t> whole = EncodeJpeg(picture.View(), shared.Settings());
        std::vector<std::vector<std::uint32_t>> rows(size.height, std::vector<std::uint32_t>(size.width));
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) rows[y][x] = picture.View().Pixel(x, y);
        }
        kelbo::testing::TestBmp topDown;
        topDown.width = size.width;
        topDown.height = size.height;
        topDown.topDown = true;
        topDown.data = kelbo::testing::PackRows(rows, 24, true);
        WriteFileAtomically(dir / "top-down.bmp", kelbo::testing::BuildBmp(topDown));
        WriteBmp24(dir / "bottom-up.bmp", picture.View());
        for (const char* in : {"top-down.bmp", "bottom-up.bmp"}) {
            SCOPED_TRACE(std::string(in) + " " + std::to_string(size.width) + " x " + std::to_string(size.height));
            convert(in, "out.jpg", "24");
            EXPECT_EQ(ReadFileBytes(dir / "out.jpg"), whole);
        }
    }
}

}  // namespace
}  // namespace kelbo::cli
