#pragma once

// JPEG files for the tests, made and read with the bare library, so the class
// is compared with the library it drives.

#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <jpeglib.h>

#include "core/bitmap24.h"

namespace kelbo::testing {

// Smooth colour ramps plus a little texture: thousands of distinct colours.
inline Bitmap24 ColourfulPicture(int width, int height) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = static_cast<std::uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));    // blue
            p[1] = static_cast<std::uint8_t>(y * 255 / (height > 1 ? height - 1 : 1));  // green
            p[2] = static_cast<std::uint8_t>(((x + y) * 4 + (x * y) % 7) & 0xFF);       // red
        }
    }
    return picture;
}

// Gentle ramps only, which JPEG keeps closely.
inline Bitmap24 SmoothPicture(int width, int height) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = static_cast<std::uint8_t>(x * 255 / (width - 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / (height - 1));
            p[2] = static_cast<std::uint8_t>((x + y) * 255 / (width + height - 2));
        }
    }
    return picture;
}

inline std::size_t DistinctColours(const Bitmap24& picture) {
    std::set<std::uint32_t> colours;
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            colours.insert(p[0] | (p[1] << 8) | (p[2] << 16));
        }
    }
    return colours.size();
}

struct LibraryJpegOptions {
    int quality = 75;
    bool progressive = false;
    bool optimize = false;
    J_DCT_METHOD dct = JDCT_ISLOW;
    bool grayscale = false;     // one-component file
    bool cmyk = false;          // four-component CMYK file: red, green, blue as inks
    int cmykBlack = 200;        // the fourth ink
    bool adobeMarker = true;    // CMYK with Adobe's APP14 marker, which says the inks...
    bool invertedInks = false;  // ...are stored as 255 - ink, as Adobe's writers do
    bool ycck = false;          // CMYK stored as YCCK (always with the marker)
    bool arithmetic = false;
    int restartRows = 0;
    std::vector<std::string> comments{};
    std::vector<jpeg_scan_info> scans{};  // a scan script of one's own
};

struct LibraryJmp {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

inline void LibraryErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<LibraryJmp*>(cinfo->err)->jump, 1); }

inline void LibraryQuiet(j_common_ptr) {}

// State the library touches lives on the heap, created before setjmp.
struct LibraryEncodeState {
    LibraryJmp err{};
    jpeg_compress_struct cinfo{};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    std::vector<std::uint8_t> row;
    ~LibraryEncodeState() {
        jpeg_destroy_compress(&cinfo);
        std::free(out);
    }
};

inline void LibraryEncodeRun(LibraryEncodeState& s, const Bitmap24& picture, const LibraryJpegOptions& o) {
    jpeg_compress_struct& c = s.cinfo;
    c.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = LibraryErrorExit;
    s.err.pub.output_message = LibraryQuiet;
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &s.out, &s.outSize);
    c.image_width = static_cast<JDIMENSION>(picture.Width());
    c.image_height = static_cast<JDIMENSION>(picture.Height());
    c.input_components = o.cmyk ? 4 : 3;
    c.in_color_space = o.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    if (o.grayscale) jpeg_set_colorspace(&c, JCS_GRAYSCALE);
    if (o.cmyk && o.ycck) jpeg_set_colorspace(&c, JCS_YCCK);
    if (o.cmyk && !o.adobeMarker) c.write_Adobe_marker = FALSE;
    c.arith_code = o.arithmetic ? TRUE : FALSE;
    c.dct_method = o.dct;
    c.optimize_coding = o.optimize ? TRUE : FALSE;
    c.restart_in_rows = o.restartRows;
    jpeg_set_quality(&c, o.quality, FALSE);
    if (o.progressive) jpeg_simple_progression(&c);
    if (!o.scans.empty()) {
        c.scan_info = o.scans.data();
        c.num_scans = static_cast<int>(o.scans.size());
    }
    jpeg_start_compress(&c, TRUE);
    for (const std::string& text : o.comments) {
        jpeg_write_marker(&c, JPEG_COM, reinterpret_cast<const JOCTET*>(text.data()),
                          static_cast<unsigned>(text.size()));
    }
    s.row.resize(static_cast<std::size_t>(picture.Width()) * 4);
    while (c.next_scanline < c.image_height) {
        const std::uint8_t* p = picture.Row(static_cast<int>(c.next_scanline));
        for (int x = 0; x < picture.Width(); ++x, p += 3) {
            if (o.cmyk) {
                const std::uint8_t flip = o.invertedInks ? 255 : 0;
                s.row[4 * x] = p[2] ^ flip;
                s.row[4 * x + 1] = p[1] ^ flip;
                s.row[4 * x + 2] = p[0] ^ flip;
                s.row[4 * x + 3] = static_cast<std::uint8_t>(o.cmykBlack) ^ flip;
            } else {
                s.row[3 * x] = p[2];
                s.row[3 * x + 1] = p[1];
                s.row[3 * x + 2] = p[0];
            }
        }
        JSAMPROW row = s.row.data();
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
}

