#include "codecs/jpeg_coding.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <new>
#include <string>
#include <utility>

#include "codecs/bmp_palette.h"
#include "codecs/jpeg_parameters.h"
#include "core/file_io.h"
#include "core/luminance.h"

// After jpeglib.h (it needs its types).
#include <jerror.h>

// jconfig.h (through jpeglib.h) says what the library was built with.
#ifndef D_ARITH_CODING_SUPPORTED
#error "libjpeg must be built with arithmetic decoding (libjpeg-turbo: WITH_ARITH_DEC=ON)"
#endif

namespace kelbo {
namespace {

// How library errors come back to us.
//
// The library reports an error by calling error_exit, which must not return.
// Ours copies the message and longjmps to the jump point set in DecodeJpeg /
// EncodeJpeg, which then throws EJPEGException. Throwing straight from
// error_exit would unwind C++ exceptions through the library's C frames; that
// works only where the library was built with unwind tables (not promised for
// the static mingw builds, and never for its assembly), so we jump instead.
//
// longjmp skips frames without running destructors, so the code obeys:
//  - Everything the coding touches lives in a heap Session created before
//    setjmp; the function calling setjmp changes none of its locals after it.
//  - Our frames the jump may skip (Run*, Apply*Parameters, the callbacks)
//    hold no object with a destructor while they call into the library.
//  - No C++ exception enters the library: callbacks catch what they may
//    throw and report it through error_exit.
// C++ exceptions thrown by our own code between library calls (limits,
// allocation, the progress callback) unwind only our frames, which is safe;
// the Session's destructor then destroys the library object.

#ifdef JCS_EXTENSIONS
// The BMP writer and reader of the library's sample programs swap RGB and
// BGR; libjpeg-turbo reads and writes BGR itself, giving the same samples
// without a copy.
constexpr J_COLOR_SPACE kBgr = JCS_EXT_BGR;
constexpr bool kLibraryDoesBgr = true;
#else
constexpr J_COLOR_SPACE kBgr = JCS_RGB;
constexpr bool kLibraryDoesBgr = false;
#endif

// setjmp's results after a jump.
constexpr int kJumpError = 1;
constexpr int kJumpWarned = 2;

struct ErrorManager {
    jpeg_error_mgr pub;  // first, so the library's jpeg_error_mgr* is ours too
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

ErrorManager& Errors(j_common_ptr cinfo) { return *reinterpret_cast<ErrorManager*>(cinfo->err); }

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    ErrorManager& err = Errors(cinfo);
    if (cinfo->err->msg_code == JERR_NO_BACKING_STORE) {
        // The library's words for "over max_memory_to_use" would puzzle a user.
        std::snprintf(err.message, sizeof err.message, "JPEG picture needs more memory than allowed (%ld MiB)",
                      kMaxJpegLibraryMemory >> 20);
    } else {
        (*cinfo->err->format_message)(cinfo, err.message);
    }
    std::longjmp(err.jump, kJumpError);
}

[[noreturn]] void FailWith(j_common_ptr cinfo, const char* text) {
    ErrorManager& err = Errors(cinfo);
    std::snprintf(err.message, sizeof err.message, "%s", text);
    std::longjmp(err.jump, kJumpError);
}

// A window program has no console: warnings are only counted (emit_message
// still increments num_warnings).
void OutputNothing(j_common_ptr) {}

void InstallErrorManager(ErrorManager& err, j_common_ptr cinfo) {
    cinfo->err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputNothing;
    err.pub.trace_level = 0;
}

// ---- decoding ----

// CMYK and YCCK files: the library gives their inks (it converts YCCK to
// CMYK) but converts them to no other colour space, and so cannot quantise
// them either. We convert the inks to RGB and reduce the colours ourselves,
// with what the settings asked the library for.
struct InkPlan {
    bool active = false;
    bool inverted = false;  // Adobe's writers store 255 - ink, and say so with their APP14 marker
    bool grey = false;
    bool quantise = false;
    int colours = 0;       // 16 or 256 when quantising
    bool diffuse = false;  // Floyd-Steinberg; ordered dithering is not offered here
};

struct DecodeSession {
    ErrorManager err{};
    jpeg_decompress_struct cinfo{};
    jpeg_source_mgr source{};
    jpeg_progress_mgr monitor{};
    BgrTable bgrOfIndex{};
    InkPlan inks;
    std::vector<std::uint8_t> inkRow;
    PictureTarget* target = nullptr;  // null: the indices alone (DecodeJpegIndices)
    const JpegIndexRows* indexRows = nullptr;
    PixelView view;
    // Palette indices: the whole picture's when the caller keeps them, else a row.
    std::vector<std::uint8_t>* keptIndices = nullptr;
    std::vector<std::uint8_t> indexRow;
    JpegDecodeInfo result;

