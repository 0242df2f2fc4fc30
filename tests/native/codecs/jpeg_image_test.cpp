#include "codecs/jpeg_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "codecs/jpeg_test_files.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using testing::ColourfulPicture;
using testing::DecodeWithLibrary;
using testing::DistinctColours;
using testing::EncodeWithLibrary;
using testing::LibraryJpegOptions;

std::vector<std::uint8_t> ColourfulJpeg(int width = 64, int height = 48, const LibraryJpegOptions& options = {}) {
    auto bytes = EncodeWithLibrary(ColourfulPicture(width, height), options);
    EXPECT_FALSE(bytes.empty());
    return bytes;
}

// Every pixel of the bitmap is the palette colour of its index.
void ExpectBitmapFollowsIndices(const JpegPicture& picture) {
    ASSERT_EQ(picture.format, JpegPixelFormat::k8Bit);
    const int width = picture.bitmap.Width();
    ASSERT_EQ(picture.indices.size(), static_cast<std::size_t>(width) * picture.bitmap.Height());
    for (int y = 0; y < picture.bitmap.Height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index = picture.indices[static_cast<std::size_t>(y) * width + x];
            ASSERT_LT(index, picture.palette.size());
            ASSERT_EQ(picture.bitmap.Pixel(x, y), picture.palette[index]) << x << "," << y;
        }
    }
}

TEST(JpegImage, ConstructorValues) {
    TJPEGImage image;
    EXPECT_EQ(image.NumOfColors(), TNumOfColors::_256);
    EXPECT_EQ(image.DCTMethod(), TDCTMethod::Integ);
    EXPECT_EQ(image.Dither(), TDither::FS);
    EXPECT_FALSE(image.FastProcessing());
    EXPECT_FALSE(image.GrayScale());
    EXPECT_FALSE(image.NoSmooth());
    EXPECT_FALSE(image.OnePass());
    EXPECT_EQ(image.ProgressStep(), 10);
    EXPECT_FALSE(image.OnProgress());
    EXPECT_EQ(image.Quality(), 75);
    EXPECT_FALSE(image.Progressive());
    EXPECT_EQ(image.FileName(), "");
    EXPECT_TRUE(image.JpegData().empty());
    EXPECT_TRUE(image.Picture().Empty());
}

TEST(JpegImage, ConstructorValuesGiveAnEightBitPictureOfAtMost256Colours) {
    const auto jpeg = ColourfulJpeg(80, 60);
    ASSERT_GT(DistinctColours(ColourfulPicture(80, 60)), 1000u);
    TJPEGImage image;
    image.LoadFromBytes(jpeg);
    const JpegPicture& picture = image.Picture();
    EXPECT_EQ(picture.bitmap.Width(), 80);
    EXPECT_EQ(picture.bitmap.Height(), 60);
    EXPECT_EQ(picture.format, JpegPixelFormat::k8Bit);
    EXPECT_LE(picture.palette.size(), 256u);
    EXPECT_GT(picture.palette.size(), 16u);
    EXPECT_LE(DistinctColours(picture.bitmap), 256u);
    ExpectBitmapFollowsIndices(picture);
}

// Two-pass quantisation with Floyd-Steinberg dithering, as the library does it.
TEST(JpegImage, ConstructorValuesMatchTheLibrarysTwoPassQuantisation) {
    const auto jpeg = ColourfulJpeg(70, 50);
    const auto expected = DecodeWithLibrary(jpeg, [](jpeg_decompress_struct& c) {
        c.quantize_colors = TRUE;
        c.desired_number_of_colors = 256;
        c.two_pass_quantize = TRUE;
        c.dither_mode = JDITHER_FS;
    });
    ASSERT_TRUE(expected.ok);
    TJPEGImage image;
    image.LoadFromBytes(jpeg);
    const JpegPicture& picture = image.Picture();
    EXPECT_EQ(picture.indices, expected.samples);
    ASSERT_EQ(picture.palette.size(), expected.colormap.size());
    for (std::size_t i = 0; i < picture.palette.size(); ++i) {
        const auto& rgb = expected.colormap[i];
        EXPECT_EQ(picture.palette[i], Rgb(rgb[0], rgb[1], rgb[2])) << i;
    }
}

