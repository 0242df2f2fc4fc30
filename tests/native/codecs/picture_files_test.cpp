#include "codecs/picture_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/gif_decoder.h"
#include "codecs/gif_encoder.h"
#include "codecs/gif_test_files.h"
#include "codecs/icon.h"
#include "codecs/jpeg_test_files.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

Bitmap24 Small() {
    Bitmap24 picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.SetPixel(x, y,
                             Rgb(static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(80 * y),
                                 static_cast<std::uint8_t>(x == y ? 255 : 0)));
    return picture;
}

void Put(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    WriteFileAtomically(path, bytes);
}

std::vector<std::uint8_t> TrueColourJpeg(const Bitmap24& picture) {
    JpegSettings settings;
    settings.NumOfColors = TNumOfColors::TrueColor;
    settings.Quality = 95;
    return EncodeJpeg(picture.View(), settings);
}

TEST(PictureKind, DispatchesOnTheUpperCasedExtension) {
    EXPECT_EQ(PictureKindOf("a.bmp"), PictureFileKind::kBmp);
    EXPECT_EQ(PictureKindOf("A.BmP"), PictureFileKind::kBmp);
    EXPECT_EQ(PictureKindOf("dir.x/a.ICO"), PictureFileKind::kIcon);
    EXPECT_EQ(PictureKindOf("a.gif"), PictureFileKind::kGif);
    EXPECT_EQ(PictureKindOf("a.Jpg"), PictureFileKind::kJpeg);
    EXPECT_EQ(PictureKindOf("a.wmf"), PictureFileKind::kMetafile);
    EXPECT_EQ(PictureKindOf("a.jpeg"), PictureFileKind::kJpeg);
    EXPECT_EQ(PictureKindOf("a.jpe"), PictureFileKind::kNone);
    EXPECT_EQ(PictureKindOf("a.Png"), PictureFileKind::kPng);
    EXPECT_EQ(PictureKindOf("a.tif"), PictureFileKind::kNone);
    EXPECT_EQ(PictureKindOf("bmp"), PictureFileKind::kNone);
    EXPECT_EQ(PictureKindOf("a.bmp.txt"), PictureFileKind::kNone);
    EXPECT_EQ(UpperExtension("x/a.jPeG"), ".JPEG");
}

TEST(LoadPictureFile, ReadsEveryKindWhateverTheCase) {
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    const Bitmap24 picture = Small();
    WriteBmp(dir / "a.Bmp", picture.View(), PixelFormat::k8);
    Put(dir / "b.GiF", EncodeGif(picture.View()));
    Put(dir / "c.ico", EncodeIcon(picture.View()));
    Put(dir / "d.JPG", TrueColourJpeg(picture));
    Put(dir / "e.jpeg", TrueColourJpeg(picture));

    const LoadedPicture bmp = LoadPictureFile(dir / "a.Bmp", codecs);
    ASSERT_TRUE(bmp.read);
    EXPECT_EQ(bmp.format, PixelFormat::k8);
    EXPECT_EQ(bmp.palette.size(), 15u);
    EXPECT_TRUE(bmp.bitmap == picture);
    for (const char* name : {"b.GiF", "c.ico"}) {
        const LoadedPicture p = LoadPictureFile(dir / name, codecs);
        ASSERT_TRUE(p.read) << name;
        EXPECT_EQ(p.format, PixelFormat::k24) << name;
        EXPECT_TRUE(p.palette.empty());
        EXPECT_TRUE(p.bitmap == picture) << name;
    }
    for (const char* name : {"d.JPG", "e.jpeg"}) {
        const LoadedPicture p = LoadPictureFile(dir / name, codecs);
        ASSERT_TRUE(p.read) << name;
        EXPECT_EQ(p.format, PixelFormat::k24);
        EXPECT_EQ(p.bitmap.Width(), 5);
        EXPECT_EQ(p.bitmap.Height(), 3);
    }
}

TEST(LoadPictureFile, EveryReaderReportsPercentsUpToAHundredThenZero) {
    TJPEGImage jpeg;
    struct Recorder : Progress {
        int max = -1;
        std::vector<int> positions;
        void SetMax(int m) noexcept override { max = m; }
        void SetPosition(int p) noexcept override { positions.push_back(p); }
    };
    testing::TempDir dir;
    const Bitmap24 picture = testing::ColourfulPicture(40, 130);
    WriteBmp(dir / "a.bmp", picture.View(), PixelFormat::k24);
    Put(dir / "b.gif", EncodeGif(picture.View()));
    Put(dir / "c.ico", EncodeIcon(Bitmap24::CopyOf(picture.View()).View()));
    Put(dir / "d.jpg", TrueColourJpeg(picture));
    for (const char* name : {"a.bmp", "b.gif", "c.ico", "d.jpg"}) {
        Recorder recorder;
        ASSERT_TRUE(LoadPictureFile(dir / name, PictureCodecs{jpeg, &recorder}).read) << name;
        EXPECT_EQ(recorder.max, 100) << name;
        ASSERT_GE(recorder.positions.size(), 3u) << name;
        EXPECT_EQ(recorder.positions.back(), 0) << name;
        EXPECT_EQ(recorder.positions[recorder.positions.size() - 2], 100) << name;
        EXPECT_TRUE(std::is_sorted(recorder.positions.begin(), recorder.positions.end() - 1)) << name;
    }
}