    DecodeSession() = default;
    DecodeSession(const DecodeSession&) = delete;
    DecodeSession& operator=(const DecodeSession&) = delete;
    ~DecodeSession() { jpeg_destroy_decompress(&cinfo); }
};

DecodeSession& Session(j_decompress_ptr cinfo) { return *static_cast<DecodeSession*>(cinfo->client_data); }

const JOCTET kFakeEoi[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr) {}

// Called only when the data has run out: as the library's own file source
// does, warn and hand over an end-of-image marker, so a truncated file
// decodes with a warning instead of waiting for more.
boolean FillInputBuffer(j_decompress_ptr cinfo) {
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = kFakeEoi;
    cinfo->src->bytes_in_buffer = 2;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long numBytes) {
    if (numBytes <= 0) return;
    jpeg_source_mgr* src = cinfo->src;
    if (static_cast<unsigned long>(numBytes) > src->bytes_in_buffer) {
        FillInputBuffer(cinfo);  // skipping past the end leaves only the fake marker
        return;
    }
    src->next_input_byte += numBytes;
    src->bytes_in_buffer -= static_cast<std::size_t>(numBytes);
}

void TermSource(j_decompress_ptr) {}

void AttachSource(DecodeSession& s, std::span<const std::uint8_t> data) {
    s.source.init_source = InitSource;
    s.source.fill_input_buffer = FillInputBuffer;
    s.source.skip_input_data = SkipInputData;
    s.source.resync_to_restart = jpeg_resync_to_restart;
    s.source.term_source = TermSource;
    s.source.next_input_byte = data.data();
    s.source.bytes_in_buffer = data.size();
    s.cinfo.src = &s.source;
}

// Enough for any real file; a file of millions of empty markers must not
// turn into millions of strings.
constexpr std::size_t kMaxKeptComments = 256;

bool AddComment(DecodeSession& s, const JOCTET* bytes, std::size_t count) noexcept {
    if (s.result.comments.size() >= kMaxKeptComments) return true;
    try {
        s.result.comments.emplace_back(reinterpret_cast<const char*>(bytes), count);
        return true;
    } catch (...) {
        return false;
    }
}

int NextByte(j_decompress_ptr cinfo) {
    jpeg_source_mgr* src = cinfo->src;
    if (src->bytes_in_buffer == 0) (*src->fill_input_buffer)(cinfo);
    --src->bytes_in_buffer;
    return *src->next_input_byte++;
}

// COM marker: a 2-byte big-endian length that counts itself, then the text.
// The text is kept (as much of it as the data holds, for the first
// kMaxKeptComments markers) and skipped.
boolean ReadCommentMarker(j_decompress_ptr cinfo) {
    const int high = NextByte(cinfo);
    const long length = high * 256L + NextByte(cinfo) - 2;
    if (length < 0) ERREXIT(cinfo, JERR_BAD_LENGTH);
    const std::size_t present = std::min(static_cast<std::size_t>(length), cinfo->src->bytes_in_buffer);
    if (!AddComment(Session(cinfo), cinfo->src->next_input_byte, present)) {
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    }
    (*cinfo->src->skip_input_data)(cinfo, length);
    return TRUE;
}

// Called by the library all through decoding, also inside
// jpeg_start_decompress, which reads every scan of a multi-scan file and
// makes the first pass of two-pass quantisation.
//  - Every scan of a progressive file walks the whole coefficient buffer, so
//    a file of many tiny scans could keep us busy for minutes.
//  - After the first warning the outcome is settled (the class refuses a
//    picture read with warnings); what follows is mostly made-up grey for
//    data that ended or broke off. Stopping there keeps a small damaged
//    file with a huge header from costing seconds.
void MonitorDecoding(j_common_ptr cinfo) {
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->err->num_warnings != 0) std::longjmp(Errors(cinfo).jump, kJumpWarned);
    if (dinfo->input_scan_number > kMaxJpegScans) {
        char text[64];
        std::snprintf(text, sizeof text, "JPEG data has too many scans (more than %d)", kMaxJpegScans);
        FailWith(cinfo, text);
    }
}

void PlanInks(DecodeSession& s) {
    jpeg_decompress_struct& cinfo = s.cinfo;
    InkPlan& plan = s.inks;
    plan = InkPlan{};
    plan.active = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (!plan.active) return;
    plan.inverted = cinfo.saw_Adobe_marker != 0;
    plan.grey = cinfo.out_color_space == JCS_GRAYSCALE;
    plan.quantise = cinfo.quantize_colors != 0;
    plan.colours = cinfo.desired_number_of_colors;
    plan.diffuse = cinfo.dither_mode == JDITHER_FS;
    cinfo.out_color_space = JCS_CMYK;
    cinfo.quantize_colors = FALSE;
}

// Only what these limits refuse is thrown here; the library checks the rest
// when decompression starts.
void CheckDecodable(const jpeg_decompress_struct& cinfo, std::size_t dataSize) {
    if (cinfo.out_color_space != JCS_RGB && cinfo.out_color_space != JCS_GRAYSCALE &&
        cinfo.out_color_space != JCS_CMYK) {
        throw EJPEGException("Unsupported JPEG color space: only grayscale, color (YCbCr or RGB) "
                             "and CMYK (or YCCK) pictures can be read");
    }
    const std::uint64_t width = cinfo.image_width;
    const std::uint64_t height = cinfo.image_height;
    if (auto tooLarge = PictureSizeProblem(width, height)) throw EJPEGException(*tooLarge);
    // Arithmetic coding has no bits-per-block floor (see TooShortForThePicture)
    // and reads the end of its data as zeros without a warning, so a few bytes
    // could demand the work of the largest picture.
    if (cinfo.arith_code && width * height > kJpegArithmeticFreePixels &&
        width * height / kJpegArithmeticPixelsPerByte > dataSize) {
        throw EJPEGException("Arithmetic-coded JPEG picture of " + std::to_string(width) + " x " +
                             std::to_string(height) + " pixels from only " + std::to_string(dataSize) +
                             " bytes of data");
    }
}

// Every block of a Huffman-coded component costs at least one bit (its DC
// code), whatever the scans; a file shorter than that for the component with
// the fewest blocks must run out of data, which the library would report as
// a warning after decoding made-up grey.
bool TooShortForThePicture(const jpeg_decompress_struct& cinfo, std::size_t dataSize) {
    std::uint64_t fewestBlocks = UINT64_MAX;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& comp = cinfo.comp_info[c];
        fewestBlocks = std::min<std::uint64_t>(fewestBlocks,
                                               std::uint64_t{comp.width_in_blocks} * comp.height_in_blocks);
    }
    return fewestBlocks != UINT64_MAX && dataSize < fewestBlocks / 8;
}