TEST(JpegImage, SixteenColours) {
    TJPEGImage image;
    image.SetNumOfColors(TNumOfColors::_16);
    image.LoadFromBytes(ColourfulJpeg());
    EXPECT_EQ(image.Picture().format, JpegPixelFormat::k8Bit);
    EXPECT_LE(image.Picture().palette.size(), 16u);
    EXPECT_LE(DistinctColours(image.Picture().bitmap), 16u);
    ExpectBitmapFollowsIndices(image.Picture());
}

// 24 bits, exactly the library's RGB samples in the bitmap's BGR order.
TEST(JpegImage, TrueColorIs24BitsAndTheLibrarysSamples) {
    const auto jpeg = ColourfulJpeg(61, 37);
    const auto expected = DecodeWithLibrary(jpeg);
    ASSERT_TRUE(expected.ok);
    ASSERT_EQ(expected.components, 3);
    TJPEGImage image;
    image.SetNumOfColors(TNumOfColors::TrueColor);
    image.LoadFromBytes(jpeg);
    const JpegPicture& picture = image.Picture();
    EXPECT_EQ(picture.format, JpegPixelFormat::k24Bit);
    EXPECT_TRUE(picture.palette.empty());
    EXPECT_TRUE(picture.indices.empty());
    EXPECT_GT(DistinctColours(picture.bitmap), 256u);
    for (int y = 0; y < 37; ++y) {
        for (int x = 0; x < 61; ++x) {
            const std::uint8_t* rgb = expected.samples.data() + (static_cast<std::size_t>(y) * 61 + x) * 3;
            ASSERT_EQ(picture.bitmap.Pixel(x, y), Rgb(rgb[0], rgb[1], rgb[2])) << x << "," << y;
        }
    }
}

