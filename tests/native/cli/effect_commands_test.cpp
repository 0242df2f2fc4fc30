#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_run.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"
#include "imaging/effects/effects.h"
#include "imaging/filters/filter_pictures.h"
#include "imaging/geometry/transforms.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

TEST(EffectCommands, WriteTheEffectsAndRefuseWhatTheProgramRefuses) {
    testing::TempDir dir;
    const std::string in = PathToUtf8(dir / "in.bmp"), out = PathToUtf8(dir / "out.bmp");
    const Bitmap24 picture = testing::RandomPicture(33, 21, 8);
    WriteBmp24(dir / "in.bmp", picture.View());
    Bitmap24 expected = picture;
    RoundPhoto(expected.View(), {5, 6, 9, 1, 16, 10});  // the centre defaults to (33 div 2, 21 div 2)
    ASSERT_EQ(Cli({"round-photo", "--inner-x", "5", "--inner-y", "6", "--outer-x", "9", in, out}).code, kExitOk);
    EXPECT_EQ(ReadBmp(dir / "out.bmp")->bitmap, expected);
    Bitmap24 painted(33, 21);
    EffectRandom random(1);
    Painting(picture.View(), painted.View(), {}, random);
    ASSERT_EQ(Cli({"painting", in, out}).code, kExitOk);
    EXPECT_EQ(ReadBmp(dir / "out.bmp")->bitmap, painted);
    ASSERT_EQ(Cli({"earthquake", "--change-y", "30", "--background", "102030", in, out}).code, kExitOk);
    EXPECT_EQ(ReadBmp(dir / "out.bmp")->bitmap, Earthquake(picture.View(), {0, 30, Rgb(0x10, 0x20, 0x30)}));
    std::filesystem::remove(dir / "out.bmp");
    for (const auto& refused : std::vector<std::vector<std::string>>{{"rectangles", "--x", "3"},
                                                                     {"pointillism", "--size", "0"},
                                                                     {"waves", "--y-amplitude", "0"},
                                                                     {"round-photo", "--inner-x", "99"},
                                                                     {"mosaic", "--x", "1"},
                                                                     {"mosaic", "--stretch", "--transparent-frame"}}) {
        std::vector<std::string> args = refused;
        args.insert(args.end(), {in, out});
        const int expectedCode = refused[0] == "mosaic" ? kExitUsage : kExitFailure;
        EXPECT_EQ(Cli(args).code, expectedCode) << refused[0] << " " << refused[1];
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bmp"));
}

}  // namespace
}  // namespace kelbo::cli
