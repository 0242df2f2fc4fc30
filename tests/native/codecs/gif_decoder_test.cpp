#include "codecs/gif_decoder.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "codecs/gif_test_files.h"
#include "core/rounding.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using testing::EncodeGifLzw;
using testing::FilledTestImage;
using testing::GifBuilder;
using testing::GifTestImage;
using testing::TestImage;

const std::vector<Color> kFour = {Rgb(10, 20, 30), Rgb(200, 0, 0), Rgb(0, 200, 0), Rgb(0, 0, 200)};

GifFile Decode(const std::vector<std::uint8_t>& bytes, const GifDecodeOptions& options = {}) {
    Result<GifFile> result = DecodeGif(bytes, options);
    if (!result) ADD_FAILURE() << result.Error().message;
    return std::move(result).Value();
}

FailureKind DecodeFailure(const std::vector<std::uint8_t>& bytes) {
    const Result<GifFile> result = DecodeGif(bytes);
    if (result) {
        ADD_FAILURE() << "decoded";
        return FailureKind::kIo;
    }
    return result.Error().kind;
}

TEST(GifDecoder, StillPictureGivesExactColoursAndFields) {
    GifBuilder gif;
    gif.Header().Screen(4, 2, kFour, 3).Image(TestImage(0, 0, 4, 2, {0, 1, 2, 3, 3, 2, 1, 0})).Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.version, "89a");
    EXPECT_EQ(file.screenWidth, 4);
    EXPECT_EQ(file.screenHeight, 2);
    EXPECT_EQ(file.backgroundIndex, 3);
    EXPECT_TRUE(file.hasGlobalTable);
    EXPECT_EQ(file.globalBits, 2);
    EXPECT_EQ(file.logicalWidth, 4);
    EXPECT_EQ(file.logicalHeight, 2);
    EXPECT_EQ(file.loopCount, 1);
    EXPECT_FALSE(file.hasLoopExtension);
    EXPECT_FALSE(file.MultiFrame());
    EXPECT_EQ(file.stop, GifStop::kTrailer);
    ASSERT_EQ(file.frames.size(), 1u);
    const GifFrame& f = file.frames[0];
    EXPECT_EQ(f.indices, (std::vector<std::uint8_t>{0, 1, 2, 3, 3, 2, 1, 0}));
    EXPECT_TRUE(f.Complete());
    EXPECT_FALSE(f.hasLocalTable);
    EXPECT_EQ(f.colorBits, 0);
    EXPECT_EQ(f.paletteSize, 4);
    EXPECT_EQ(f.disposal, GifDisposal::kNone);
    EXPECT_EQ(f.delayMs, 0);
    EXPECT_FALSE(f.transparent);
    EXPECT_TRUE(f.mask.empty());
    ASSERT_EQ(f.image.Width(), 4);
    ASSERT_EQ(f.image.Height(), 2);
    EXPECT_EQ(f.image.Pixel(0, 0), Rgb(10, 20, 30));
    EXPECT_EQ(f.image.Pixel(1, 0), Rgb(200, 0, 0));
    EXPECT_EQ(f.image.Pixel(2, 0), Rgb(0, 200, 0));
    EXPECT_EQ(f.image.Pixel(3, 0), Rgb(0, 0, 200));
    EXPECT_EQ(f.image.Pixel(0, 1), Rgb(0, 0, 200));
    EXPECT_EQ(f.image.Pixel(3, 1), Rgb(10, 20, 30));
    // Rows are stored blue, green, red.
    EXPECT_EQ(f.image.Row(0)[3], 0);
    EXPECT_EQ(f.image.Row(0)[5], 200);
}

TEST(GifDecoder, InterlacedTenRowFrameFillsRowsInThePassOrder) {
    // The data holds rows whose every pixel is the row's place in the data.
    std::vector<std::uint8_t> stored;
    for (std::uint8_t k = 0; k < 10; ++k) stored.insert(stored.end(), 3, k);
    std::vector<Color> table;
    for (int i = 0; i < 16; ++i) table.push_back(Rgb(static_cast<std::uint8_t>(i * 10), 0, 0));
    GifBuilder gif;
    gif.Header().Screen(3, 10, table).ImageWithCodes(0, 0, 3, 10, true, 4, EncodeGifLzw(stored, 4)).Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 1u);
    const GifFrame& f = file.frames[0];
    EXPECT_TRUE(f.interlaced);
    EXPECT_TRUE(file.anyInterlaced);
    const int filledOrder[] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    for (int k = 0; k < 10; ++k) {
        const int y = filledOrder[k];
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(f.indices[static_cast<std::size_t>(y) * 3 + x], k) << "row " << y;
            EXPECT_EQ(f.image.Pixel(x, y), Rgb(static_cast<std::uint8_t>(k * 10), 0, 0)) << "row " << y;
        }
    }
}