TEST(JpegImage, GrayScaleWithTrueColorIsAnEightBitGreyPicture) {
    const auto jpeg = ColourfulJpeg();
    const auto expected = DecodeWithLibrary(jpeg, [](jpeg_decompress_struct& c) { c.out_color_space = JCS_GRAYSCALE; });
    TJPEGImage image;
    image.SetNumOfColors(TNumOfColors::TrueColor);
    image.SetGrayScale(true);
    image.LoadFromBytes(jpeg);
    const JpegPicture& picture = image.Picture();
    EXPECT_EQ(picture.format, JpegPixelFormat::k8Bit);
    ASSERT_EQ(picture.palette.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(picture.palette[i], Rgb(i, i, i));
    EXPECT_EQ(picture.indices, expected.samples);
    ExpectBitmapFollowsIndices(picture);
}

TEST(JpegImage, GrayScaleWithConstructorColoursIsGreyToo) {
    TJPEGImage image;
    image.SetGrayScale(true);
    image.LoadFromBytes(ColourfulJpeg());
    const JpegPicture& picture = image.Picture();
    EXPECT_EQ(picture.format, JpegPixelFormat::k8Bit);
    EXPECT_LE(picture.palette.size(), 256u);
    for (const Color c : picture.palette) {
        EXPECT_EQ(RedOf(c), GreenOf(c));
        EXPECT_EQ(GreenOf(c), BlueOf(c));
    }
    ExpectBitmapFollowsIndices(picture);
}

TEST(JpegImage, FastProcessingWithTrueColorDoesNotQuantise) {
    const auto jpeg = ColourfulJpeg(66, 42);
    const auto expected = DecodeWithLibrary(jpeg, [](jpeg_decompress_struct& c) {
        c.dct_method = JDCT_IFAST;
        c.do_fancy_upsampling = FALSE;
    });
    TJPEGImage image;
    image.SetNumOfColors(TNumOfColors::TrueColor);
    image.SetFastProcessing(true);
    image.LoadFromBytes(jpeg);
    EXPECT_EQ(image.Picture().format, JpegPixelFormat::k24Bit);
    EXPECT_GT(DistinctColours(image.Picture().bitmap), 256u);
    const std::uint8_t* rgb = expected.samples.data() + (5 * 66 + 7) * 3;
    EXPECT_EQ(image.Picture().bitmap.Pixel(7, 5), Rgb(rgb[0], rgb[1], rgb[2]));
}

TEST(JpegImage, FastProcessingWithQuantisationIsOnePassOrdered) {
    const auto jpeg = ColourfulJpeg();
    const auto expected = DecodeWithLibrary(jpeg, [](jpeg_decompress_struct& c) {
        c.quantize_colors = TRUE;
        c.desired_number_of_colors = 256;
        c.two_pass_quantize = FALSE;
        c.dither_mode = JDITHER_ORDERED;
        c.dct_method = JDCT_IFAST;
        c.do_fancy_upsampling = FALSE;
    });
    TJPEGImage image;
    image.SetFastProcessing(true);
    image.LoadFromBytes(jpeg);
    EXPECT_EQ(image.Picture().indices, expected.samples);
    EXPECT_EQ(image.Picture().palette.size(), expected.colormap.size());
}

TEST(JpegImage, EverySetterDecodesAgain) {
    TJPEGImage image;
    image.LoadFromBytes(ColourfulJpeg());
    int changes = 0;
    image.SetOnProgress([&](TCustomJPEGImage&) {
        if (image.ProgressPercent() == 100) ++changes;
    });
    image.SetNumOfColors(TNumOfColors::TrueColor);
    EXPECT_EQ(image.Picture().format, JpegPixelFormat::k24Bit);
    image.SetDCTMethod(TDCTMethod::FloatingPoint);
    image.SetDither(TDither::None);
    image.SetFastProcessing(false);
    image.SetGrayScale(true);
    EXPECT_EQ(image.Picture().format, JpegPixelFormat::k8Bit);
    image.SetNoSmooth(true);
    image.SetOnePass(true);
    EXPECT_EQ(changes, 7);
    // Plain fields do not decode.
    image.SetQuality(30);
    image.SetProgressive(true);
    image.SetProgressStep(5);
    EXPECT_EQ(changes, 7);
}

TEST(JpegImage, DCTMethodAndDitherReachTheLibrary) {
    const auto jpeg = ColourfulJpeg();
    const auto expected = DecodeWithLibrary(jpeg, [](jpeg_decompress_struct& c) {
        c.quantize_colors = TRUE;
        c.desired_number_of_colors = 16;
        c.two_pass_quantize = FALSE;
        c.dither_mode = JDITHER_NONE;
        c.dct_method = JDCT_FLOAT;
        c.do_fancy_upsampling = FALSE;
    });
    TJPEGImage image;
    image.BeginLoading();
    image.SetNumOfColors(TNumOfColors::_16);
    image.SetDCTMethod(TDCTMethod::FloatingPoint);
    image.SetDither(TDither::None);
    image.SetOnePass(true);
    image.SetNoSmooth(true);
    image.LoadFromBytes(jpeg);
    EXPECT_TRUE(image.Picture().Empty());  // loading: nothing decoded yet
    image.Loaded();
    EXPECT_EQ(image.Picture().indices, expected.samples);
}

TEST(JpegImage, PlainFieldsCheckTheirRanges) {
    TJPEGImage image;
    EXPECT_THROW(image.SetProgressStep(0), std::out_of_range);
    EXPECT_THROW(image.SetProgressStep(101), std::out_of_range);
    EXPECT_THROW(image.SetQuality(-1), std::out_of_range);
    EXPECT_THROW(image.SetQuality(101), std::out_of_range);
    image.SetProgressStep(100);
    image.SetQuality(0);
    EXPECT_EQ(image.ProgressStep(), 100);
    EXPECT_EQ(image.Quality(), 0);
}

std::vector<int> DecodeProgress(int height, int step) {
    TJPEGImage image;
    image.SetProgressStep(step);
    std::vector<int> reported;
    image.SetOnProgress([&](TCustomJPEGImage& sender) {
        EXPECT_EQ(&sender, &image);
        reported.push_back(sender.ProgressPercent());
    });
    image.LoadFromBytes(ColourfulJpeg(24, height));
    return reported;
}

TEST(JpegImage, ProgressReportsEachTenthOnce) {
    const std::vector<int> tenths = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    EXPECT_EQ(DecodeProgress(250, 10), tenths);
    EXPECT_EQ(DecodeProgress(1000, 10), tenths);
}

TEST(JpegImage, ProgressReportsOnlyTheTenthsSomeRowReaches) {
    // 47 rows: row 5 is 10 %, rows 9 and 10 are 19 % and 21 %, and so on.
    EXPECT_EQ(DecodeProgress(47, 10), (std::vector<int>{10, 40, 70, 80, 100}));
}

TEST(JpegImage, ProgressStep100ReportsOnly100) {
    EXPECT_EQ(DecodeProgress(250, 100), std::vector<int>{100});
    EXPECT_EQ(DecodeProgress(3, 100), std::vector<int>{100});
}

TEST(JpegImage, ProgressSkipsPercentagesNoRowReaches) {
    // 3 rows: 33 %, 66 %, 100 %; only 100 is a multiple of 10.
    EXPECT_EQ(DecodeProgress(3, 10), std::vector<int>{100});
    // Step 7 never reports 100, which is no multiple of 7.
    const std::vector<int> sevens = DecodeProgress(200, 7);
    ASSERT_EQ(sevens.size(), 14u);
    for (std::size_t i = 0; i < sevens.size(); ++i) EXPECT_EQ(sevens[i], 7 * static_cast<int>(i + 1));
}

TEST(JpegImage, ProgressStartsAgainAtEachCoding) {
    TJPEGImage image;
    std::vector<int> reported;
    image.SetOnProgress([&](TCustomJPEGImage& sender) { reported.push_back(sender.ProgressPercent()); });
    image.SetProgressStep(50);
    image.LoadFromBytes(ColourfulJpeg(20, 20));
    image.Decode();
    std::vector<std::uint8_t> out;
    image.SaveToStream(&out);
    EXPECT_EQ(reported, (std::vector<int>{50, 100, 50, 100, 50, 100}));
}

TEST(JpegImage, AnExceptionFromOnProgressLeavesThePictureAsItWas) {
    TJPEGImage image;
    image.LoadFromBytes(ColourfulJpeg(30, 30));
    const Bitmap24 before = image.Picture().bitmap;
    image.SetOnProgress([](TCustomJPEGImage& sender) {
        if (sender.ProgressPercent() == 50) throw std::runtime_error("cancelled");
    });
    EXPECT_THROW(image.SetNumOfColors(TNumOfColors::TrueColor), std::runtime_error);
    EXPECT_EQ(image.Picture().bitmap, before);
    EXPECT_EQ(image.Picture().format, JpegPixelFormat::k8Bit);
}

TEST(JpegImage, FileNameReadsAndDecodesTheFile) {
    testing::TempDir dir;
    const auto jpeg = ColourfulJpeg(33, 22);
    testing::WriteRaw(dir / "obrázok.jpg", std::string(jpeg.begin(), jpeg.end()));
    TJPEGImage image;
    const std::string name = PathToUtf8(dir / "obrázok.jpg");
    image.SetFileName(name);
    EXPECT_EQ(image.FileName(), name);
    EXPECT_EQ(image.JpegData(), jpeg);
    EXPECT_EQ(image.Picture().bitmap.Width(), 33);
    EXPECT_EQ(image.Picture().bitmap.Height(), 22);
}

TEST(JpegImage, EmptyFileNameClearsThePicture) {
    testing::TempDir dir;
    const auto jpeg = ColourfulJpeg();
    testing::WriteRaw(dir / "a.jpg", std::string(jpeg.begin(), jpeg.end()));
    int changes = 0;
    struct Counting : TJPEGImage {
        int* changes;
        void PictureChanged() override { ++*changes; }
    } counted;
    counted.changes = &changes;
    counted.LoadFromFile(dir / "a.jpg");
    ASSERT_FALSE(counted.Picture().Empty());
    counted.SetFileName("");
    EXPECT_TRUE(counted.Picture().Empty());
    EXPECT_TRUE(counted.JpegData().empty());
    EXPECT_TRUE(counted.Comments().empty());
    EXPECT_EQ(changes, 2);
}

TEST(JpegImage, AMissingFileRaisesTheOpenError) {
    testing::TempDir dir;
    TJPEGImage image;
    EXPECT_THROW(image.SetFileName(PathToUtf8(dir / "none.jpg")), FileError);
}

TEST(JpegImage, CommentsAreRead) {
    LibraryJpegOptions options;
    const std::string longText(60000, 'k');
    options.comments = {"Kelbo", "", longText, std::string("a\0b", 3)};
    TJPEGImage image;
    image.LoadFromBytes(ColourfulJpeg(40, 30, options));
    EXPECT_FALSE(image.Picture().Empty());
    ASSERT_EQ(image.Comments().size(), 4u);
    EXPECT_EQ(image.Comments()[0], "Kelbo");
    EXPECT_EQ(image.Comments()[1], "");
    EXPECT_EQ(image.Comments()[2], longText);
    EXPECT_EQ(image.Comments()[3], std::string("a\0b", 3));
}

TEST(JpegImage, OnlyTheFirst256CommentsAreKept) {
    LibraryJpegOptions options;
    for (int i = 0; i < 300; ++i) options.comments.push_back(std::to_string(i));
    TJPEGImage image;
    image.LoadFromBytes(ColourfulJpeg(16, 16, options));
    EXPECT_FALSE(image.Picture().Empty());
    ASSERT_EQ(image.Comments().size(), 256u);
    EXPECT_EQ(image.Comments().back(), "255");
}

TEST(JpegImage, ACommentWithAnImpossibleLengthIsAnError) {
    auto jpeg = ColourfulJpeg();
    const std::vector<std::uint8_t> bad = {0xFF, 0xFE, 0x00, 0x01};
    jpeg.insert(jpeg.begin() + 2, bad.begin(), bad.end());
    TJPEGImage image;
    try {
        image.LoadFromBytes(jpeg);
        FAIL() << "no exception";
    } catch (const EJPEGException& e) {
        EXPECT_STREQ(e.what(), "Bogus marker length");
    }
}

TEST(JpegImage, AMissingEndMarkerGivesWarnings) {
    auto jpeg = ColourfulJpeg();
    ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    ASSERT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    jpeg.resize(jpeg.size() - 2);
    TJPEGImage image;
    try {
        image.LoadFromBytes(jpeg);
        FAIL() << "no exception";
    } catch (const EJPEGException& e) {
        EXPECT_STREQ(e.what(), "There are warnings");
    }
}

TEST(JpegImage, WarningsLeaveThePictureAsItWas) {
    const auto good = ColourfulJpeg(50, 40);
    TJPEGImage image;
    image.SetNumOfColors(TNumOfColors::TrueColor);
    image.LoadFromBytes(good);
    const Bitmap24 before = image.Picture().bitmap;
    // A file cut short inside its picture data: readable, with a warning.
    auto cut = ColourfulJpeg(64, 64);
    cut.resize(cut.size() * 2 / 3);
    try {
        image.LoadFromBytes(cut);
        FAIL() << "no exception";
    } catch (const EJPEGException& e) {
        EXPECT_STREQ(e.what(), "There are warnings");
    }
    EXPECT_EQ(image.Picture().bitmap, before);
    EXPECT_EQ(image.JpegData(), cut);
}

TEST(JpegImage, CorruptPictureDataGivesWarnings) {
    auto jpeg = ColourfulJpeg(64, 64, LibraryJpegOptions{.quality = 90, .restartRows = 1});
    // Replace a restart marker in the middle by a different one.
    std::size_t rst = 0;
    for (std::size_t i = jpeg.size() / 2; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] >= 0xD0 && jpeg[i + 1] <= 0xD7) {
            rst = i;
            break;
        }
    }
    ASSERT_NE(rst, 0u);
    jpeg[rst + 1] = static_cast<std::uint8_t>(0xD0 + ((jpeg[rst + 1] - 0xD0 + 4) & 7));
    TJPEGImage image;
    EXPECT_THROW(image.LoadFromBytes(jpeg), EJPEGException);
    const auto library = DecodeWithLibrary(jpeg);
    ASSERT_TRUE(library.ok);
    EXPECT_GT(library.warnings, 0);  // the library itself reads it, with warnings
}

