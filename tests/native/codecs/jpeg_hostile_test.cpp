#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "codecs/jpeg_image.h"
#include "codecs/jpeg_test_files.h"
#include "core/text_encoding.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

using testing::ColourfulPicture;
using testing::EncodeWithLibrary;
using testing::LibraryJpegOptions;

// Offset of the frame header's height field (after FFCx, length, precision).
std::size_t FrameSizeOffset(const std::vector<std::uint8_t>& jpeg) {
    std::size_t i = 2;
    while (i + 4 < jpeg.size() && jpeg[i] == 0xFF) {
        const int marker = jpeg[i + 1];
        const std::size_t length = jpeg[i + 2] * 256u + jpeg[i + 3];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            return i + 5;
        }
        i += 2 + length;
    }
    ADD_FAILURE() << "no frame header";
    return 0;
}

std::vector<std::uint8_t> WithSize(std::vector<std::uint8_t> jpeg, int width, int height) {
    const std::size_t at = FrameSizeOffset(jpeg);
    jpeg[at] = static_cast<std::uint8_t>(height >> 8);
    jpeg[at + 1] = static_cast<std::uint8_t>(height);
    jpeg[at + 2] = static_cast<std::uint8_t>(width >> 8);
    jpeg[at + 3] = static_cast<std::uint8_t>(width);
    return jpeg;
}

std::string DecodeError(const std::vector<std::uint8_t>& jpeg, TNumOfColors colours = TNumOfColors::_256) {
    TJPEGImage image;
    image.SetNumOfColors(colours);
    try {
        image.LoadFromBytes(jpeg);
    } catch (const EJPEGException& e) {
        return e.what();
    }
    return "";
}

double SecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(JpegHostile, SidesAboveThePixelLimitAreRefusedBeforeDecoding) {
    const auto jpeg = EncodeWithLibrary(ColourfulPicture(16, 16));
    for (const auto& [w, h] : {std::pair{65500, 65500}, std::pair{20000, 15000}}) {
        const std::string error = DecodeError(WithSize(jpeg, w, h));
        EXPECT_NE(error.find("JPEG picture too large: " + std::to_string(w) + " x " + std::to_string(h)),
                  std::string::npos)
            << error;
    }
    // Beyond 65500 the library refuses first.
    EXPECT_EQ(DecodeError(WithSize(jpeg, 65535, 100)), "Maximum supported image dimension is 65500 pixels");
}

TEST(JpegHostile, AHugeHeaderOverTinyDataEndsAtOnceWithWarnings) {
    const auto jpeg = WithSize(EncodeWithLibrary(ColourfulPicture(16, 16)), 16000, 16000);
    for (TNumOfColors colours : {TNumOfColors::_256, TNumOfColors::TrueColor}) {
        std::string error;
        const double seconds = SecondsOf([&] { error = DecodeError(jpeg, colours); });
        EXPECT_EQ(error, "There are warnings");
        EXPECT_LT(seconds, 1.0);
    }
}

TEST(JpegHostile, AHugeArithmeticHeaderOverTinyDataIsRefused) {
    const auto small = EncodeWithLibrary(ColourfulPicture(16, 16), {.arithmetic = true});
    ASSERT_FALSE(small.empty());
    EXPECT_EQ(DecodeError(small), "");
    const auto jpeg = WithSize(small, 8000, 8000);
    std::string error;
    const double seconds = SecondsOf([&] { error = DecodeError(jpeg); });
    EXPECT_EQ(error, "Arithmetic-coded JPEG picture of 8000 x 8000 pixels from only " + std::to_string(jpeg.size()) +
                         " bytes of data");
    EXPECT_LT(seconds, 1.0);
    // Up to 2^24 pixels need no data to speak of.
    EXPECT_EQ(DecodeError(WithSize(small, 4096, 4096)), "There are warnings");
}

// A progressive header of 16000 x 16000 over a small file, padded so it is
// not refused as too short: the library would want 1.5 GB of whole-image
// buffers for two-pass quantisation.
TEST(JpegHostile, TheLibrarysWholeImageBuffersAreCapped) {
    LibraryJpegOptions options;
    options.progressive = true;
    auto huge = WithSize(EncodeWithLibrary(ColourfulPicture(16, 16), options), 16000, 16000);
    huge.resize(huge.size() + 200000, 0);
    std::string error;
    double seconds = SecondsOf([&] { error = DecodeError(huge); });
    EXPECT_EQ(error, "JPEG picture needs more memory than allowed (1024 MiB)");
    EXPECT_LT(seconds, 1.0);
    // Without quantisation the coefficients alone fit; the first scan soon
    // breaks off with a warning, and decoding stops there.
    seconds = SecondsOf([&] { error = DecodeError(huge, TNumOfColors::TrueColor); });
    EXPECT_EQ(error, "There are warnings");
    EXPECT_LT(seconds, 1.0);
}

