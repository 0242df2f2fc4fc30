#include <gtest/gtest.h>

#include <sstream>

#include "all_commands.h"
#include "cli/cli_run.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_test_files.h"
#include "codecs/gif_decoder.h"
#include "codecs/icon.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

void Save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    testing::WriteRaw(path, std::string(bytes.begin(), bytes.end()));
}

// 5 x 2, 8 bits, a table of 6 entries of which the picture uses 4.
std::vector<std::uint8_t> EightBitFile() {
    testing::TestBmp f;
    f.width = 5;
    f.height = 2;
    f.bits = 8;
    f.palette = testing::RampPalette(6);
    f.colorsUsed = 6;
    f.data = testing::PackRows({{0, 1, 2, 3, 0}, {3, 3, 2, 1, 0}}, 8);
    return testing::BuildBmp(f);
}

TEST(BmpConvertCommand, WritesTheRequestedDepth) {
    testing::TempDir dir;
    const std::string card = PathToUtf8(dir / "card.bmp");
    ASSERT_EQ(Cli({"testcard", "--width", "64", "--height", "48", card}).code, kExitOk);
    for (const auto& [bits, format] : {std::pair{"1", PixelFormat::k1},
                                       {"4", PixelFormat::k4},
                                       {"8", PixelFormat::k8},
                                       {"15", PixelFormat::k15},
                                       {"16", PixelFormat::k16},
                                       {"32", PixelFormat::k32}}) {
        const std::string out = PathToUtf8(dir / (std::string("out") + bits + ".bmp"));
        const CliRun r = Cli({"convert", card, out, "--bits", bits});
        ASSERT_EQ(r.code, kExitOk) << r.err;
        EXPECT_EQ(r.out, "wrote " + out + " (64 x 48, " + PixelFormatName(format) + ")\n");
        const Result<BmpPicture> back = ReadBmp(PathFromUtf8(out));
        ASSERT_TRUE(back) << back.Error().message;
        EXPECT_EQ(back->format, format) << bits;
        EXPECT_EQ(back->bitmap.Width(), 64);
    }
}

TEST(BmpConvertCommand, DefaultsToTwentyFourBitsAndKeepKeepsTheInputsFormat) {
    testing::TempDir dir;
    Save(dir / "in.bmp", EightBitFile());
    const std::string in = PathToUtf8(dir / "in.bmp");
    const std::string out24 = PathToUtf8(dir / "out24.bmp");
    ASSERT_EQ(Cli({"convert", in, out24}).code, kExitOk);
    EXPECT_EQ(ReadBmp(PathFromUtf8(out24))->format, PixelFormat::k24);
    // Kept: the same depth and the same table, so the very same bytes.
    const std::string kept = PathToUtf8(dir / "kept.bmp");
    ASSERT_EQ(Cli({"convert", in, kept, "--bits=keep"}).code, kExitOk);
    EXPECT_EQ(ReadFileBytes(PathFromUtf8(kept)), EightBitFile());
}

TEST(BmpConvertCommand, OtherExtensionsAreWrittenAsBitmapsAsSaveDoes) {
    testing::TempDir dir;
    Save(dir / "in.bmp", EightBitFile());
    const std::string wmf = PathToUtf8(dir / "picture.wmf");
    ASSERT_EQ(Cli({"convert", PathToUtf8(dir / "in.bmp"), wmf}).code, kExitOk);
    EXPECT_TRUE(ReadBmp(PathFromUtf8(wmf)));
}

TEST(BmpConvertCommand, FailuresAndBadUsage) {
    testing::TempDir dir;
    Save(dir / "in.bmp", EightBitFile());
    const std::string in = PathToUtf8(dir / "in.bmp");
    EXPECT_EQ(Cli({"convert", in, PathToUtf8(dir / "o.bmp"), "--bits", "12"}).code, kExitUsage);
    EXPECT_EQ(Cli({"convert", in}).code, kExitUsage);
    const CliRun missing = Cli({"convert", PathToUtf8(dir / "none.bmp"), PathToUtf8(dir / "o.bmp")});
    EXPECT_EQ(missing.code, kExitFailure);
    EXPECT_NE(missing.err.find("none.bmp"), std::string::npos) << missing.err;
    testing::WriteRaw(dir / "text.bmp", "hello");
    const CliRun text = Cli({"convert", PathToUtf8(dir / "text.bmp"), PathToUtf8(dir / "o.bmp")});
    EXPECT_EQ(text.code, kExitFailure);
    EXPECT_NE(text.err.find("not a Windows bitmap"), std::string::npos) << text.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "o.bmp"));
}