TEST(GifDecoder, TruncatedInterlacedFrameHasItsFirstPassRows) {
    // Three rows and a half of codes, one code per pixel; 40 bits, no padding.
    testing::GifCodePacker p;
    p.Code(16, 5);
    for (unsigned v : {1, 1, 2, 2, 3, 3, 4}) p.Code(v, 5);
    GifBuilder gif;
    gif.Header().Screen(2, 10, std::vector<Color>(16, 0));
    // Each code after the first adds an entry; none reach 32, so all stay 5 bits wide.
    gif.ImageWithCodes(0, 0, 2, 10, true, 4, p.Bytes());
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 1u);
    const GifFrame& f = file.frames[0];
    EXPECT_EQ(f.pixelsDecoded, 7u);
    std::vector<std::uint8_t> expected(20, 0);
    expected[0] = expected[1] = 1;    // row 0
    expected[16] = expected[17] = 2;  // row 8
    expected[8] = expected[9] = 3;    // row 4
    expected[4] = 4;                  // row 2, first pixel
    EXPECT_EQ(f.indices, expected);
}

TEST(GifDecoder, TwoHundredFiftySeventhImageAndAllAfterItAreIgnored) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour);
    for (int i = 0; i < 256; ++i) gif.Image(FilledTestImage(0, 0, 1, 1, static_cast<std::uint8_t>(i % 4)));
    gif.Image(FilledTestImage(50, 60, 1, 1, 1));  // would enlarge the screen
    gif.Comment("late").Image(FilledTestImage(0, 0, 1, 1, 2)).Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.frames.size(), 256u);
    EXPECT_EQ(file.stop, GifStop::kFrameLimit);
    EXPECT_EQ(file.logicalWidth, 1);
    EXPECT_EQ(file.logicalHeight, 1);
    EXPECT_EQ(file.frames[255].indices[0], 3);
    EXPECT_TRUE(file.MultiFrame());
}

TEST(GifDecoder, FrameBeyondTheScreenEnlargesTheLogicalSize) {
    GifBuilder gif;
    gif.Header().Screen(20, 20, kFour).Image(FilledTestImage(10, 20, 30, 40, 1)).Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.screenWidth, 20);
    EXPECT_EQ(file.screenHeight, 20);
    EXPECT_EQ(file.logicalWidth, 40);
    EXPECT_EQ(file.logicalHeight, 60);
}

TEST(GifDecoder, LogicalSizeCoversEveryFrameButNeverShrinks) {
    GifBuilder gif;
    gif.Header()
        .Screen(50, 5, kFour)
        .Image(FilledTestImage(0, 0, 2, 2, 1))
        .Image(FilledTestImage(3, 4, 2, 7, 1))
        .Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.logicalWidth, 50);
    EXPECT_EQ(file.logicalHeight, 11);
}

TEST(GifDecoder, GraphicControlAppliesToTheNextImageOnly) {
    GifBuilder gif;
    gif.Header().Screen(2, 1, kFour);
    gif.GraphicControl(2, 7, true, 1).Image(TestImage(0, 0, 2, 1, {1, 2})).Image(TestImage(0, 0, 2, 1, {1, 2}));
    gif.Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 2u);
    const GifFrame& first = file.frames[0];
    EXPECT_EQ(first.disposal, GifDisposal::kBackground);
    EXPECT_EQ(first.delayMs, 70);
    EXPECT_TRUE(first.transparent);
    EXPECT_EQ(first.transparentIndex, 1);
    EXPECT_EQ(first.transparentColor, Rgb(200, 0, 0));
    EXPECT_EQ(first.mask, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(first.image.Pixel(0, 0), colors::kBlack);
    EXPECT_EQ(first.image.Pixel(1, 0), Rgb(0, 200, 0));
    const GifFrame& second = file.frames[1];
    EXPECT_EQ(second.disposal, GifDisposal::kNone);
    EXPECT_EQ(second.delayMs, 0);
    EXPECT_FALSE(second.transparent);
    EXPECT_TRUE(second.mask.empty());
    EXPECT_EQ(second.image.Pixel(0, 0), Rgb(200, 0, 0));
    EXPECT_TRUE(file.anyTransparent);
}

TEST(GifDecoder, LastGraphicControlBeforeAnImageWins) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).GraphicControl(1, 3, false, 0).GraphicControl(3, 9, false, 0);
    gif.Image(FilledTestImage(0, 0, 1, 1, 0)).Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.frames[0].disposal, GifDisposal::kPrevious);
    EXPECT_EQ(file.frames[0].delayMs, 90);
}