// A file whose picture is not its palette indices (true colour, or inks
// reduced only once the whole picture is in), asked for the indices alone.
struct NoIndicesAlone {};

void PreparePicture(DecodeSession& s, bool palettePicture) {
    const jpeg_decompress_struct& cinfo = s.cinfo;
    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    const int expectedComponents = s.inks.active ? 4 : palettePicture ? 1 : 3;
    if (cinfo.output_components != expectedComponents) {
        throw EJPEGException("Unexpected JPEG output: " + std::to_string(cinfo.output_components) +
                             " components per pixel");
    }
    JpegDecodeInfo& info = s.result;
    if (s.target) {
        const Result<PixelView> allocated = AllocatePicture(*s.target, width, height);
        if (!allocated) throw EJPEGException(allocated.Error().message);
        s.view = *allocated;
    } else if (!palettePicture || s.inks.active) {
        throw NoIndicesAlone();
    } else if (auto tooLarge = PictureSizeProblem(width, height)) {
        throw EJPEGException(*tooLarge);
    }
    try {
        if (palettePicture && s.keptIndices) {
            s.keptIndices->assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        } else if (palettePicture) {
            s.indexRow.resize(static_cast<std::size_t>(width));
        }
        if (s.inks.active) s.inkRow.resize(static_cast<std::size_t>(width) * 4);
    } catch (const std::bad_alloc&) {
        throw EJPEGException("Not enough memory for a " + std::to_string(width) + " x " + std::to_string(height) +
                             " picture");
    }
    if (!palettePicture) {
        info.format = JpegPixelFormat::k24Bit;
        return;
    }
    info.format = JpegPixelFormat::k8Bit;
    if (s.inks.quantise) return;  // the table comes from the whole picture, after decoding
    // Grey without quantisation is the 256-level grey palette of an 8-bit
    // grey bitmap; otherwise the library's colour map.
    int count = 256;
    if (cinfo.quantize_colors) count = std::clamp(cinfo.actual_number_of_colors, 0, 256);
    info.palette.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        int r = i, g = i, b = i;
        if (cinfo.quantize_colors) {
            r = g = b = cinfo.colormap[0][i];
            if (cinfo.out_color_components == 3) {
                g = cinfo.colormap[1][i];
                b = cinfo.colormap[2][i];
            }
        }
        info.palette.push_back(Rgb(r, g, b));
    }
    s.bgrOfIndex = BgrOfPalette(info.palette);
}