TEST(LoadPictureFile, TheTargetIsAskedOnceForTheFinalSizeAndHoldsThePicture) {
    struct Counting : BitmapTarget {
        std::vector<std::pair<int, int>> asked;
        PixelView Allocate(int width, int height) override {
            asked.emplace_back(width, height);
            return BitmapTarget::Allocate(width, height);
        }
    };
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    const Bitmap24 picture = Small();
    WriteBmp(dir / "a.bmp", picture.View(), PixelFormat::k4);
    Put(dir / "b.gif", EncodeGif(picture.View()));
    Put(dir / "c.ico", EncodeIcon(picture.View()));
    Put(dir / "d.jpg", TrueColourJpeg(picture));
    testing::WriteRaw(dir / "e.bmp", "BM but nothing more");
    testing::WriteRaw(dir / "f.png", "whatever");
    const struct {
        const char* name;
        std::size_t asks;
    } files[] = {{"a.bmp", 1}, {"b.gif", 1}, {"c.ico", 1}, {"d.jpg", 1}, {"e.bmp", 0}, {"f.png", 0}};
    for (const auto& file : files) {
        Counting target;
        try {
            LoadPictureFile(dir / file.name, target, codecs);
        } catch (const std::exception&) {
        }
        ASSERT_EQ(target.asked.size(), file.asks) << file.name;
        if (file.asks == 0) continue;
        EXPECT_EQ(target.asked[0], std::make_pair(5, 3)) << file.name;
        if (file.name[0] != 'd') {
            EXPECT_TRUE(target.bitmap == picture) << file.name;
        }
    }
}

TEST(LoadPictureFile, AnyOtherExtensionLeavesThePictureUnchanged) {
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    const Bitmap24 picture = Small();
    WriteBmp(dir / "a.tif", picture.View(), PixelFormat::k24);  // a bitmap under another name
    WriteBmp(dir / "b.bmpx", picture.View(), PixelFormat::k24);
    const Bitmap24 before(7, 7, colors::kRed);
    for (const char* name : {"a.tif", "b.bmpx", "missing.wmf", "noextension"}) {
        Bitmap24 target = before;
        EXPECT_FALSE(LoadPictureFile(target, dir / name, codecs)) << name;
        EXPECT_TRUE(target == before) << name;
        EXPECT_FALSE(LoadPictureFile(dir / name, codecs).read);
    }
    Bitmap24 target = before;
    WriteBmp(dir / "c.BMP", picture.View(), PixelFormat::k24);
    EXPECT_TRUE(LoadPictureFile(target, dir / "c.BMP", codecs));
    EXPECT_TRUE(target == picture);
}

TEST(LoadPictureFile, ReadersErrorsReachTheCaller) {
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    testing::WriteRaw(dir / "bad.bmp", "hello");
    // A valid screen and the trailer, but no image.
    Put(dir / "bad.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'});
    testing::WriteRaw(dir / "bad.ico", std::string("\0\0\1\0\0\0", 6));
    testing::WriteRaw(dir / "bad.jpg", "not a jpeg at all");
    EXPECT_THROW(LoadPictureFile(dir / "bad.bmp", codecs), PictureFileError);
    try {
        LoadPictureFile(dir / "bad.gif", codecs);
        FAIL();
    } catch (const PictureFileError& e) {
        EXPECT_NE(std::string(e.what()).find("no readable image"), std::string::npos) << e.what();
    }
    EXPECT_THROW(LoadPictureFile(dir / "bad.ico", codecs), PictureFileError);
    testing::WriteRaw(dir / "empty.jpg", "");
    for (const char* name : {"bad.jpg", "empty.jpg"}) {
        try {
            LoadPictureFile(dir / name, codecs);
            FAIL() << name;
        } catch (const EJPEGException& e) {
            const std::string prefix = PathToUtf8(dir / name) + ": ";
            EXPECT_EQ(std::string(e.what()).substr(0, prefix.size()), prefix) << e.what();
            if (std::string(name) == "empty.jpg") {
                EXPECT_EQ(e.what(), prefix + "the file is empty");
            }
        }
    }
    EXPECT_TRUE(jpeg.Picture().Empty());
    EXPECT_THROW(LoadPictureFile(dir / "none.jpg", codecs), FileError);
    EXPECT_THROW(LoadPictureFile(dir / "none.gif", codecs), PictureFileError);
    Bitmap24 target(2, 2, colors::kBlue);
    EXPECT_THROW(LoadPictureFile(target, dir / "bad.bmp", codecs), PictureFileError);
    EXPECT_TRUE(target == Bitmap24(2, 2, colors::kBlue));
}

TEST(LoadGifFile, AFirstImageThatCannotBeDecodedWholeIsAnError) {
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    testing::GifBuilder size12;
    size12.Header().Screen(2, 1, {colors::kRed}).ImageWithCodes(0, 0, 2, 1, false, 12, {1}).Trailer();
    Put(dir / "a.gif", size12.bytes);
    try {
        LoadPictureFile(dir / "a.gif", codecs);
        FAIL();
    } catch (const PictureFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  PathToUtf8(dir / "a.gif") + ": image 1: LZW minimum code size 12 is outside 2..11");
    }
}