TEST(GifDecoder, DisposalFieldsMapToFourMethods) {
    const GifDisposal expected[8] = {GifDisposal::kNone,       GifDisposal::kLeave,      GifDisposal::kBackground,
                                     GifDisposal::kPrevious,   GifDisposal::kBackground, GifDisposal::kBackground,
                                     GifDisposal::kBackground, GifDisposal::kBackground};
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour);
    for (int d = 0; d < 8; ++d) gif.GraphicControl(d, 0, false, 0).Image(FilledTestImage(0, 0, 1, 1, 0));
    gif.Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 8u);
    for (int d = 0; d < 8; ++d) EXPECT_EQ(file.frames[d].disposal, expected[d]) << "field " << d;
}

TEST(GifDecoder, DelayIsHundredthsTimesTen) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).GraphicControl(0, 65535, false, 0).Image(FilledTestImage(0, 0, 1, 1, 0));
    gif.Trailer();
    EXPECT_EQ(Decode(gif.bytes).frames[0].delayMs, 655350);
}

TEST(GifDecoder, UnknownVersionIsRead) {
    for (const char* version : {"12z", "87a", "\x01\x02\x03"}) {
        GifBuilder gif;
        gif.Header(version).Screen(1, 1, kFour).Image(FilledTestImage(0, 0, 1, 1, 2)).Trailer();
        const GifFile file = Decode(gif.bytes);
        EXPECT_EQ(file.version, version);
        ASSERT_EQ(file.frames.size(), 1u);
        EXPECT_EQ(file.frames[0].image.Pixel(0, 0), Rgb(0, 200, 0));
    }
}

TEST(GifDecoder, RefusesWhatIsNoGifOrHasNoCompleteHeader) {
    EXPECT_EQ(DecodeFailure({}), FailureKind::kWrongFormat);
    EXPECT_EQ(DecodeFailure({'G', 'I', 'X', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0}), FailureKind::kWrongFormat);
    EXPECT_EQ(DecodeFailure({'G', 'I'}), FailureKind::kWrongFormat);
    EXPECT_EQ(DecodeFailure({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0}), FailureKind::kTruncated);
    // Global table of 4 colours with only 11 of its 12 bytes.
    EXPECT_EQ(DecodeFailure({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x81, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}),
              FailureKind::kTruncated);
}

TEST(GifDecoder, HeaderAloneDecodesToNoFrames) {
    GifBuilder gif;
    gif.Header().Screen(7, 3);
    const GifFile file = Decode(gif.bytes);
    EXPECT_TRUE(file.frames.empty());
    EXPECT_EQ(file.stop, GifStop::kEndOfData);
    EXPECT_EQ(file.logicalWidth, 7);
    EXPECT_FALSE(file.hasGlobalTable);
    const Result<Bitmap24> first = GifFirstFrameBitmap(file);
    ASSERT_FALSE(first);
    EXPECT_EQ(first.Error().message, "the GIF file holds no image");
}

TEST(GifDecoder, TruncatedPixelDataKeepsItsPixels) {
    std::mt19937 random(3);
    std::vector<std::uint8_t> indices(100);
    for (auto& v : indices) v = static_cast<std::uint8_t>(random() % 4);
    GifBuilder gif;
    gif.Header().Screen(10, 10, kFour).Image(TestImage(0, 0, 10, 10, indices));
    // Keep the descriptor and part of the data only.
    const std::size_t dataStart = 13 + 12 + 10;
    std::vector<std::uint8_t> bytes(gif.bytes.begin(),
                                    gif.bytes.begin() + static_cast<std::ptrdiff_t>(dataStart + 1 + 1 + 20));
    const GifFile file = Decode(bytes);
    ASSERT_EQ(file.frames.size(), 1u);
    const GifFrame& f = file.frames[0];
    EXPECT_EQ(file.stop, GifStop::kEndOfData);
    ASSERT_GT(f.pixelsDecoded, 10u);
    ASSERT_LT(f.pixelsDecoded, 100u);
    EXPECT_FALSE(f.Complete());
    for (std::size_t i = 0; i < 100; ++i) {
        const std::uint8_t want = i < f.pixelsDecoded ? indices[i] : 0;
        ASSERT_EQ(f.indices[i], want) << i;
        ASSERT_EQ(f.image.Pixel(static_cast<int>(i % 10), static_cast<int>(i / 10)), kFour[want]) << i;
    }
}

