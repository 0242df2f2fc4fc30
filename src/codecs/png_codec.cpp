#include "codecs/png_codec.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <csetjmp>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "codecs/alpha.h"
#include "codecs/bmp_palette.h"
#include "core/file_io.h"
#include "core/picture_limits.h"
#include "core/text_encoding.h"

// libpng reports errors by longjmp. The functions that call setjmp hold no
// object with a destructor, and callbacks catch every exception before they
// hand a failure to libpng, so no C++ frame is ever jumped over.

namespace kelbo {
namespace {

constexpr std::size_t kSignatureBytes = 8;
// libpng's own side limit is left to the picture limits, for their message.
constexpr png_uint_32 kLibraryMaxSide = PNG_UINT_31_MAX;
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{8} << 20;
// The most libpng may take in one block. Since 1.6.39 it treats a chunk
// above the chunk limit as a benign error and allocates the chunk's stated
// length anyway, so 54 bytes could make it take gigabytes; its real needs
// (two rows of at most 65535 x 8 bytes, zlib's window, a chunk within the
// chunk limit) stay far below this.
constexpr png_alloc_size_t kMaxLibraryBlock = png_alloc_size_t{16} << 20;
// Chunks the picture does not need, skipped unread rather than parsed.
constexpr png_byte kSkippedChunks[] = {'i', 'C', 'C', 'P', '\0', 'i', 'T', 'X', 't', '\0', 's', 'P', 'L', 'T', '\0',
                                       't', 'E', 'X', 't', '\0', 'z', 'T', 'X', 't', '\0', 'e', 'X', 'I', 'f', '\0'};
constexpr png_uint_32 kMaxAncillaryChunks = 1000;
constexpr std::size_t kWriteBufferBytes = std::size_t{1} << 16;

struct ReadContext {
    FileReader* file = nullptr;
    PictureTarget* target = nullptr;
    Progress* progress = nullptr;
    std::string error;
    PixelView pixels{nullptr, 0, 0, 0};
    std::vector<std::uint8_t> buffer;  // rows with alpha, before they are composed
    PngFormat format;
    int passes = 1;
    int height = 0;
};

void Note(std::string& error, const char* message) {
    if (!error.empty()) return;
    try {
        error = message;
    } catch (...) {  // no memory even for the message: the caller says so
    }
}

void OnError(png_structp png, png_const_charp message) {
    Note(static_cast<ReadContext*>(png_get_error_ptr(png))->error, message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

png_voidp LibraryAlloc(png_structp, png_alloc_size_t size) {
    return size <= kMaxLibraryBlock ? std::malloc(size) : nullptr;
}

void LibraryFree(png_structp, png_voidp block) { std::free(block); }

void ReadData(png_structp png, png_bytep data, std::size_t length) {
    auto& context = *static_cast<ReadContext*>(png_get_io_ptr(png));
    std::size_t got = 0;
    try {
        got = context.file->Read({data, length});
    } catch (const std::exception& e) {
        Note(context.error, e.what());
    }
    if (got < length) png_error(png, "the file ends before the picture does");
}

void RowDone(png_structp png, png_uint_32 row, int pass) {
    const auto& context = *static_cast<ReadContext*>(png_get_io_ptr(png));
    if (!context.progress || context.height == 0) return;
    const std::int64_t done = static_cast<std::int64_t>(pass) * context.height + row;
    context.progress->SetPosition(static_cast<int>(done * 100 / (std::int64_t{context.passes} * context.height)));
}

// The table of a palette file, each entry with its transparency composed.
bool KeepPalette(png_structp png, png_infop info, ReadContext& context, int bitDepth) {
    png_colorp entries = nullptr;
    int count = 0;
    if (!png_get_PLTE(png, info, &entries, &count)) return true;
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    png_get_tRNS(png, info, &alphas, &alphaCount, nullptr);
    try {
        for (int i = 0; i < count; ++i) {
            const std::uint8_t a = i < alphaCount ? alphas[i] : 255;
            context.format.palette.push_back(Rgb(BlendOverWhite(entries[i].red, a), BlendOverWhite(entries[i].green, a),
                                                 BlendOverWhite(entries[i].blue, a)));
        }
    } catch (...) {
        Note(context.error, "not enough memory for the colour table");
        return false;
    }
    context.format.format = bitDepth == 1 ? PixelFormat::k1 : bitDepth == 8 ? PixelFormat::k8 : PixelFormat::k4;
    return true;
}

// Its messages live no longer than the call: libpng's error jumps over Decode.
bool WithinLimits(ReadContext& context, png_uint_32 width, png_uint_32 height) {
    try {
        const auto problem = PictureSizeProblem(width, height);
        if (problem) Note(context.error, problem->c_str());
        return !problem;
    } catch (const std::exception&) {
        Note(context.error, "not enough memory");
        return false;
    }
}

bool Allocate(ReadContext& context, int width, int height, std::size_t bufferBytes) {
    try {
        const Result<PixelView> pixels = AllocatePicture(*context.target, width, height);
        if (!pixels) {
            Note(context.error, pixels.Error().message.c_str());
            return false;
        }
        context.pixels = *pixels;
        context.buffer.resize(bufferBytes);
        return true;
    } catch (const std::exception& e) {
        Note(context.error, e.what());
        return false;
    }
}

void ComposeRow(const std::uint8_t* bgra, std::uint8_t* bgr, int width) {
    for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        const std::uint8_t a = bgra[3];
        bgr[0] = BlendOverWhite(bgra[0], a);
        bgr[1] = BlendOverWhite(bgra[1], a);
        bgr[2] = BlendOverWhite(bgra[2], a);
    }
}

bool Decode(png_structp png, png_infop info, ReadContext& context) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_sig_bytes(png, kSignatureBytes);
    png_set_user_limits(png, kLibraryMaxSide, kLibraryMaxSide);
    png_set_chunk_cache_max(png, kMaxAncillaryChunks);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, sizeof kSkippedChunks / 5);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colorType = png_get_color_type(png, info);
    if (!WithinLimits(context, width, height)) png_error(png, "the picture is too large");
    if (colorType == PNG_COLOR_TYPE_PALETTE && !KeepPalette(png, info, context, png_get_bit_depth(png, info)))
        png_error(png, "no table");
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    context.passes = png_set_interlace_handling(png);
    context.height = static_cast<int>(height);
    png_set_read_status_fn(png, RowDone);
    png_read_update_info(png, info);
    const bool alpha = png_get_channels(png, info) == 4;
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    // Interlaced rows with alpha are composed once all passes are in.
    const std::size_t bufferRows = !alpha ? 0 : context.passes > 1 ? height : 1;
    if (!Allocate(context, static_cast<int>(width), static_cast<int>(height), bufferRows * rowBytes))
        png_error(png, "no memory for the picture");
    const int w = static_cast<int>(width);
    for (int pass = 0; pass < context.passes; ++pass) {
        for (int y = 0; y < static_cast<int>(height); ++y) {
            std::uint8_t* row = !alpha                ? context.pixels.Row(y)
                                : context.passes == 1 ? context.buffer.data()
                                                      : context.buffer.data() + rowBytes * y;
            png_read_row(png, row, nullptr);
            if (alpha && context.passes == 1) ComposeRow(row, context.pixels.Row(y), w);
        }
    }
    if (alpha && context.passes > 1) {
        for (int y = 0; y < static_cast<int>(height); ++y)
            ComposeRow(context.buffer.data() + rowBytes * y, context.pixels.Row(y), w);
    }
    return true;
}

struct WriteContext {
    AtomicFileWriter* file = nullptr;
    std::string error;
    std::exception_ptr writeFailure;  // thrown again once libpng is out of the way
    std::vector<std::uint8_t> pending;
    std::vector<std::uint8_t> indices, packed;
};

void OnWriteError(png_structp png, png_const_charp message) {
    Note(static_cast<WriteContext*>(png_get_error_ptr(png))->error, message);
    png_longjmp(png, 1);
}

bool Flush(WriteContext& context) {
    try {
        context.file->Write(context.pending);
        context.pending.clear();
        return true;
    } catch (const std::exception&) {
        context.writeFailure = std::current_exception();
        return false;
    }
}

// Small pieces gather in the bounded buffer; a large one goes straight on.
void WriteData(png_structp png, png_bytep data, std::size_t length) {
    auto& context = *static_cast<WriteContext*>(png_get_io_ptr(png));
    bool ok = true;
    try {
        if (context.pending.size() + length > kWriteBufferBytes) {
            context.file->Write(context.pending);
            context.pending.clear();
        }
        if (length > kWriteBufferBytes)
            context.file->Write({data, length});
        else
            context.pending.insert(context.pending.end(), data, data + length);
    } catch (const std::exception&) {
        context.writeFailure = std::current_exception();
        ok = false;
    }
    if (!ok) png_error(png, "write failed");
}

void FlushData(png_structp) {}

// Packs one row of indices at `bits` per pixel, leftmost in the high bits.
void PackRow(const std::vector<std::uint8_t>& indices, int width, int bits, std::vector<std::uint8_t>& packed) {
    std::fill(packed.begin(), packed.end(), std::uint8_t{0});
    const int perByte = 8 / bits;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        packed[static_cast<std::size_t>(x / perByte)] |= static_cast<std::uint8_t>(indices[x] << shift);
    }
}