// Ink amounts c, m, y, k (0 none) give red = (255 - c)(255 - k) / 255 and so
// on, rounded (a product over 255 is never exactly half way); inverted inks
// give red = c k / 255.
void InksToBgr(const std::uint8_t* inks, int width, const InkPlan& plan, std::uint8_t* bgr, std::uint8_t* greyIndices) {
    const unsigned flip = plan.inverted ? 0 : 255;
    for (int x = 0; x < width; ++x, inks += 4, bgr += 3) {
        const unsigned k = inks[3] ^ flip;
        const auto channel = [k, flip](unsigned ink) {
            return static_cast<std::uint8_t>(((ink ^ flip) * k + 127) / 255);
        };
        const std::uint8_t r = channel(inks[0]);
        const std::uint8_t g = channel(inks[1]);
        const std::uint8_t b = channel(inks[2]);
        if (plan.grey) {
            const std::uint8_t level = Luminance(r, g, b);
            bgr[0] = bgr[1] = bgr[2] = level;
            if (greyIndices) greyIndices[x] = level;
        } else {
            bgr[0] = b;
            bgr[1] = g;
            bgr[2] = r;
        }
    }
}

// After decoding, for CMYK pictures that asked for fewer colours: a table
// from the whole picture (its own colours when few enough, else median cut)
// and every pixel mapped onto it.
void QuantiseInks(PixelView view, const InkPlan& plan, JpegDecodeInfo& info, std::vector<std::uint8_t>* keptIndices) {
    if (!plan.active || !plan.quantise || view.Empty()) return;
    const BmpPaletteChoice choice = ChooseBmpPalette(view, plan.colours <= 16 ? 4 : 8);
    info.palette = choice.colors;
    const int width = view.Width();
    IndexToPalette(view, choice, plan.diffuse, [&](int y, const std::uint8_t* indices) {
        std::uint8_t* row = view.Row(y);
        if (keptIndices) {
            std::copy_n(indices, width, keptIndices->data() + static_cast<std::size_t>(y) * width);
        }
        for (int x = 0; x < width; ++x, row += 3) {
            const Color c = choice.colors[indices[x]];
            row[0] = BlueOf(c);
            row[1] = GreenOf(c);
            row[2] = RedOf(c);
        }
    });
}

void SwapRedBlue(std::uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 3) std::swap(row[0], row[2]);
}