TEST(GifDecoder, PixelDataEndingEarlyLetsTheNextImageBeRead) {
    std::vector<std::uint8_t> indices(64, 2);
    indices[63] = 1;
    auto codes = EncodeGifLzw(indices, 2);
    codes.resize(4);  // the terminator follows right after
    GifBuilder gif;
    gif.Header().Screen(8, 8, kFour).ImageWithCodes(0, 0, 8, 8, false, 2, codes);
    gif.Image(FilledTestImage(0, 0, 1, 1, 3)).Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 2u);
    EXPECT_FALSE(file.frames[0].Complete());
    EXPECT_GT(file.frames[0].pixelsDecoded, 0u);
    EXPECT_EQ(file.frames[1].indices[0], 3);
    EXPECT_EQ(file.stop, GifStop::kTrailer);
}

TEST(GifDecoder, TransparentPixelsThatWereNeverDecodedStayOpaque) {
    // Transparent index 0 and the data stops after the first two pixels.
    testing::GifCodePacker p;
    p.Code(4, 3).Code(0, 3).Code(1, 3).Code(5, 3);
    GifBuilder gif;
    gif.Header().Screen(4, 1, kFour).GraphicControl(0, 0, true, 0).ImageWithCodes(0, 0, 4, 1, false, 2, p.Bytes());
    const GifFile file = Decode(gif.bytes);
    const GifFrame& f = file.frames.at(0);
    EXPECT_EQ(f.pixelsDecoded, 2u);
    EXPECT_EQ(f.mask, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(f.image.Pixel(0, 0), colors::kBlack);
    EXPECT_EQ(f.image.Pixel(1, 0), Rgb(200, 0, 0));
    EXPECT_EQ(f.image.Pixel(2, 0), Rgb(10, 20, 30));
}

TEST(GifDecoder, CommentsGoToTheNextImage) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).Comment("Ahoj ").Comment("svet").Image(FilledTestImage(0, 0, 1, 1, 0));
    gif.Image(FilledTestImage(0, 0, 1, 1, 0))
        .Comment(std::string(600, 'x'))
        .Image(FilledTestImage(0, 0, 1, 1, 0))
        .Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 3u);
    EXPECT_EQ(file.frames[0].comment, "Ahoj svet");
    EXPECT_EQ(file.frames[1].comment, "");
    EXPECT_EQ(file.frames[2].comment, std::string(600, 'x'));
}

TEST(GifDecoder, NetscapeExtensionGivesTheLoopCount) {
    for (std::uint16_t loops : {0, 3, 65535}) {
        GifBuilder gif;
        gif.Header().Screen(1, 1, kFour).Loop(loops).Image(FilledTestImage(0, 0, 1, 1, 0)).Trailer();
        const GifFile file = Decode(gif.bytes);
        EXPECT_EQ(file.loopCount, loops);
        EXPECT_TRUE(file.hasLoopExtension);
        EXPECT_EQ(file.frames.size(), 1u);
    }
}

TEST(GifDecoder, OtherApplicationExtensionsAreSkipped) {
    const std::uint8_t data[] = {1, 5, 0};
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).Application("ANIMEXTS1.0", data).Application("NETSCAPE2.1", data);
    gif.Image(FilledTestImage(0, 0, 1, 1, 0)).Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.loopCount, 1);
    EXPECT_FALSE(file.hasLoopExtension);
    EXPECT_EQ(file.frames.size(), 1u);
}

TEST(GifDecoder, PlainTextIsSkippedAndKeepsThePendingGraphicControl) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).GraphicControl(1, 4, false, 0).PlainText("Kelbo");
    gif.Image(FilledTestImage(0, 0, 1, 1, 2)).Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 1u);
    EXPECT_EQ(file.frames[0].delayMs, 40);
    EXPECT_EQ(file.stop, GifStop::kTrailer);
}

TEST(GifDecoder, UnknownExtensionLabelStopsReading) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).Image(FilledTestImage(0, 0, 1, 1, 0)).Raw({0x21, 0x99, 1, 0, 0});
    gif.Image(FilledTestImage(0, 0, 1, 1, 0)).Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.frames.size(), 1u);
    EXPECT_EQ(file.stop, GifStop::kUnknownExtension);
    EXPECT_EQ(file.stopDetail, "extension label 0x99");
}

TEST(GifDecoder, UnknownBlockByteStopsReading) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).Image(FilledTestImage(0, 0, 1, 1, 0));
    const std::size_t offset = gif.bytes.size();
    gif.Raw({0x00}).Image(FilledTestImage(0, 0, 1, 1, 0)).Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.frames.size(), 1u);
    EXPECT_EQ(file.stop, GifStop::kUnknownBlock);
    EXPECT_EQ(file.stopDetail, "byte 0x00 at offset " + std::to_string(offset));
}

