#include "codecs/gif_compose.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/gif_test_files.h"

namespace kelbo {
namespace {

using testing::GifBuilder;
using testing::GifTestImage;
using testing::TestImage;

constexpr Color kK = Rgb(0, 0, 0);
constexpr Color kR = Rgb(200, 0, 0);
constexpr Color kG = Rgb(0, 200, 0);
constexpr Color kB = Rgb(0, 0, 200);
constexpr Color kW = Rgb(250, 250, 250);
const std::vector<Color> kTable = {kW, kR, kG, kB};

GifFile Decode(const GifBuilder& gif) {
    Result<GifFile> file = DecodeGif(gif.bytes);
    if (!file) ADD_FAILURE() << file.Error().message;
    return std::move(file).Value();
}

// The screen as rows of colours, for exact comparison.
std::vector<std::vector<Color>> Pixels(const GifComposer& screen) {
    std::vector<std::vector<Color>> rows;
    for (int y = 0; y < screen.Buffer().Height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < screen.Buffer().Width(); ++x) rows.back().push_back(screen.Buffer().Pixel(x, y));
    }
    return rows;
}

std::vector<std::vector<std::vector<Color>>> Play(const GifFile& file) {
    std::vector<std::vector<std::vector<Color>>> shown;
    ComposeGifFrames(file, [&](std::size_t index, const GifComposer& screen) {
        EXPECT_EQ(index, shown.size());
        shown.push_back(Pixels(screen));
    });
    return shown;
}

TEST(GifCompose, OpaqueFramesStayUnderLaterOnes) {
    GifBuilder gif;
    gif.Header().Screen(2, 2, kTable).Image(TestImage(0, 0, 2, 2, {1, 1, 1, 1})).Image(TestImage(1, 1, 1, 1, {2}));
    const GifFile file = Decode(gif);
    const auto shown = Play(file);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (std::vector<std::vector<Color>>{{kR, kR}, {kR, kR}}));
    EXPECT_EQ(shown[1], (std::vector<std::vector<Color>>{{kR, kR}, {kR, kG}}));
}

TEST(GifCompose, ScreenStartsBlackAroundASmallFrame) {
    GifBuilder gif;
    gif.Header().Screen(3, 1, kTable).Image(TestImage(1, 0, 1, 1, {3}));
    const auto shown = Play(Decode(gif));
    EXPECT_EQ(shown[0], (std::vector<std::vector<Color>>{{kK, kB, kK}}));
}

TEST(GifCompose, TransparentPixelsKeepWhatWasThere) {
    GifBuilder gif;
    gif.Header().Screen(3, 1, kTable).Image(TestImage(0, 0, 3, 1, {1, 1, 1}));
    gif.GraphicControl(0, 0, true, 0).Image(TestImage(0, 0, 3, 1, {0, 3, 0}));
    const auto shown = Play(Decode(gif));
    EXPECT_EQ(shown[1], (std::vector<std::vector<Color>>{{kR, kB, kR}}));
}

TEST(GifCompose, MaskSaysWhereNothingOpaqueWasDrawn) {
    GifBuilder gif;
    gif.Header().Screen(4, 1, kTable).GraphicControl(0, 0, true, 0).Image(TestImage(0, 0, 3, 1, {0, 2, 0}));
    gif.Image(TestImage(2, 0, 1, 1, {1}));
    const GifFile file = Decode(gif);
    GifComposer screen(file);
    ASSERT_TRUE(screen.HasMask());
    EXPECT_EQ(std::vector<std::uint8_t>(screen.Mask().begin(), screen.Mask().end()),
              (std::vector<std::uint8_t>{1, 1, 1, 1}));
    screen.Compose(0);
    EXPECT_EQ(std::vector<std::uint8_t>(screen.Mask().begin(), screen.Mask().end()),
              (std::vector<std::uint8_t>{1, 0, 1, 1}));
    EXPECT_EQ(screen.Buffer().Pixel(0, 0), kK);
    EXPECT_EQ(screen.Buffer().Pixel(1, 0), kG);
    screen.Dispose(0);
    screen.Compose(1);  // opaque: its area becomes opaque in the mask
    EXPECT_EQ(std::vector<std::uint8_t>(screen.Mask().begin(), screen.Mask().end()),
              (std::vector<std::uint8_t>{1, 0, 0, 1}));
    EXPECT_EQ(screen.Buffer().Pixel(2, 0), kR);
}

TEST(GifCompose, NoMaskWithoutTransparentFrames) {
    GifBuilder gif;
    gif.Header().Screen(2, 1, kTable).Image(TestImage(0, 0, 2, 1, {1, 2}));
    const GifFile file = Decode(gif);
    GifComposer screen(file);
    EXPECT_FALSE(screen.HasMask());
    EXPECT_TRUE(screen.Mask().empty());
}