void RunDecode(DecodeSession& s, std::span<const std::uint8_t> data, const JpegSettings& settings,
               const JpegRowProgress& progress) {
    jpeg_decompress_struct& cinfo = s.cinfo;
    InstallErrorManager(s.err, reinterpret_cast<j_common_ptr>(&cinfo));
    jpeg_create_decompress(&cinfo);
    cinfo.client_data = &s;
    cinfo.mem->max_memory_to_use = kMaxJpegLibraryMemory;
    s.monitor.progress_monitor = MonitorDecoding;
    cinfo.progress = &s.monitor;
    jpeg_set_marker_processor(&cinfo, JPEG_COM, ReadCommentMarker);

    ApplyDecodingParameters(settings, cinfo);
    AttachSource(s, data);
    jpeg_read_header(&cinfo, TRUE);
    ApplyDecodingParameters(settings, cinfo);
    PlanInks(s);
    CheckDecodable(cinfo, data.size());
    if (TooShortForThePicture(cinfo, data.size())) {
        s.result.warnings = 1;  // what decoding would end with, minus the work
        return;
    }

    // The class's pictures are what the sample BMP writer would produce: colour
    // map indices when quantised, grey samples, or BGR rows.
    const bool palettePicture = s.inks.active ? s.inks.quantise || s.inks.grey
                                              : cinfo.quantize_colors || cinfo.out_color_space == JCS_GRAYSCALE;
    if (!palettePicture && !s.inks.active) cinfo.out_color_space = kBgr;
    jpeg_start_decompress(&cinfo);
    PreparePicture(s, palettePicture);
    if (s.indexRows) {
        s.indexRows->begin(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                           s.result.palette);
    }

    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        std::uint8_t* const out = s.target ? s.view.Row(y) : nullptr;
        std::uint8_t* indices = nullptr;
        if (palettePicture) {
            indices = s.keptIndices ? s.keptIndices->data() + static_cast<std::size_t>(y) * width : s.indexRow.data();
        }
        JSAMPROW row = s.inks.active ? s.inkRow.data() : indices ? indices : out;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
            throw EJPEGException("JPEG decoding stopped before the last row");
        }
        if (s.inks.active) {
            InksToBgr(row, width, s.inks, out, s.inks.quantise ? nullptr : indices);
        } else if (palettePicture) {
            if (out) ExpandIndices(row, width, s.bgrOfIndex, out);
            if (s.indexRows) s.indexRows->row(row);
        } else if (!kLibraryDoesBgr) {
            SwapRedBlue(row, width);
        }
        if (progress) progress(y + 1, height);
    }
    jpeg_finish_decompress(&cinfo);
    s.result.warnings = static_cast<int>(s.err.pub.num_warnings);
}

// ---- encoding ----

struct EncodeSession {
    ErrorManager err{};
    jpeg_compress_struct cinfo{};
    jpeg_destination_mgr destination{};
    const JpegByteSink* sink = nullptr;
    std::array<std::uint8_t, std::size_t{1} << 16> buffer{};
    // What the sink threw inside a library callback, rethrown once the
    // library has been left.
    std::exception_ptr sinkFailure;
    std::vector<std::uint8_t> swappedRow;  // only without libjpeg-turbo's BGR

    EncodeSession() = default;
    EncodeSession(const EncodeSession&) = delete;
    EncodeSession& operator=(const EncodeSession&) = delete;
    ~EncodeSession() { jpeg_destroy_compress(&cinfo); }
};

EncodeSession& Session(j_compress_ptr cinfo) { return *static_cast<EncodeSession*>(cinfo->client_data); }

void ResetBuffer(EncodeSession& s) {
    s.destination.next_output_byte = s.buffer.data();
    s.destination.free_in_buffer = s.buffer.size();
}

// Called from inside the library, so no exception may leave it.
void HandOver(j_compress_ptr cinfo, std::size_t used) {
    EncodeSession& s = Session(cinfo);
    try {
        (*s.sink)(std::span<const std::uint8_t>(s.buffer.data(), used));
    } catch (...) {
        s.sinkFailure = std::current_exception();
    }
    // Outside the handler: jumping out of one would skip its cleanup.
    if (s.sinkFailure) ERREXIT(cinfo, JERR_FILE_WRITE);
    ResetBuffer(s);
}

void InitDestination(j_compress_ptr cinfo) { ResetBuffer(Session(cinfo)); }

// The library calls this when the whole buffer is full.
boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    HandOver(cinfo, Session(cinfo).buffer.size());
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    HandOver(cinfo, Session(cinfo).buffer.size() - Session(cinfo).destination.free_in_buffer);
}