TEST(GifDecoder, LocalTableAndTheLargestTableSeen) {
    std::vector<Color> local(16);
    for (int i = 0; i < 16; ++i) local[i] = Rgb(0, static_cast<std::uint8_t>(i * 16), 1);
    GifTestImage own = TestImage(0, 0, 2, 1, {15, 4});
    own.localTable = local;
    GifBuilder gif;
    gif.Header().Screen(2, 1, {Rgb(1, 1, 1), Rgb(2, 2, 2)}).Image(own).Image(TestImage(0, 0, 2, 1, {1, 9})).Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 2u);
    const GifFrame& a = file.frames[0];
    EXPECT_TRUE(a.hasLocalTable);
    EXPECT_EQ(a.colorBits, 4);
    EXPECT_EQ(a.paletteSize, 16);
    EXPECT_EQ(a.image.Pixel(0, 0), Rgb(0, 240, 1));
    EXPECT_EQ(a.image.Pixel(1, 0), Rgb(0, 64, 1));
    EXPECT_EQ(file.globalBits, 4);
    const GifFrame& b = file.frames[1];
    EXPECT_FALSE(b.hasLocalTable);
    EXPECT_EQ(b.paletteSize, 16);
    EXPECT_EQ(b.image.Pixel(0, 0), Rgb(2, 2, 2));
    EXPECT_EQ(b.image.Pixel(1, 0), colors::kBlack);  // beyond the global table
}

TEST(GifDecoder, WithoutAnyTableEveryPixelIsBlack) {
    GifBuilder gif;
    gif.Header().Screen(2, 1).Image(TestImage(0, 0, 2, 1, {0, 3})).Trailer();
    const GifFile file = Decode(gif.bytes);
    const GifFrame& f = file.frames.at(0);
    EXPECT_EQ(f.paletteSize, 1);
    EXPECT_EQ(f.image.Pixel(0, 0), colors::kBlack);
    EXPECT_EQ(f.image.Pixel(1, 0), colors::kBlack);
    EXPECT_EQ(f.indices, (std::vector<std::uint8_t>{0, 3}));
}

TEST(GifDecoder, TransparentIndexBeyondTheTableHasABlackColour) {
    GifBuilder gif;
    gif.Header().Screen(2, 1, kFour).GraphicControl(0, 0, true, 200).Image(TestImage(0, 0, 2, 1, {1, 2})).Trailer();
    const GifFile file = Decode(gif.bytes);
    const GifFrame& f = file.frames.at(0);
    EXPECT_EQ(f.transparentColor, colors::kBlack);
    EXPECT_EQ(f.mask, (std::vector<std::uint8_t>{0, 0}));
}

TEST(GifDecoder, FramesReachingBeyond65535AreNotRead) {
    GifBuilder gif;
    gif.Header()
        .Screen(10, 10, kFour)
        .Image(FilledTestImage(0, 0, 1, 1, 0))
        .Image(FilledTestImage(65000, 0, 536, 1, 0));
    gif.Image(FilledTestImage(0, 0, 1, 1, 0)).Trailer();
    const GifFile file = Decode(gif.bytes);
    EXPECT_EQ(file.frames.size(), 1u);
    EXPECT_EQ(file.stop, GifStop::kBadFrame);
    EXPECT_EQ(file.stopDetail, "image 2: 536 x 1 pixels at (65000, 0) reach beyond 65535");
    EXPECT_EQ(file.logicalWidth, 10);
}

TEST(GifDecoder, AFrameGrowingTheScreenOverThePictureLimitIsNotRead) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).Image(FilledTestImage(0, 0, 1, 1, 0));
    const GifFile file = Decode(gif.ImageWithCodes(9000, 0, 9000, 9000, false, 2, {}).bytes);
    EXPECT_EQ(file.frames.size(), 1u);
    EXPECT_EQ(file.stopDetail, "image 2: logical screen too large: 18000 x 9000 pixels need 464 MiB, at most 256 MiB");
}

TEST(GifDecoder, FrameOverThePixelLimitStopsReading) {
    GifDecodeOptions options;
    options.maxPixels = 150;
    GifBuilder gif;
    gif.Header().Screen(10, 10, kFour).Image(FilledTestImage(0, 0, 10, 10, 1)).Image(FilledTestImage(0, 0, 10, 5, 1));
    gif.Image(FilledTestImage(0, 0, 10, 6, 1)).Trailer();
    const GifFile file = Decode(gif.bytes, options);
    EXPECT_EQ(file.frames.size(), 2u);
    EXPECT_EQ(file.stop, GifStop::kBadFrame);
    EXPECT_EQ(file.stopDetail, "image 3: 10 x 6 pixels would exceed the limit of 150 pixels");
}