TEST(ConvertCommand, WritesGifJpegAndIconByTheOutputsExtension) {
    testing::TempDir dir;
    const std::string card = PathToUtf8(dir / "card.bmp");
    ASSERT_EQ(Cli({"testcard", "--width", "40", "--height", "30", card}).code, kExitOk);
    const Bitmap24 source = ReadBmp(PathFromUtf8(card))->bitmap;

    const std::string gif = PathToUtf8(dir / "out.GIF");
    const CliRun g = Cli({"convert", card, gif});
    ASSERT_EQ(g.code, kExitOk) << g.err;
    EXPECT_EQ(g.out, "wrote " + gif + " (40 x 30, GIF, at most 256 colours)\n");
    EXPECT_EQ(GifFirstFrameBitmap(*ReadGifFile(PathFromUtf8(gif))).Value().Width(), 40);

    const std::string ico = PathToUtf8(dir / "out.ico");
    ASSERT_EQ(Cli({"convert", card, ico, "--bits", "1"}).code, kExitOk);
    EXPECT_TRUE(ReadIcon(PathFromUtf8(ico))->bitmap == source);  // --bits is for bitmaps only

    const std::string jpg = PathToUtf8(dir / "out.jpeg");
    const CliRun j = Cli({"convert", card, jpg});
    ASSERT_EQ(j.code, kExitOk) << j.err;
    EXPECT_EQ(j.out, "wrote " + jpg + " (40 x 30, JPEG, quality 75)\n");

    // And back: every kind reads, the icon exactly.
    const std::string fromIco = PathToUtf8(dir / "from_ico.bmp");
    ASSERT_EQ(Cli({"convert", ico, fromIco}).code, kExitOk);
    EXPECT_TRUE(ReadBmp(PathFromUtf8(fromIco))->bitmap == source);
    const std::string fromJpg = PathToUtf8(dir / "from_jpg.bmp");
    ASSERT_EQ(Cli({"convert", jpg, fromJpg}).code, kExitOk);
    EXPECT_EQ(ReadBmp(PathFromUtf8(fromJpg))->bitmap.Height(), 30);
    const std::string fromGif = PathToUtf8(dir / "from_gif.bmp");
    ASSERT_EQ(Cli({"convert", gif, fromGif, "--bits", "keep"}).code, kExitOk);
    EXPECT_EQ(ReadBmp(PathFromUtf8(fromGif))->format, PixelFormat::k24);
}

TEST(ConvertCommand, AnIconTooLargeOrADamagedInputFails) {
    testing::TempDir dir;
    const std::string card = PathToUtf8(dir / "card.bmp");
    ASSERT_EQ(Cli({"testcard", "--width", "300", "--height", "20", card}).code, kExitOk);
    const CliRun big = Cli({"convert", card, PathToUtf8(dir / "big.ico")});
    EXPECT_EQ(big.code, kExitFailure);
    EXPECT_NE(big.err.find("at most 256 x 256"), std::string::npos) << big.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "big.ico"));
    testing::WriteRaw(dir / "bad.ico", std::string("\0\0\1\0\xFF\xFF", 6));
    const CliRun bad = Cli({"convert", PathToUtf8(dir / "bad.ico"), PathToUtf8(dir / "o.bmp")});
    EXPECT_EQ(bad.code, kExitFailure);
    EXPECT_NE(bad.err.find("bad.ico"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "o.bmp"));
}

TEST(InfoCommand, DescribesJpegAndIconFiles) {
    testing::TempDir dir;
    const std::string card = PathToUtf8(dir / "card.bmp");
    ASSERT_EQ(Cli({"testcard", "--width", "24", "--height", "16", card}).code, kExitOk);
    const std::string jpg = PathToUtf8(dir / "c.jpg");
    const std::string ico = PathToUtf8(dir / "c.ico");
    ASSERT_EQ(Cli({"convert", card, jpg}).code, kExitOk);
    ASSERT_EQ(Cli({"convert", card, ico}).code, kExitOk);
    const CliRun j = Cli({"info", jpg});
    ASSERT_EQ(j.code, kExitOk) << j.err;
    EXPECT_NE(j.out.find("format: JPEG\nwidth: 24\nheight: 16\ncomponents: 3\n"), std::string::npos) << j.out;
    const CliRun i = Cli({"info", ico});
    ASSERT_EQ(i.code, kExitOk) << i.err;
    EXPECT_NE(i.out.find("format: icon\nimages: 1\nimage 1: 24 x 16, 32 bits"), std::string::npos) << i.out;
    EXPECT_NE(i.out.find("read: image 1 (24 x 16, 32 bits)\n"), std::string::npos) << i.out;
    testing::WriteRaw(dir / "cut.jpg", std::string("\xFF\xD8\xFF\xE0\x00", 5));
    EXPECT_EQ(Cli({"info", PathToUtf8(dir / "cut.jpg")}).code, kExitFailure);
}

TEST(BmpInfoCommand, ReportsMasksAndThePalette) {
    testing::TempDir dir;
    testing::TestBmp f;
    f.width = 2;
    f.height = 1;
    f.bits = 16;
    f.compression = 3;
    f.masks[0] = 0xF800;
    f.masks[1] = 0x07E0;
    f.masks[2] = 0x001F;
    f.data = {0, 0, 0, 0};
    Save(dir / "565.bmp", testing::BuildBmp(f));
    const CliRun r = Cli({"info", PathToUtf8(dir / "565.bmp")});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_NE(r.out.find("pixel format: 16 bits (5-6-5)\n"
                         "image size field: 4\n"
                         "pixels per metre: 2835 x 2835\n"
                         "red mask: 0xF800\n"
                         "green mask: 0x7E0\n"
                         "blue mask: 0x1F\n"),
              std::string::npos)
        << r.out;

    Save(dir / "8.bmp", EightBitFile());
    const CliRun p = Cli({"info", "--palette", PathToUtf8(dir / "8.bmp")});
    ASSERT_EQ(p.code, kExitOk) << p.err;
    EXPECT_NE(p.out.find("palette entries: 6\n"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("pixel format: 8 bits\n"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("palette 0: 0 255 7\npalette 1: 1 254 7\n"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("palette 5: 5 250 9\n"), std::string::npos) << p.out;
}

}  // namespace
}  // namespace kelbo::cli