TEST(JpegImage, GarbageRaisesTheLibrarysMessage) {
    const std::string gif = "GIF89a\x01\x00\x01\x00\x00\x00\x00;";
    TJPEGImage image;
    try {
        image.LoadFromBytes(std::vector<std::uint8_t>(gif.begin(), gif.end()));
        FAIL() << "no exception";
    } catch (const EJPEGException& e) {
        EXPECT_STREQ(e.what(), "Not a JPEG file: starts with 0x47 0x49");
    }
}

TEST(JpegImage, DataEndingInsideTheHeaderIsAnError) {
    const auto jpeg = ColourfulJpeg();
    TJPEGImage image;
    for (std::size_t size : {1u, 2u, 3u, 20u, 100u, 150u}) {
        EXPECT_THROW(image.LoadFromBytes(std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + size)), EJPEGException)
            << size;
    }
}

// Inks C, M, Y of 30, 100, 220 with K 40 are red (255 - 30)(255 - 40) / 255
// = 189.7, green 130.7, blue 29.5, rounded.
constexpr Color kInkColour = Rgb(190, 131, 30);

std::vector<std::uint8_t> FlatInkJpeg(LibraryJpegOptions options) {
    options.cmyk = true;
    options.cmykBlack = 40;
    options.quality = 100;
    return EncodeWithLibrary(Bitmap24(16, 16, Rgb(30, 100, 220)), options);
}