TEST(GifDecoder, ScreenOverThePixelLimitIsRefused) {
    GifBuilder gif;
    gif.Header().Screen(65535, 65535, kFour).Image(FilledTestImage(0, 0, 1, 1, 1)).Trailer();
    const Result<GifFile> result = DecodeGif(gif.bytes);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.Error().kind, FailureKind::kUnsupported);
    EXPECT_EQ(result.Error().message,
              "the logical screen of 65535 x 65535 pixels exceeds the limit of 134217728 pixels");
}

TEST(GifDecoder, HugeFrameWithLittleDataIsNotRead) {
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).ImageWithCodes(0, 0, 9000, 9000, false, 2, std::vector<std::uint8_t>(10, 0));
    const GifFile file = Decode(gif.bytes);
    EXPECT_TRUE(file.frames.empty());
    EXPECT_EQ(file.stopDetail, "image 1: 9000 x 9000 pixels cannot come from 10 bytes of data");
    EXPECT_EQ(file.logicalWidth, 1);
}

TEST(GifDecoder, FramesWithoutDataShareOneAllowance) {
    // 2^20 pixels without data are allowed once per file, not once per frame.
    GifBuilder gif;
    gif.Header().Screen(1024, 1024, kFour);
    for (int i = 0; i < 3; ++i) gif.ImageWithCodes(0, 0, 1024, 1024, false, 2, {});
    gif.Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 1u);
    EXPECT_EQ(file.frames[0].pixelsDecoded, 0u);
    EXPECT_EQ(file.frames[0].image.Pixel(1023, 1023), Rgb(10, 20, 30));
    EXPECT_EQ(file.stop, GifStop::kBadFrame);
}

TEST(GifDecoder, LargeFramesWithTheirDataAreRead) {
    // A plain 1500 x 1000 frame compresses far beyond the free allowance.
    GifBuilder gif;
    gif.Header().Screen(1500, 1000, kFour).Image(FilledTestImage(0, 0, 1500, 1000, 2)).Trailer();
    ASSERT_LT(gif.bytes.size(), 20000u);
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 1u);
    EXPECT_TRUE(file.frames[0].Complete());
    EXPECT_EQ(file.frames[0].image.Pixel(1499, 999), Rgb(0, 200, 0));
}

TEST(GifDecoder, BadCodeSizeLeavesTheFrameAtIndexZero) {
    GifBuilder gif;
    gif.Header().Screen(2, 1, kFour).ImageWithCodes(0, 0, 2, 1, false, 12, {0xFF, 0xFF});
    gif.Image(FilledTestImage(0, 0, 1, 1, 3)).Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 2u);
    EXPECT_EQ(file.frames[0].pixelsDecoded, 0u);
    EXPECT_EQ(file.frames[0].indices, (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(file.frames[0].pixelError, "LZW minimum code size 12 is outside 2..11");
    EXPECT_EQ(file.frames[1].pixelError, "");
}

TEST(GifDecoder, CodeSizesAboveEightDecodeTheirColours) {
    for (int m = 9; m <= 11; ++m) {
        GifTestImage image = TestImage(0, 0, 3, 2, {3, 2, 1, 0, 0, 3});
        image.minCodeSize = m;
        GifBuilder gif;
        gif.Header().Screen(3, 2, kFour).Image(image).Trailer();
        const GifFile file = Decode(gif.bytes);
        ASSERT_EQ(file.frames.size(), 1u) << m;
        EXPECT_TRUE(file.frames[0].Complete()) << m;
        EXPECT_EQ(file.frames[0].pixelError, "") << m;
        EXPECT_EQ(file.frames[0].image.Pixel(0, 0), kFour[3]) << m;
        EXPECT_EQ(file.frames[0].image.Pixel(2, 0), kFour[1]) << m;
        EXPECT_EQ(file.frames[0].image.Pixel(2, 1), kFour[3]) << m;
    }
}

TEST(GifDecoder, DamagedCodesKeepTheirPixelsAndSayWhyTheyStopped) {
    testing::GifCodePacker codes;
    codes.Code(4, 3).Code(1, 3).Code(2, 3).Code(4, 3).Code(7, 3);  // 7 after a clear names nothing
    GifBuilder gif;
    gif.Header().Screen(2, 2, kFour).ImageWithCodes(0, 0, 2, 2, false, 2, codes.Bytes());
    gif.Image(FilledTestImage(0, 0, 1, 1, 3)).Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 2u);
    EXPECT_EQ(file.frames[0].indices, (std::vector<std::uint8_t>{1, 2, 0, 0}));
    EXPECT_EQ(file.frames[0].pixelError, "LZW code 7 names no string after 2 of 4 pixels");
    EXPECT_TRUE(file.frames[1].Complete());
    EXPECT_EQ(file.stop, GifStop::kTrailer);
}