void RunEncode(EncodeSession& s, int width, int height, const JpegRowSource& rows, const JpegSettings& settings,
               const JpegRowProgress& progress) {
    jpeg_compress_struct& cinfo = s.cinfo;
    InstallErrorManager(s.err, reinterpret_cast<j_common_ptr>(&cinfo));
    jpeg_create_compress(&cinfo);
    cinfo.client_data = &s;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);

    // What the sample BMP reader reports for a 24-bit bitmap; the rows go to
    // the library as they are in the bitmap (see kBgr).
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = kBgr;
    ApplyEncodingParameters(settings, cinfo);

    s.destination.init_destination = InitDestination;
    s.destination.empty_output_buffer = EmptyOutputBuffer;
    s.destination.term_destination = TermDestination;
    cinfo.dest = &s.destination;

    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t>& swapped = s.swappedRow;
    if (!kLibraryDoesBgr) swapped.resize(static_cast<std::size_t>(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        // The library only reads input rows; its interface is not const-correct.
        JSAMPROW row = const_cast<JSAMPROW>(rows(y));
        if (!kLibraryDoesBgr) {
            std::copy(row, row + swapped.size(), swapped.begin());
            SwapRedBlue(swapped.data(), width);
            row = swapped.data();
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
        if (progress) progress(y + 1, height);
    }
    jpeg_finish_compress(&cinfo);
}

JpegRowSource RowsOf(ConstPixelView pixels) {
    return [pixels](int y) { return pixels.Row(y); };
}

}  // namespace

BgrTable BgrOfPalette(const Palette& palette) {
    BgrTable bgr{};
    for (std::size_t i = 0; i < std::min<std::size_t>(palette.size(), 256); ++i) {
        bgr[3 * i] = BlueOf(palette[i]);
        bgr[3 * i + 1] = GreenOf(palette[i]);
        bgr[3 * i + 2] = RedOf(palette[i]);
    }
    return bgr;
}

void ExpandIndices(const std::uint8_t* indices, int width, const BgrTable& bgr, std::uint8_t* out) {
    for (int x = 0; x < width; ++x, out += 3) std::memcpy(out, &bgr[3 * std::size_t{indices[x]}], 3);
}

void ApplyDecodingParameters(const JpegSettings& settings, jpeg_decompress_struct& cinfo) {
    switch (settings.NumOfColors) {
    case TNumOfColors::_16:
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 16;
        break;
    case TNumOfColors::_256:
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 256;
        break;
    case TNumOfColors::TrueColor: cinfo.quantize_colors = FALSE; break;
    }
    switch (settings.DCTMethod) {
    case TDCTMethod::Integ: cinfo.dct_method = JDCT_ISLOW; break;
    case TDCTMethod::FastInteg: cinfo.dct_method = JDCT_IFAST; break;
    case TDCTMethod::FloatingPoint: cinfo.dct_method = JDCT_FLOAT; break;
    }
    switch (settings.Dither) {
    case TDither::None: cinfo.dither_mode = JDITHER_NONE; break;
    case TDither::FS: cinfo.dither_mode = JDITHER_FS; break;
    case TDither::Ordered: cinfo.dither_mode = JDITHER_ORDERED; break;
    }
    if (settings.FastProcessing) {
        cinfo.two_pass_quantize = FALSE;
        cinfo.dither_mode = JDITHER_ORDERED;
        if (!cinfo.quantize_colors) cinfo.desired_number_of_colors = 216;
        cinfo.dct_method = JDCT_IFAST;
        cinfo.do_fancy_upsampling = FALSE;
    }
    if (settings.GrayScale) cinfo.out_color_space = JCS_GRAYSCALE;
    if (settings.NoSmooth) cinfo.do_fancy_upsampling = FALSE;
    if (settings.OnePass) cinfo.two_pass_quantize = FALSE;
}