TEST(GifCompose, BackgroundDisposalMakesTheAreaBlackAndTransparent) {
    GifBuilder gif;
    gif.Header().Screen(3, 1, kTable).Image(TestImage(0, 0, 3, 1, {1, 1, 1}));
    gif.GraphicControl(2, 0, false, 0).Image(TestImage(1, 0, 2, 1, {3, 3}));
    gif.GraphicControl(0, 0, true, 0).Image(TestImage(0, 0, 1, 1, {2}));
    const GifFile file = Decode(gif);
    GifComposer screen(file);
    screen.Compose(0);
    screen.Dispose(0);
    screen.Compose(1);
    EXPECT_EQ(Pixels(screen), (std::vector<std::vector<Color>>{{kR, kB, kB}}));
    screen.Dispose(1);
    EXPECT_EQ(Pixels(screen), (std::vector<std::vector<Color>>{{kR, kK, kK}}));
    EXPECT_EQ(std::vector<std::uint8_t>(screen.Mask().begin(), screen.Mask().end()),
              (std::vector<std::uint8_t>{0, 1, 1}));
    screen.Compose(2);
    EXPECT_EQ(Pixels(screen), (std::vector<std::vector<Color>>{{kG, kK, kK}}));
}

TEST(GifCompose, PreviousDisposalRestoresWhatLayUnderTheFrame) {
    GifBuilder gif;
    gif.Header().Screen(2, 2, kTable).Image(TestImage(0, 0, 2, 2, {1, 1, 1, 1}));
    gif.GraphicControl(3, 0, false, 0).Image(TestImage(0, 0, 2, 1, {2, 2}));
    gif.Image(TestImage(1, 1, 1, 1, {3}));
    const auto shown = Play(Decode(gif));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1], (std::vector<std::vector<Color>>{{kG, kG}, {kR, kR}}));
    EXPECT_EQ(shown[2], (std::vector<std::vector<Color>>{{kR, kR}, {kR, kB}}));
}

TEST(GifCompose, PreviousDisposalRestoresTheMaskToo) {
    GifBuilder gif;
    gif.Header().Screen(2, 1, kTable).GraphicControl(0, 0, true, 0).Image(TestImage(0, 0, 2, 1, {0, 1}));
    gif.GraphicControl(3, 0, false, 0).Image(TestImage(0, 0, 2, 1, {2, 2}));
    const GifFile file = Decode(gif);
    GifComposer screen(file);
    screen.Compose(0);
    screen.Dispose(0);
    screen.Compose(1);
    EXPECT_EQ(std::vector<std::uint8_t>(screen.Mask().begin(), screen.Mask().end()), (std::vector<std::uint8_t>{0, 0}));
    screen.Dispose(1);
    EXPECT_EQ(std::vector<std::uint8_t>(screen.Mask().begin(), screen.Mask().end()), (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(Pixels(screen), (std::vector<std::vector<Color>>{{kK, kR}}));
}

TEST(GifCompose, LeaveAndNoneDisposalsChangeNothing) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kTable).GraphicControl(1, 0, false, 0).Image(TestImage(0, 0, 1, 1, {3}));
    gif.GraphicControl(0, 0, false, 0).Image(TestImage(0, 0, 1, 1, {2}));
    const GifFile file = Decode(gif);
    GifComposer screen(file);
    screen.Compose(0);
    screen.Dispose(0);
    EXPECT_EQ(screen.Buffer().Pixel(0, 0), kB);
    screen.Compose(1);
    screen.Dispose(1);
    EXPECT_EQ(screen.Buffer().Pixel(0, 0), kG);
}

TEST(GifCompose, ScreenIsTheEnlargedLogicalSize) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kTable).Image(TestImage(2, 1, 1, 1, {1}));
    const GifFile file = Decode(gif);
    GifComposer screen(file);
    EXPECT_EQ(screen.Buffer().Width(), 3);
    EXPECT_EQ(screen.Buffer().Height(), 2);
    screen.Compose(0);
    EXPECT_EQ(screen.Buffer().Pixel(2, 1), kR);
}

TEST(GifCompose, FrameOutsideTheFileIsRefused) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kTable).Image(TestImage(0, 0, 1, 1, {1}));
    const GifFile file = Decode(gif);
    GifComposer screen(file);
    EXPECT_THROW(screen.Compose(1), std::out_of_range);
    EXPECT_THROW(screen.Dispose(7), std::out_of_range);
}

TEST(GifCompose, HandMadeFrameOffTheScreenIsRefused) {
    GifBuilder gif;
    gif.Header().Screen(2, 2, kTable).Image(TestImage(0, 0, 2, 2, {1, 1, 1, 1}));
    GifFile file = Decode(gif);
    file.frames[0].left = 1;
    GifComposer screen(file);
    EXPECT_THROW(screen.Compose(0), std::invalid_argument);
    file.frames[0].left = 0;
    file.frames[0].image = Bitmap24();
    EXPECT_THROW(screen.Compose(0), std::invalid_argument);
}

}  // namespace
}  // namespace kelbo