TEST(LoadJpegFile, AColourfulJpegArrivesWithAtMost256ColoursAndTheSharedObjectEmpties) {
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    const Bitmap24 picture = testing::ColourfulPicture(160, 120);
    const std::vector<std::uint8_t> file = TrueColourJpeg(picture);
    // Decoded in true colour it has far more colours than the routine keeps.
    JpegSettings trueColour;
    trueColour.NumOfColors = TNumOfColors::TrueColor;
    ASSERT_GT(testing::DistinctColours(DecodeJpeg(file, trueColour).picture.bitmap), 1000u);
    Put(dir / "c.jpg", file);
    BitmapTarget target;
    LoadJpegFile(dir / "c.jpg", target, codecs);
    const Bitmap24& loaded = target.bitmap;
    EXPECT_EQ(loaded.Width(), 160);
    EXPECT_EQ(loaded.Height(), 120);
    EXPECT_LE(testing::DistinctColours(loaded), 256u);
    EXPECT_GT(testing::DistinctColours(loaded), 64u);
    EXPECT_TRUE(jpeg.Picture().Empty());
    EXPECT_TRUE(jpeg.JpegData().empty());
    // The shared object keeps the class defaults.
    EXPECT_EQ(jpeg.NumOfColors(), TNumOfColors::_256);
    EXPECT_EQ(jpeg.Quality(), 75);
}

TEST(SaveJpegFile, WritesQuality75AndLeavesTheSharedObjectEmpty) {
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    const Bitmap24 picture = testing::SmoothPicture(64, 48);
    SaveJpegFile(picture.View(), dir / "out.jpg", codecs);
    EXPECT_TRUE(jpeg.Picture().Empty());
    const std::vector<std::uint8_t> written = ReadFileBytes(dir / "out.jpg");
    JpegSettings q75;
    q75.NumOfColors = TNumOfColors::TrueColor;
    EXPECT_EQ(written, EncodeJpeg(picture.View(), jpeg.Settings()));
    const JpegDecoded back = DecodeJpeg(written, q75);
    EXPECT_EQ(back.picture.bitmap.Width(), 64);
    // An unwritable target fails, and the object is empty all the same.
    EXPECT_THROW(SaveJpegFile(picture.View(), dir / "no" / "such" / "dir.jpg", codecs), FileError);
    EXPECT_TRUE(jpeg.Picture().Empty());
}

TEST(SavePictureFile, ChoosesTheWriterByTheUpperCasedExtension) {
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    const Bitmap24 picture = Small();
    const std::vector<Color> noPalette;
    SavePictureFile(dir / "a.gif", picture.View(), PixelFormat::k1, {}, codecs);
    SavePictureFile(dir / "b.ICO", picture.View(), PixelFormat::k1, {}, codecs);
    SavePictureFile(dir / "c.jPg", picture.View(), PixelFormat::k1, {}, codecs);
    SavePictureFile(dir / "d.JPEG", picture.View(), PixelFormat::k1, {}, codecs);
    SavePictureFile(dir / "e.bmp", picture.View(), PixelFormat::k4, {}, codecs);
    SavePictureFile(dir / "f.wmf", picture.View(), PixelFormat::k32, {}, codecs);

    EXPECT_TRUE(GifFirstFrameBitmap(*ReadGifFile(dir / "a.gif")).Value() == picture);
    EXPECT_TRUE(ReadIcon(dir / "b.ICO")->bitmap == picture);
    for (const char* name : {"c.jPg", "d.JPEG"}) {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(dir / name);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xD8);
    }
    EXPECT_EQ(ReadBmp(dir / "e.bmp")->format, PixelFormat::k4);
    EXPECT_EQ(ReadBmp(dir / "f.wmf")->format, PixelFormat::k32);
    EXPECT_TRUE(ReadBmp(dir / "f.wmf")->bitmap == picture);
}

TEST(SavePictureFile, AnIconAbove256IsRefusedAndNothingIsWritten) {
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    testing::TempDir dir;
    const Bitmap24 big(300, 20);
    try {
        SavePictureFile(dir / "big.ico", big.View(), PixelFormat::k24, {}, codecs);
        FAIL();
    } catch (const PictureFileError& e) {
        EXPECT_NE(std::string(e.what()).find("256 x 256"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "big.ico"));
    EXPECT_THROW(SavePictureFile(dir / "empty.gif", ConstPixelView(), PixelFormat::k24, {}, codecs), PictureFileError);
}

}  // namespace
}  // namespace kelbo