int WorstDistance(const Bitmap24& picture, Color colour) {
    int worst = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const Color c = picture.Pixel(x, y);
            worst = std::max({worst, std::abs(RedOf(c) - RedOf(colour)), std::abs(GreenOf(c) - GreenOf(colour)),
                              std::abs(BlueOf(c) - BlueOf(colour))});
        }
    return worst;
}

TEST(JpegImage, CmykFilesOpenAsRgbWhetherTheInksAreInvertedOrNot) {
    // Quality 100 keeps a flat plane exactly, so the inks arrive unchanged;
    // YCCK's colour transform rounds twice, a level each way at most.
    const struct {
        const char* name;
        LibraryJpegOptions options;
        int tolerance;
    } files[] = {
        {"plain CMYK", {.adobeMarker = false}, 0},
        {"Adobe CMYK", {.invertedInks = true}, 0},
        {"Adobe YCCK", {.invertedInks = true, .ycck = true}, 2},
    };
    for (const auto& file : files) {
        const auto jpeg = FlatInkJpeg(file.options);
        ASSERT_FALSE(jpeg.empty()) << file.name;
        ASSERT_EQ(DecodeWithLibrary(jpeg).jpegComponents, 4) << file.name;
        TJPEGImage image;
        image.SetNumOfColors(TNumOfColors::TrueColor);
        image.LoadFromBytes(jpeg);
        EXPECT_EQ(image.Picture().format, JpegPixelFormat::k24Bit) << file.name;
        EXPECT_LE(WorstDistance(image.Picture().bitmap, kInkColour), file.tolerance) << file.name;
        // With the constructor values a single colour is its own table.
        image.SetNumOfColors(TNumOfColors::_256);
        ExpectBitmapFollowsIndices(image.Picture());
        EXPECT_LE(WorstDistance(image.Picture().bitmap, kInkColour), file.tolerance) << file.name;
        image.SetGrayScale(true);
        EXPECT_LE(WorstDistance(image.Picture().bitmap, Rgb(137, 137, 137)), file.tolerance)
            << file.name;  // Luminance(190, 131, 30)
    }
}