TEST(GifDecoder, ZeroSizedFrameIsKept) {
    GifBuilder gif;
    gif.Header().Screen(3, 3, kFour).ImageWithCodes(1, 1, 0, 0, false, 2, {0x44});
    gif.Image(FilledTestImage(0, 0, 1, 1, 3)).Trailer();
    const GifFile file = Decode(gif.bytes);
    ASSERT_EQ(file.frames.size(), 2u);
    EXPECT_EQ(file.frames[0].width, 0);
    EXPECT_TRUE(file.frames[0].Complete());
}

TEST(GifDecoder, ProgressAtEveryBlockWithRoundedPercent) {
    GifBuilder gif;
    gif.Header().Screen(2, 1, kFour).Comment("c").Image(TestImage(0, 0, 2, 1, {1, 2})).Trailer();
    std::vector<std::size_t> parsed;
    GifDecodeOptions options;
    options.onProgress = [&](std::size_t done, std::size_t total, int percent, bool& goOn) {
        EXPECT_TRUE(goOn);
        EXPECT_EQ(total, gif.bytes.size());
        EXPECT_EQ(percent, Round(100.0L * done / total));
        parsed.push_back(done);
    };
    Decode(gif.bytes, options);
    const std::size_t afterTable = 13 + 12;
    const std::size_t afterComment = afterTable + 2 + 2 + 1;
    ASSERT_EQ(parsed.size(), 3u);
    EXPECT_EQ(parsed[0], afterTable);
    EXPECT_EQ(parsed[1], afterComment);
    EXPECT_EQ(parsed[2], gif.bytes.size() - 1);  // before the trailer
}

int ProgressCalls(int width, int height, bool interlaced) {
    GifTestImage image = FilledTestImage(0, 0, width, height, 1);
    image.interlaced = interlaced;
    GifBuilder gif;
    gif.Header().Screen(width, height, kFour).Image(image).Trailer();
    int calls = 0;
    GifDecodeOptions options;
    options.onProgress = [&](std::size_t, std::size_t, int, bool&) { ++calls; };
    Decode(gif.bytes, options);
    return calls - 2;  // the two blocks: the image and the trailer
}

TEST(GifDecoder, LargeFramesReportProgressEvery64Or32Rows) {
    EXPECT_EQ(ProgressCalls(316, 316, false), 0);   // 99856 pixels: no rows reported
    EXPECT_EQ(ProgressCalls(320, 320, false), 5);   // rows 0, 64, 128, 192, 256
    EXPECT_EQ(ProgressCalls(400, 300, false), 10);  // rows 0, 32, ..., 288
    EXPECT_EQ(ProgressCalls(400, 300, true), 10);   // the same rows, in pass order
}

TEST(GifDecoder, ProgressHandlerAbortsTheLoad) {
    GifBuilder gif;
    gif.Header().Screen(400, 300, kFour).Image(FilledTestImage(0, 0, 400, 300, 1)).Trailer();
    for (int abortAt : {1, 4}) {
        int calls = 0;
        GifDecodeOptions options;
        options.onProgress = [&](std::size_t, std::size_t, int, bool& goOn) {
            if (++calls == abortAt) goOn = false;
        };
        const Result<GifFile> result = DecodeGif(gif.bytes, options);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.Error().message, "loading was aborted");
        EXPECT_EQ(calls, abortAt);
    }
}

TEST(GifDecoder, WalkingTheBlocksOnlyGivesTheSameFramesWithoutPixels) {
    GifBuilder gif;
    gif.Header().Screen(4, 4, kFour).Loop(2).GraphicControl(3, 5, true, 1).Image(FilledTestImage(1, 1, 4, 4, 1));
    gif.Image(FilledTestImage(0, 0, 2, 2, 2)).Trailer();
    GifDecodeOptions options;
    options.decodePixels = false;
    const GifFile file = Decode(gif.bytes, options);
    ASSERT_EQ(file.frames.size(), 2u);
    EXPECT_EQ(file.logicalWidth, 5);
    EXPECT_EQ(file.loopCount, 2);
    EXPECT_TRUE(file.anyTransparent);
    EXPECT_EQ(file.frames[0].disposal, GifDisposal::kPrevious);
    EXPECT_TRUE(file.frames[0].indices.empty());
    EXPECT_TRUE(file.frames[0].image.Empty());
    EXPECT_EQ(file.stop, GifStop::kTrailer);
    EXPECT_FALSE(GifFirstFrameBitmap(file));
}