std::vector<jpeg_scan_info> RefiningEveryCoefficient(int components) {
    std::vector<jpeg_scan_info> scans;
    jpeg_scan_info dc{};
    dc.comps_in_scan = components;
    for (int c = 0; c < components; ++c) dc.component_index[c] = c;
    dc.Al = 1;
    scans.push_back(dc);
    dc.Ah = 1;
    dc.Al = 0;
    scans.push_back(dc);
    for (int c = 0; c < components; ++c) {
        for (int k = 1; k < 64; ++k) {
            jpeg_scan_info ac{};
            ac.comps_in_scan = 1;
            ac.component_index[0] = c;
            ac.Ss = ac.Se = k;
            ac.Al = 1;
            scans.push_back(ac);
            ac.Ah = 1;
            ac.Al = 0;
            scans.push_back(ac);
        }
    }
    return scans;
}

TEST(JpegHostile, TooManyScansAreRefused) {
    LibraryJpegOptions options;
    options.scans = RefiningEveryCoefficient(3);
    ASSERT_EQ(options.scans.size(), 380u);
    const auto many = EncodeWithLibrary(ColourfulPicture(16, 16), options);
    ASSERT_FALSE(many.empty());
    EXPECT_EQ(DecodeError(many), "JPEG data has too many scans (more than 256)");

    options.grayscale = true;
    options.scans = RefiningEveryCoefficient(1);
    ASSERT_EQ(options.scans.size(), 128u);
    const auto fewer = EncodeWithLibrary(ColourfulPicture(16, 16), options);
    EXPECT_EQ(DecodeError(fewer), "");
}

TEST(JpegHostile, ZeroSidesAreAnError) {
    const auto jpeg = EncodeWithLibrary(ColourfulPicture(16, 16));
    EXPECT_NE(DecodeError(WithSize(jpeg, 0, 16)), "");
    EXPECT_NE(DecodeError(WithSize(jpeg, 16, 0)), "");
}

TEST(JpegHostile, AnOversizedFileIsRefusedWithoutReadingIt) {
    testing::TempDir dir;
    const auto path = dir / "huge.jpg";
    { std::ofstream(path, std::ios::binary).put('\xFF'); }
    std::filesystem::resize_file(path, kMaxJpegFileBytes + 1);  // sparse
    TJPEGImage image;
    try {
        image.LoadFromFile(path);
        FAIL() << "no exception";
    } catch (const EJPEGException& e) {
        EXPECT_NE(std::string(e.what()).find("JPEG file too large"), std::string::npos) << e.what();
    }
}

// Damaged files give a picture or an EJPEGException, nothing else.
class JpegDamagedCorpus : public ::testing::Test {
protected:
    static std::vector<std::vector<std::uint8_t>> Originals() {
        const Bitmap24 picture = ColourfulPicture(40, 24);
        std::vector<std::vector<std::uint8_t>> files;
        files.push_back(EncodeWithLibrary(picture));
        files.push_back(EncodeWithLibrary(picture, {.progressive = true}));
        files.push_back(EncodeWithLibrary(picture, {.quality = 95, .optimize = true, .grayscale = true}));
        files.push_back(EncodeWithLibrary(picture, {.quality = 50, .restartRows = 1, .comments = {"x"}}));
        for (const auto& f : files) EXPECT_FALSE(f.empty());
        return files;
    }

    void Check(const std::vector<std::uint8_t>& bytes) {
        for (TNumOfColors colours : {TNumOfColors::_256, TNumOfColors::TrueColor}) {
            TJPEGImage image;
            image.SetNumOfColors(colours);
            try {
                image.LoadFromBytes(bytes);
                ++pictures_;
                ASSERT_FALSE(image.Picture().Empty());
            } catch (const EJPEGException&) {
                ++errors_;
            }
        }
    }

    int pictures_ = 0;
    int errors_ = 0;
};

TEST_F(JpegDamagedCorpus, TruncatedAtEverySeventhByte) {
    for (const auto& file : Originals()) {
        for (std::size_t size = 7; size < file.size(); size += 7) {
            Check(std::vector<std::uint8_t>(file.begin(), file.begin() + size));
        }
    }
    EXPECT_GT(errors_, 100);
}

TEST_F(JpegDamagedCorpus, SeededByteFlips) {
    std::mt19937 random(20240611);
    for (const auto& file : Originals()) {
        for (int variant = 0; variant < 300; ++variant) {
            std::vector<std::uint8_t> bytes = file;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < flips; ++i) {
                // Half the flips in the first 200 bytes, where the headers are.
                const std::size_t span = (random() % 2 == 0) ? std::min<std::size_t>(200, bytes.size()) : bytes.size();
                bytes[random() % span] ^= static_cast<std::uint8_t>(1 + random() % 255);
            }
            Check(bytes);
        }
    }
    EXPECT_GT(errors_, 100);
    EXPECT_GT(pictures_, 0);
}

}  // namespace
}  // namespace kelbo