double MeanDifference(const Bitmap24& a, const Bitmap24& b);

TEST(JpegImage, CmykPicturesAreQuantisedLikeEveryJpeg) {
    LibraryJpegOptions options;
    options.cmyk = true;
    options.invertedInks = true;
    const auto jpeg = ColourfulJpeg(64, 48, options);
    TJPEGImage image;
    image.SetNumOfColors(TNumOfColors::TrueColor);
    image.LoadFromBytes(jpeg);
    const Bitmap24 full = image.Picture().bitmap;
    EXPECT_GT(DistinctColours(full), 256u);
    for (TNumOfColors colours : {TNumOfColors::_256, TNumOfColors::_16}) {
        image.SetNumOfColors(colours);
        const JpegPicture& picture = image.Picture();
        ExpectBitmapFollowsIndices(picture);
        EXPECT_EQ(picture.palette.size(), colours == TNumOfColors::_16 ? 16u : 256u);
        EXPECT_LT(MeanDifference(picture.bitmap, full), colours == TNumOfColors::_16 ? 24.0 : 6.0);
    }
}

TEST(JpegImage, ArithmeticCodedFilesDecodeAsTheLibraryDecodesThem) {
    for (bool progressive : {false, true}) {
        const auto jpeg = ColourfulJpeg(45, 29, {.progressive = progressive, .arithmetic = true});
        ASSERT_FALSE(jpeg.empty());
        const auto expected = DecodeWithLibrary(jpeg);
        ASSERT_TRUE(expected.ok);
        TJPEGImage image;
        image.SetNumOfColors(TNumOfColors::TrueColor);
        image.LoadFromBytes(jpeg);
        const Bitmap24& bitmap = image.Picture().bitmap;
        for (int y = 0; y < 29; ++y)
            for (int x = 0; x < 45; ++x) {
                const std::uint8_t* rgb = expected.samples.data() + (static_cast<std::size_t>(y) * 45 + x) * 3;
                ASSERT_EQ(bitmap.Pixel(x, y), Rgb(rgb[0], rgb[1], rgb[2])) << x << "," << y;
            }
    }
}