TEST(GifDecoder, ReadsFilesAndReportsMissingOnes) {
    testing::TempDir dir;
    GifBuilder gif;
    gif.Header().Screen(1, 1, kFour).Image(FilledTestImage(0, 0, 1, 1, 3)).Trailer();
    testing::WriteRaw(dir / "a.gif", std::string(gif.bytes.begin(), gif.bytes.end()));
    const Result<GifFile> file = ReadGifFile(dir / "a.gif");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->frames.at(0).image.Pixel(0, 0), Rgb(0, 0, 200));
    const Result<GifFile> missing = ReadGifFile(dir / "none.gif");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().kind, FailureKind::kIo);
}

// First-frame bitmap.

TEST(GifFirstFrame, OpaqueFrameIsCopied) {
    GifBuilder gif;
    gif.Header()
        .Screen(2, 2, kFour)
        .Image(TestImage(0, 0, 2, 2, {0, 1, 2, 3}))
        .Image(FilledTestImage(0, 0, 2, 2, 1))
        .Trailer();
    const Result<Bitmap24> bitmap = GifFirstFrameBitmap(Decode(gif.bytes));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Width(), 2);
    EXPECT_EQ(bitmap->Height(), 2);
    EXPECT_EQ(bitmap->Pixel(0, 0), kFour[0]);
    EXPECT_EQ(bitmap->Pixel(1, 0), kFour[1]);
    EXPECT_EQ(bitmap->Pixel(0, 1), kFour[2]);
    EXPECT_EQ(bitmap->Pixel(1, 1), kFour[3]);
}

TEST(GifFirstFrame, TransparentPixelsShowTheTransparentIndexColour) {
    GifBuilder gif;
    gif.Header().Screen(3, 1, kFour).GraphicControl(0, 0, true, 1).Image(TestImage(0, 0, 3, 1, {1, 2, 1})).Trailer();
    const Result<Bitmap24> bitmap = GifFirstFrameBitmap(Decode(gif.bytes));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Pixel(0, 0), Rgb(200, 0, 0));
    EXPECT_EQ(bitmap->Pixel(1, 0), Rgb(0, 200, 0));
    EXPECT_EQ(bitmap->Pixel(2, 0), Rgb(200, 0, 0));
}

TEST(GifFirstFrame, OffsetFrameIsPlacedAtItsOffsetsWithinItsOwnSize) {
    // Frame of 3 x 2 at (1, 1): its pixel (0, 0) lands on (1, 1), the rest is cut off.
    GifBuilder gif;
    gif.Header().Screen(4, 3, kFour).Image(TestImage(1, 1, 3, 2, {1, 2, 3, 3, 3, 3})).Trailer();
    const Result<Bitmap24> bitmap = GifFirstFrameBitmap(Decode(gif.bytes));
    ASSERT_TRUE(bitmap);
    ASSERT_EQ(bitmap->Width(), 3);
    ASSERT_EQ(bitmap->Height(), 2);
    EXPECT_EQ(bitmap->Pixel(0, 0), colors::kBlack);
    EXPECT_EQ(bitmap->Pixel(2, 0), colors::kBlack);
    EXPECT_EQ(bitmap->Pixel(0, 1), colors::kBlack);
    EXPECT_EQ(bitmap->Pixel(1, 1), Rgb(200, 0, 0));
    EXPECT_EQ(bitmap->Pixel(2, 1), Rgb(0, 200, 0));
}

TEST(GifFirstFrame, OffsetTransparentFrameIsFilledWithTheTransparentColour) {
    GifBuilder gif;
    gif.Header().Screen(4, 3, kFour).GraphicControl(0, 0, true, 3);
    gif.Image(TestImage(1, 0, 2, 1, {3, 2})).Trailer();
    const Result<Bitmap24> bitmap = GifFirstFrameBitmap(Decode(gif.bytes));
    ASSERT_TRUE(bitmap);
    ASSERT_EQ(bitmap->Width(), 2);
    EXPECT_EQ(bitmap->Pixel(0, 0), Rgb(0, 0, 200));
    EXPECT_EQ(bitmap->Pixel(1, 0), Rgb(0, 0, 200));  // the frame's transparent pixel
}

}  // namespace
}  // namespace kelbo
