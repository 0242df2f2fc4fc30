#include <gtest/gtest.h>

#include <sstream>

#include "all_commands.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_test_files.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

CliRun Cli(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  const int code = RunCli(AllCommands(), args, {out, err});
  return {code, out.str(), err.str()};
}

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
  f.colors_used = 6;
  f.data = testing::PackRows({{0, 1, 2, 3, 0}, {3, 3, 2, 1, 0}}, 8);
  return testing::BuildBmp(f);
}

TEST(BmpConvertCommand, WritesTheRequestedDepth) {
  testing::TempDir dir;
  const std::string card = PathToUtf8(dir / "card.bmp");
  ASSERT_EQ(Cli({"testcard", "--width", "64", "--height", "48", card}).code, kExitOk);
  for (const auto& [bits, format] : {std::pair{"1", BmpPixelFormat::k1},
                                     {"4", BmpPixelFormat::k4},
                                     {"8", BmpPixelFormat::k8},
                                     {"15", BmpPixelFormat::k15},
                                     {"16", BmpPixelFormat::k16},
                                     {"32", BmpPixelFormat::k32}}) {
    const std::string out = PathToUtf8(dir / (std::string("out") + bits + ".bmp"));
    const CliRun r = Cli({"convert", card, out, "--bits", bits});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, "wrote " + out + " (64 x 48, " + BmpPixelFormatName(format) + ")\n");
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
  EXPECT_EQ(ReadBmp(PathFromUtf8(out24))->format, BmpPixelFormat::k24);
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
  const CliRun gif = Cli({"convert", in, PathToUtf8(dir / "o.GIF")});
  EXPECT_EQ(gif.code, kExitFailure);
  EXPECT_FALSE(std::filesystem::exists(dir / "o.GIF"));
  EXPECT_FALSE(std::filesystem::exists(dir / "o.bmp"));
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