// ---- encoding ----

std::vector<std::uint8_t> Encode(TCustomJPEGImage& image) {
    std::vector<std::uint8_t> out;
    image.SaveToStream(&out);
    return out;
}

int MaxDifference(const Bitmap24& a, const Bitmap24& b) {
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int i = 0; i < a.Width() * 3; ++i) worst = std::max(worst, std::abs(a.Row(y)[i] - b.Row(y)[i]));
    }
    return worst;
}

double MeanDifference(const Bitmap24& a, const Bitmap24& b) {
    double sum = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int i = 0; i < a.Width() * 3; ++i) sum += std::abs(a.Row(y)[i] - b.Row(y)[i]);
    }
    return sum / (3.0 * a.Width() * a.Height());
}

TEST(JpegImage, EncodingIsTheLibrarysOutputForTheSameSettings) {
    const Bitmap24 picture = ColourfulPicture(57, 43);
    struct Case {
        int quality;
        bool gray, fast, progressive;
        TDCTMethod dct;
        J_DCT_METHOD libraryDct;
    };
    const Case cases[] = {
        {75, false, false, false, TDCTMethod::Integ, JDCT_ISLOW},
        {30, true, false, false, TDCTMethod::Integ, JDCT_ISLOW},
        {95, false, true, false, TDCTMethod::FastInteg, JDCT_IFAST},
        {60, false, false, true, TDCTMethod::FloatingPoint, JDCT_FLOAT},
        {0, true, true, true, TDCTMethod::Integ, JDCT_ISLOW},
        {100, false, false, false, TDCTMethod::Integ, JDCT_ISLOW},
    };
    for (const Case& c : cases) {
        TJPEGImage image;
        image.BeginLoading();  // no data to decode anyway; keeps setters quiet
        image.SetQuality(c.quality);
        image.SetGrayScale(c.gray);
        image.SetFastProcessing(c.fast);
        image.SetProgressive(c.progressive);
        image.SetDCTMethod(c.dct);
        image.SetPictureBitmap(picture);
        LibraryJpegOptions options;
        options.quality = c.quality;
        options.grayscale = c.gray;
        options.optimize = !c.fast;
        options.progressive = c.progressive;
        options.dct = c.libraryDct;
        EXPECT_EQ(Encode(image), EncodeWithLibrary(picture, options)) << "quality " << c.quality;
    }
}