void ApplyEncodingParameters(const JpegSettings& settings, jpeg_compress_struct& cinfo) {
    jpeg_default_colorspace(&cinfo);
    if (settings.GrayScale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    switch (settings.DCTMethod) {
    case TDCTMethod::Integ: cinfo.dct_method = JDCT_ISLOW; break;
    case TDCTMethod::FastInteg: cinfo.dct_method = JDCT_IFAST; break;
    case TDCTMethod::FloatingPoint: cinfo.dct_method = JDCT_FLOAT; break;
    }
    cinfo.optimize_coding = settings.FastProcessing ? FALSE : TRUE;
    jpeg_set_quality(&cinfo, settings.Quality, FALSE);
    if (settings.Progressive) jpeg_simple_progression(&cinfo);
}

JpegDecodeInfo DecodeJpeg(std::span<const std::uint8_t> data, const JpegSettings& settings, PictureTarget& target,
                          const JpegRowProgress& progress, std::vector<std::uint8_t>* indices) {
    const auto session = std::make_unique<DecodeSession>();
    session->target = &target;
    session->keptIndices = indices;
    switch (setjmp(session->err.jump)) {
    case 0: break;
    case kJumpWarned:
        session->result.warnings = static_cast<int>(session->err.pub.num_warnings);
        return std::move(session->result);
    default: throw EJPEGException(session->err.message);
    }
    RunDecode(*session, data, settings, progress);
    // No library call follows, so nothing can jump past this.
    try {
        QuantiseInks(session->view, session->inks, session->result, indices);
    } catch (const std::bad_alloc&) {
        throw EJPEGException("Not enough memory to reduce the colours of the JPEG picture");
    }
    return std::move(session->result);
}

std::optional<JpegIndexed> DecodeJpegIndices(std::span<const std::uint8_t> data, const JpegSettings& settings,
                                             const JpegIndexRows& rows, const JpegRowProgress& progress) {
    const auto session = std::make_unique<DecodeSession>();
    JpegIndexed indexed;
    session->indexRows = &rows;
    switch (setjmp(session->err.jump)) {
    case 0: break;
    case kJumpWarned: indexed.warnings = static_cast<int>(session->err.pub.num_warnings); return indexed;
    default: throw EJPEGException(session->err.message);
    }
    try {
        RunDecode(*session, data, settings, progress);
    } catch (const NoIndicesAlone&) {
        return std::nullopt;
    }
    indexed.width = static_cast<int>(session->cinfo.output_width);
    indexed.height = static_cast<int>(session->cinfo.output_height);
    indexed.palette = std::move(session->result.palette);
    indexed.comments = std::move(session->result.comments);
    indexed.warnings = session->result.warnings;
    return indexed;
}

JpegDecoded DecodeJpeg(std::span<const std::uint8_t> data, const JpegSettings& settings,
                       const JpegRowProgress& progress) {
    BitmapTarget target;
    JpegDecoded decoded;
    JpegDecodeInfo info = DecodeJpeg(data, settings, target, progress, &decoded.picture.indices);
    decoded.picture.bitmap = std::move(target.bitmap);
    decoded.picture.format = info.format;
    decoded.picture.palette = std::move(info.palette);
    decoded.comments = std::move(info.comments);
    decoded.warnings = info.warnings;
    return decoded;
}

void EncodeJpeg(int width, int height, const JpegRowSource& rows, const JpegSettings& settings,
                const JpegByteSink& sink, const JpegRowProgress& progress) {
    const auto session = std::make_unique<EncodeSession>();
    session->sink = &sink;
    if (setjmp(session->err.jump) != 0) {
        if (session->sinkFailure) std::rethrow_exception(session->sinkFailure);
        throw EJPEGException(session->err.message);
    }
    RunEncode(*session, width, height, rows, settings, progress);
}

std::vector<std::uint8_t> EncodeJpeg(ConstPixelView pixels, const JpegSettings& settings,
                                     const JpegRowProgress& progress) {
    std::vector<std::uint8_t> bytes;
    const JpegByteSink append = [&bytes](std::span<const std::uint8_t> piece) {
        bytes.insert(bytes.end(), piece.begin(), piece.end());
    };
    EncodeJpeg(pixels.Width(), pixels.Height(), RowsOf(pixels), settings, append, progress);
    return bytes;
}

void WriteJpeg(const std::filesystem::path& path, int width, int height, const JpegRowSource& rows,
               const JpegSettings& settings, const JpegRowProgress& progress) {
    BlockFileWriter file(path);
    const JpegByteSink write = [&file](std::span<const std::uint8_t> piece) { file.Write(piece); };
    EncodeJpeg(width, height, rows, settings, write, progress);
    file.Commit();
}

void WriteJpeg(const std::filesystem::path& path, ConstPixelView pixels, const JpegSettings& settings,
               const JpegRowProgress& progress) {
    WriteJpeg(path, pixels.Width(), pixels.Height(), RowsOf(pixels), settings, progress);
}

}  // namespace kelbo