bool Encode(png_structp png, png_infop info, WriteContext& context, ConstPixelView picture,
            const BmpPaletteChoice* choice, BmpPaletteIndexer* indexer, int bits) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &context, WriteData, FlushData);
    const int width = picture.Width();
    if (choice) {
        std::array<png_color, 256> entries{};
        const int count = static_cast<int>(choice->colors.size());
        for (int i = 0; i < count; ++i) {
            const Color c = choice->colors[static_cast<std::size_t>(i)];
            entries[static_cast<std::size_t>(i)] = {RedOf(c), GreenOf(c), BlueOf(c)};
        }
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(picture.Height()), bits,
                     PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, entries.data(), count);
    } else {
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(picture.Height()), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    }
    png_write_info(png, info);
    if (!choice) png_set_bgr(png);
    for (int y = 0; y < picture.Height(); ++y) {
        if (!choice) {
            png_write_row(png, picture.Row(y));
            continue;
        }
        indexer->IndexRow(picture.Row(y), width, context.indices.data());
        PackRow(context.indices, width, bits, context.packed);
        png_write_row(png, context.packed.data());
    }
    png_write_end(png, info);
    return Flush(context);
}

int PaletteBits(PixelFormat format) {
    switch (format) {
    case PixelFormat::k1: return 1;
    case PixelFormat::k4: return 4;
    case PixelFormat::k8: return 8;
    default: return 0;
    }
}

}  // namespace