TEST(JpegImage, QualityRoundTrip) {
    const Bitmap24 picture = testing::SmoothPicture(96, 64);
    TJPEGImage image;
    image.SetNumOfColors(TNumOfColors::TrueColor);
    image.SetPictureBitmap(picture);
    image.SetQuality(95);
    const auto fine = Encode(image);
    image.SetQuality(5);
    const auto coarse = Encode(image);
    EXPECT_LT(coarse.size(), fine.size());

    TJPEGImage reader;
    reader.SetNumOfColors(TNumOfColors::TrueColor);
    reader.LoadFromBytes(fine);
    EXPECT_EQ(reader.Picture().bitmap.Width(), 96);
    EXPECT_EQ(reader.Picture().bitmap.Height(), 64);
    EXPECT_LE(MaxDifference(reader.Picture().bitmap, picture), 8);
    const double fineError = MeanDifference(reader.Picture().bitmap, picture);
    EXPECT_LT(fineError, 2.0);
    reader.LoadFromBytes(coarse);
    EXPECT_GT(MeanDifference(reader.Picture().bitmap, picture), fineError);
    const auto header = DecodeWithLibrary(fine);
    EXPECT_EQ(header.jpegComponents, 3);
    EXPECT_FALSE(header.progressive);
}

TEST(JpegImage, GrayScaleEncodingWritesOneComponent) {
    const Bitmap24 picture = ColourfulPicture(40, 40);
    TJPEGImage image;
    image.SetGrayScale(true);
    image.SetPictureBitmap(picture);
    const auto jpeg = Encode(image);
    const auto decoded = DecodeWithLibrary(jpeg);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.jpegComponents, 1);
    EXPECT_EQ(decoded.components, 1);
}

TEST(JpegImage, ProgressiveEncodingRoundTrips) {
    const Bitmap24 picture = testing::SmoothPicture(48, 48);
    TJPEGImage image;
    image.SetNumOfColors(TNumOfColors::TrueColor);
    image.SetProgressive(true);
    image.SetQuality(90);
    image.SetPictureBitmap(picture);
    const auto jpeg = Encode(image);
    EXPECT_TRUE(DecodeWithLibrary(jpeg).progressive);
    image.LoadFromBytes(jpeg);
    EXPECT_LE(MaxDifference(image.Picture().bitmap, picture), 10);
}

TEST(JpegImage, SaveToStreamAppendsAndIgnoresANullStream) {
    TJPEGImage image;
    image.SetPictureBitmap(ColourfulPicture(8, 8));
    image.SaveToStream(nullptr);
    std::vector<std::uint8_t> stream = {1, 2, 3};
    image.SaveToStream(&stream);
    ASSERT_GT(stream.size(), 3u);
    EXPECT_EQ(stream[3], 0xFF);
    EXPECT_EQ(stream[4], 0xD8);
    EXPECT_EQ(std::vector<std::uint8_t>(stream.begin() + 3, stream.end()), Encode(image));
}

TEST(JpegImage, EncodingAnEmptyPictureIsAnError) {
    TJPEGImage image;
    std::vector<std::uint8_t> stream = {9};
    EXPECT_THROW(image.SaveToStream(&stream), EJPEGException);
    EXPECT_EQ(stream, std::vector<std::uint8_t>{9});
}

TEST(JpegImage, SaveToFileWritesTheStream) {
    testing::TempDir dir;
    TJPEGImage image;
    image.SetPictureBitmap(ColourfulPicture(20, 10));
    image.SaveToFile(dir / "out.jpg");
    const std::string written = testing::ReadRaw(dir / "out.jpg");
    const auto expected = Encode(image);
    EXPECT_EQ(written, std::string(expected.begin(), expected.end()));
    // A failed encode leaves the old file.
    image.ClearPicture();
    EXPECT_THROW(image.SaveToFile(dir / "out.jpg"), EJPEGException);
    EXPECT_EQ(testing::ReadRaw(dir / "out.jpg"), written);
}

TEST(JpegImage, EncodingProgressReportsEachTenthOnce) {
    TJPEGImage image;
    std::vector<int> reported;
    image.SetOnProgress([&](TCustomJPEGImage& sender) { reported.push_back(sender.ProgressPercent()); });
    image.SetPictureBitmap(ColourfulPicture(16, 130));
    Encode(image);
    EXPECT_EQ(reported, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
}

}  // namespace
}  // namespace kelbo
