#include "codecs/jpeg_parameters.h"

#include <gtest/gtest.h>

#include <memory>

#include "codecs/jpeg_test_files.h"

namespace kelbo {
namespace {

// A decompression object that has read a header, so its fields hold what
// jpeg_read_header leaves there. Valid data only: the library's own error
// handler would end the program.
class HeaderRead {
public:
    explicit HeaderRead(bool applyBefore = false, const JpegSettings& before = {}) {
        cinfo_.err = jpeg_std_error(&err_);
        jpeg_create_decompress(&cinfo_);
        if (applyBefore) ApplyDecodingParameters(before, cinfo_);
        jpeg_mem_src(&cinfo_, jpeg_.data(), static_cast<unsigned long>(jpeg_.size()));
        jpeg_read_header(&cinfo_, TRUE);
    }
    ~HeaderRead() { jpeg_destroy_decompress(&cinfo_); }
    HeaderRead(const HeaderRead&) = delete;
    HeaderRead& operator=(const HeaderRead&) = delete;

    jpeg_decompress_struct& operator*() { return cinfo_; }
    jpeg_decompress_struct* operator->() { return &cinfo_; }

private:
    std::vector<std::uint8_t> jpeg_ = testing::EncodeWithLibrary(testing::ColourfulPicture(16, 16));
    jpeg_error_mgr err_{};
    jpeg_decompress_struct cinfo_{};
};

HeaderRead& Applied(HeaderRead& c, const JpegSettings& settings) {
    ApplyDecodingParameters(settings, *c);
    return c;
}

TEST(JpegDecodingParameters, ConstructorValues) {
    HeaderRead c;
    Applied(c, JpegSettings{});
    EXPECT_TRUE(c->quantize_colors);
    EXPECT_EQ(c->desired_number_of_colors, 256);
    EXPECT_TRUE(c->two_pass_quantize);
    EXPECT_EQ(c->dither_mode, JDITHER_FS);
    EXPECT_EQ(c->dct_method, JDCT_ISLOW);
    EXPECT_TRUE(c->do_fancy_upsampling);
    EXPECT_EQ(c->out_color_space, JCS_RGB);
}

TEST(JpegDecodingParameters, NumberOfColours) {
    HeaderRead c;
    Applied(c, JpegSettings{.NumOfColors = TNumOfColors::_16});
    EXPECT_TRUE(c->quantize_colors);
    EXPECT_EQ(c->desired_number_of_colors, 16);
    Applied(c, JpegSettings{.NumOfColors = TNumOfColors::TrueColor});
    EXPECT_FALSE(c->quantize_colors);
}

TEST(JpegDecodingParameters, DctMethodsAndDithering) {
    HeaderRead c;
    Applied(c, JpegSettings{.DCTMethod = TDCTMethod::FastInteg, .Dither = TDither::None});
    EXPECT_EQ(c->dct_method, JDCT_IFAST);
    EXPECT_EQ(c->dither_mode, JDITHER_NONE);
    Applied(c, JpegSettings{.DCTMethod = TDCTMethod::FloatingPoint, .Dither = TDither::Ordered});
    EXPECT_EQ(c->dct_method, JDCT_FLOAT);
    EXPECT_EQ(c->dither_mode, JDITHER_ORDERED);
    Applied(c, JpegSettings{.DCTMethod = TDCTMethod::Integ, .Dither = TDither::FS});
    EXPECT_EQ(c->dct_method, JDCT_ISLOW);
    EXPECT_EQ(c->dither_mode, JDITHER_FS);
}

TEST(JpegDecodingParameters, FastProcessingWithTrueColorAsks216ColoursButDoesNotQuantise) {
    HeaderRead c;
    Applied(c, JpegSettings{.NumOfColors = TNumOfColors::TrueColor, .FastProcessing = true});
    EXPECT_FALSE(c->quantize_colors);
    EXPECT_EQ(c->desired_number_of_colors, 216);
    EXPECT_FALSE(c->two_pass_quantize);
    EXPECT_EQ(c->dither_mode, JDITHER_ORDERED);
    EXPECT_EQ(c->dct_method, JDCT_IFAST);
    EXPECT_FALSE(c->do_fancy_upsampling);
}

TEST(JpegDecodingParameters, FastProcessingKeepsAQuantisingColourCount) {
    HeaderRead c;
    Applied(c, JpegSettings{.NumOfColors = TNumOfColors::_16, .FastProcessing = true});
    EXPECT_TRUE(c->quantize_colors);
    EXPECT_EQ(c->desired_number_of_colors, 16);
    Applied(c, JpegSettings{.NumOfColors = TNumOfColors::_256, .FastProcessing = true});
    EXPECT_EQ(c->desired_number_of_colors, 256);
}

TEST(JpegDecodingParameters, FastProcessingOverridesTheRowsBeforeIt) {
    HeaderRead c;
    Applied(c, JpegSettings{.DCTMethod = TDCTMethod::FloatingPoint, .Dither = TDither::None, .FastProcessing = true});
    EXPECT_EQ(c->dct_method, JDCT_IFAST);
    EXPECT_EQ(c->dither_mode, JDITHER_ORDERED);
}

TEST(JpegDecodingParameters, GrayScaleNoSmoothOnePass) {
    HeaderRead c;
    Applied(c, JpegSettings{.GrayScale = true});
    EXPECT_EQ(c->out_color_space, JCS_GRAYSCALE);
    EXPECT_TRUE(c->do_fancy_upsampling);
    EXPECT_TRUE(c->two_pass_quantize);
    HeaderRead d;
    Applied(d, JpegSettings{.NoSmooth = true});
    EXPECT_FALSE(d->do_fancy_upsampling);
    EXPECT_TRUE(d->two_pass_quantize);
    EXPECT_EQ(d->out_color_space, JCS_RGB);
    HeaderRead e;
    Applied(e, JpegSettings{.OnePass = true});
    EXPECT_FALSE(e->two_pass_quantize);
    EXPECT_TRUE(e->do_fancy_upsampling);
}

// Why the table is applied again after the header.
TEST(JpegDecodingParameters, ReadingTheHeaderResetsThem) {
    const JpegSettings settings{.NumOfColors = TNumOfColors::_16, .DCTMethod = TDCTMethod::FloatingPoint};
    HeaderRead c(true, settings);
    EXPECT_FALSE(c->quantize_colors);
    EXPECT_EQ(c->dct_method, JDCT_ISLOW);
    Applied(c, settings);
    EXPECT_TRUE(c->quantize_colors);
    EXPECT_EQ(c->dct_method, JDCT_FLOAT);
}

class Compressor {
public:
    Compressor() {
        cinfo_.err = jpeg_std_error(&err_);
        jpeg_create_compress(&cinfo_);
        cinfo_.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo_);
        cinfo_.image_width = 8;
        cinfo_.image_height = 8;
        cinfo_.input_components = 3;
    }
    ~Compressor() { jpeg_destroy_compress(&cinfo_); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
    jpeg_compress_struct* operator->() { return &cinfo_; }
    jpeg_compress_struct& operator*() { return cinfo_; }

private:
    jpeg_error_mgr err_{};
    jpeg_compress_struct cinfo_{};
};

TEST(JpegEncodingParameters, ConstructorValues) {
    Compressor c;
    ApplyEncodingParameters(JpegSettings{}, *c);
    EXPECT_EQ(c->jpeg_color_space, JCS_YCbCr);
    EXPECT_EQ(c->num_components, 3);
    EXPECT_EQ(c->dct_method, JDCT_ISLOW);
    EXPECT_TRUE(c->optimize_coding);
    EXPECT_EQ(c->scan_info, nullptr);
    Compressor q75;
    jpeg_set_quality(&*q75, 75, FALSE);
    for (int i = 0; i < DCTSIZE2; ++i) {
        EXPECT_EQ(c->quant_tbl_ptrs[0]->quantval[i], q75->quant_tbl_ptrs[0]->quantval[i]);
    }
}

TEST(JpegEncodingParameters, GreyFastLowQualityProgressive) {
    Compressor c;
    ApplyEncodingParameters(JpegSettings{.DCTMethod = TDCTMethod::FloatingPoint,
                                         .FastProcessing = true,
                                         .GrayScale = true,
                                         .Quality = 3,
                                         .Progressive = true},
                            *c);
    EXPECT_EQ(c->jpeg_color_space, JCS_GRAYSCALE);
    EXPECT_EQ(c->num_components, 1);
    EXPECT_EQ(c->dct_method, JDCT_FLOAT);
    EXPECT_FALSE(c->optimize_coding);
    EXPECT_NE(c->scan_info, nullptr);
    EXPECT_EQ(c->num_scans, 6);  // the library's simple script for one component
    // Not forced to baseline: quality 3 needs values above 255.
    EXPECT_GT(c->quant_tbl_ptrs[0]->quantval[DCTSIZE2 - 1], 255);
}

TEST(JpegEncodingParameters, ProgressiveColourScript) {
    Compressor c;
    ApplyEncodingParameters(JpegSettings{.DCTMethod = TDCTMethod::FastInteg, .Progressive = true}, *c);
    EXPECT_EQ(c->dct_method, JDCT_IFAST);
    EXPECT_EQ(c->num_scans, 10);
}

}  // namespace
}  // namespace kelbo