Result<PngFormat> ReadPng(const std::filesystem::path& path, PictureTarget& target, Progress* progress) {
    const ProgressScope scope(progress, 100);
    try {
        FileReader file(path);
        std::array<std::uint8_t, kSignatureBytes> signature{};
        if (file.Read(signature) < signature.size() || png_sig_cmp(signature.data(), 0, signature.size()) != 0)
            return Failure{FailureKind::kWrongFormat, "not a PNG file"};
        ReadContext context;
        context.file = &file;
        context.target = &target;
        context.progress = progress;
        png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &context, OnError, OnWarning, nullptr,
                                                   LibraryAlloc, LibraryFree);
        png_infop info = png ? png_create_info_struct(png) : nullptr;
        if (!info) {
            png_destroy_read_struct(&png, nullptr, nullptr);
            return Failure{FailureKind::kIo, "not enough memory to read a PNG file"};
        }
        png_set_read_fn(png, &context, ReadData);
        const bool ok = Decode(png, info, context);
        png_destroy_read_struct(&png, &info, nullptr);
        if (!ok) {
            return Failure{FailureKind::kInvalid,
                           "damaged or refused PNG file: " + (context.error.empty() ? "no memory" : context.error)};
        }
        return std::move(context.format);
    } catch (const FileError& e) {
        return Failure{FailureKind::kIo, e.what()};
    }
}

void WritePng(const std::filesystem::path& path, ConstPixelView picture, PixelFormat format,
              std::span<const Color> palette) {
    if (picture.Empty()) throw std::invalid_argument("a PNG file needs a picture of at least 1 x 1 pixels");
    const int bits = PaletteBits(format);
    BmpPaletteChoice choice;
    std::optional<BmpPaletteIndexer> indexer;
    WriteContext context;
    if (bits) {
        choice = ChooseBmpPalette(picture, bits, palette);
        indexer.emplace(choice);
        context.indices.resize(static_cast<std::size_t>(picture.Width()));
        context.packed.resize((static_cast<std::size_t>(picture.Width()) * bits + 7) / 8);
    }
    context.pending.reserve(kWriteBufferBytes);
    AtomicFileWriter file(path);
    context.file = &file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, OnWriteError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error(PathToUtf8(path) + ": not enough memory to write a PNG file");
    }
    const bool ok = Encode(png, info, context, picture, bits ? &choice : nullptr, bits ? &*indexer : nullptr, bits);
    png_destroy_write_struct(&png, &info);
    if (context.writeFailure) std::rethrow_exception(context.writeFailure);
    if (!ok) throw std::runtime_error(PathToUtf8(path) + ": " + (context.error.empty() ? "no memory" : context.error));
    file.Commit();
}

}  // namespace kelbo
