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
using testing::WithSize;

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

TEST(JpegHostile, SidesAboveTheLibrarysLimitAreItsToRefuse) {
    // The picture limits are tested for every reader in picture_limits_test.cpp.
    const auto jpeg = EncodeWithLibrary(ColourfulPicture(16, 16));
    EXPECT_EQ(DecodeError(WithSize(jpeg, 65535, 100)), "Maximum supported image dimension is 65500 pixels");
}

TEST(JpegHostile, AHugeHeaderOverTinyDataEndsAtOnceWithWarnings) {
    const auto jpeg = WithSize(EncodeWithLibrary(ColourfulPicture(16, 16)), 9000, 9000);
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

// A progressive header of the largest picture over a small file, padded so
// it is not refused as too short: the coefficients fit the library's memory
// cap, and the first scan soon breaks off with a warning, where decoding stops.
TEST(JpegHostile, AProgressiveHeaderOverTinyDataStopsAtTheFirstWarning) {
    LibraryJpegOptions options;
    options.progressive = true;
    auto huge = WithSize(EncodeWithLibrary(ColourfulPicture(16, 16), options), 65500, 1365);
    huge.resize(huge.size() + 200000, 0);
    EXPECT_EQ(DecodeError(huge, TNumOfColors::TrueColor), "There are warnings");
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

TEST(JpegHostile, MoreThan100ScansAreRefused) {
    LibraryJpegOptions options;
    options.grayscale = true;
    const std::vector<jpeg_scan_info> all = RefiningEveryCoefficient(1);
    ASSERT_EQ(all.size(), 128u);
    for (const auto& [scans, error] : {std::pair<std::size_t, std::string>{100, ""},
                                       {101, "JPEG data has too many scans (more than 100)"},
                                       {128, "JPEG data has too many scans (more than 100)"}}) {
        // Coefficients a truncated script never sends stay zero.
        options.scans.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(scans));
        const auto jpeg = EncodeWithLibrary(ColourfulPicture(16, 16), options);
        ASSERT_FALSE(jpeg.empty()) << scans;
        EXPECT_EQ(DecodeError(jpeg), error) << scans;
    }
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