// The picture as a JPEG file, from RGB rows as the library's examples feed
// them. Empty when the library failed.
inline std::vector<std::uint8_t> EncodeWithLibrary(const Bitmap24& picture, const LibraryJpegOptions& options = {}) {
    const auto s = std::make_unique<LibraryEncodeState>();
    if (setjmp(s->err.jump) != 0) return {};
    LibraryEncodeRun(*s, picture, options);
    return std::vector<std::uint8_t>(s->out, s->out + s->outSize);
}

struct LibraryDecoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    int components = 0;                        // per output sample
    std::vector<std::uint8_t> samples;         // rows packed, as the library gives them
    std::vector<std::array<int, 3>> colormap;  // RGB (grey repeated) when quantised
    long warnings = 0;
    bool progressive = false;
    int jpegComponents = 0;
};

struct LibraryDecodeState {
    LibraryJmp err{};
    jpeg_decompress_struct cinfo{};
    LibraryDecoded result;
    ~LibraryDecodeState() { jpeg_destroy_decompress(&cinfo); }
};

using LibraryConfigure = std::function<void(jpeg_decompress_struct&)>;

inline void LibraryDecodeRun(LibraryDecodeState& s, const std::vector<std::uint8_t>& data,
                             const LibraryConfigure& configure) {
    jpeg_decompress_struct& c = s.cinfo;
    c.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = LibraryErrorExit;
    s.err.pub.output_message = LibraryQuiet;
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&c, TRUE);
    if (configure) configure(c);
    jpeg_start_decompress(&c);
    LibraryDecoded& r = s.result;
    r.width = static_cast<int>(c.output_width);
    r.height = static_cast<int>(c.output_height);
    r.components = c.output_components;
    r.progressive = c.progressive_mode != 0;
    r.jpegComponents = c.num_components;
    if (c.quantize_colors) {
        for (int i = 0; i < c.actual_number_of_colors; ++i) {
            const int grey = c.colormap[0][i];
            if (c.out_color_components == 3) {
                r.colormap.push_back({grey, c.colormap[1][i], c.colormap[2][i]});
            } else {
                r.colormap.push_back({grey, grey, grey});
            }
        }
    }
    const std::size_t stride = static_cast<std::size_t>(r.width) * r.components;
    r.samples.resize(stride * r.height);
    while (c.output_scanline < c.output_height) {
        JSAMPROW row = r.samples.data() + stride * c.output_scanline;
        jpeg_read_scanlines(&c, &row, 1);
    }
    jpeg_finish_decompress(&c);
    r.warnings = s.err.pub.num_warnings;
    r.ok = true;
}

inline LibraryDecoded DecodeWithLibrary(const std::vector<std::uint8_t>& data, const LibraryConfigure& configure = {}) {
    const auto s = std::make_unique<LibraryDecodeState>();
    if (setjmp(s->err.jump) != 0) return {};
    LibraryDecodeRun(*s, data, configure);
    return std::move(s->result);
}

// Offset of the frame header's height field (after FFCx, length, precision).
inline std::size_t FrameSizeOffset(const std::vector<std::uint8_t>& jpeg) {
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

inline std::vector<std::uint8_t> WithSize(std::vector<std::uint8_t> jpeg, int width, int height) {
    const std::size_t at = FrameSizeOffset(jpeg);
    jpeg[at] = static_cast<std::uint8_t>(height >> 8);
    jpeg[at + 1] = static_cast<std::uint8_t>(height);
    jpeg[at + 2] = static_cast<std::uint8_t>(width >> 8);
    jpeg[at + 3] = static_cast<std::uint8_t>(width);
    return jpeg;
}

}  // namespace kelbo::testing
