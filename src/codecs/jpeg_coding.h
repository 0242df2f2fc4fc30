#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/picture_limits.h"
#include "core/pixel_format.h"
#include "core/picture_target.h"

namespace kelbo {

// A JPEG could not be decoded or encoded. The message is the JPEG library's
// own text, "There are warnings", or one of our limits below.
class EJPEGException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TNumOfColors { _16, _256, TrueColor };
enum class TDCTMethod { Integ, FastInteg, FloatingPoint };
enum class TDither { None, FS, Ordered };

// The coding properties of the JPEG picture class, with its constructor values.
struct JpegSettings {
    TNumOfColors NumOfColors = TNumOfColors::_256;
    TDCTMethod DCTMethod = TDCTMethod::Integ;
    TDither Dither = TDither::FS;
    bool FastProcessing = false;
    bool GrayScale = false;
    bool NoSmooth = false;
    bool OnePass = false;
    int Quality = 75;
    bool Progressive = false;
};

// How a decoded picture arrived: as an 8-bit palette picture (quantised or
// grey) or with 24 bits per pixel.
enum class JpegPixelFormat { k8Bit, k24Bit };

// A decoded picture. `bitmap` always holds the pixels; for an 8-bit picture
// `indices` holds one palette index per pixel (rows top-down, width bytes
// each, no padding) and bitmap = palette[indices] pixel for pixel.
struct JpegPicture {
    Bitmap24 bitmap;
    JpegPixelFormat format = JpegPixelFormat::k24Bit;
    Palette palette;
    std::vector<std::uint8_t> indices;

    bool Empty() const { return bitmap.Empty(); }
    void Clear() { *this = JpegPicture(); }
};

// What decoding gives besides the pixels.
struct JpegDecodeInfo {
    JpegPixelFormat format = JpegPixelFormat::k24Bit;
    Palette palette;                    // of an 8-bit picture
    std::vector<std::string> comments;  // the COM markers' bytes, in file order (first 256)
    int warnings = 0;                   // as in JpegDecoded
};

struct JpegDecoded {
    JpegPicture picture;
    std::vector<std::string> comments;  // the COM markers' bytes, in file order (first 256)
    int warnings = 0;                   // the library's count of corrupt-data warnings
                                        // (1 for data too short to try)
};

// Limits that keep a hostile file from taking unbounded memory or time,
// besides the picture limits and kMaxJpegScans of core/picture_limits.h:
// the library's memory cap bounds its whole-image buffers (progressive and
// two-pass quantisation).
inline constexpr long kMaxJpegLibraryMemory = 1L << 30;
inline constexpr std::uint64_t kMaxJpegFileBytes = std::uint64_t{1} << 30;
// An arithmetic-coded picture above this many pixels must bring at least a
// byte of data per kJpegArithmeticPixelsPerByte pixels (a real photograph
// brings hundreds of times more).
inline constexpr std::uint64_t kJpegArithmeticFreePixels = std::uint64_t{1} << 24;
inline constexpr std::uint64_t kJpegArithmeticPixelsPerByte = 4096;

// Called after each row with the rows done and the total rows.
using JpegRowProgress = std::function<void(int rowsDone, int totalRows)>;

// Decodes a JPEG file's bytes with the decoding parameters of `settings`.
// Library errors and our limits throw EJPEGException; warnings are counted
// in the result, not thrown (the picture class decides). Decoding stops at
// the first warning, leaving the picture incomplete.
JpegDecoded DecodeJpeg(std::span<const std::uint8_t> data, const JpegSettings& settings,
                       const JpegRowProgress& progress = {});
// The same decoded straight into `target`, asked once the header is read
// (not when it fails); its rows are then written as the library gives them.
// The palette indices of an 8-bit picture are kept in `indices` when given
// (as JpegPicture::indices). A failure or a warning part way leaves the
// rows decoded so far in the target.
JpegDecodeInfo DecodeJpeg(std::span<const std::uint8_t> data, const JpegSettings& settings, PictureTarget& target,
                          const JpegRowProgress& progress = {}, std::vector<std::uint8_t>* indices = nullptr);

// A quantised or grey picture as rows of palette indices alone, with no
// picture held: the rows DecodeJpeg keeps in `indices`, each handed to
// `row` as it is decoded (top row first, valid during the call), after
// `begin` was told the size and the palette. Nullopt for a file that does
// not decode straight to indices (true colour, or CMYK, whose colours are
// reduced only once the whole picture is in), before either is called:
// decode that with a target. Warnings end decoding as in DecodeJpeg (fewer
// rows came). Throws EJPEGException, and what the two throw.
struct JpegIndexRows {
    std::function<void(int width, int height, const Palette& palette)> begin;
    std::function<void(const std::uint8_t* indices)> row;
};
struct JpegIndexed {
    int width = 0;
    int height = 0;
    Palette palette;
    std::vector<std::string> comments;
    int warnings = 0;
};
std::optional<JpegIndexed> DecodeJpegIndices(std::span<const std::uint8_t> data, const JpegSettings& settings,
                                             const JpegIndexRows& rows, const JpegRowProgress& progress = {});

// Each palette entry's blue, green and red (up to 256 entries), through
// which rows of indices expand to the rows of a 24-bit picture.
using BgrTable = std::array<std::uint8_t, 3 * 256>;
BgrTable BgrOfPalette(const Palette& palette);
void ExpandIndices(const std::uint8_t* indices, int width, const BgrTable& bgr, std::uint8_t* out);

// Row y (0 the top) of a picture being encoded: its pixels of blue, green,
// red, valid until the next call. Rows are asked for once each, top first.
using JpegRowSource = std::function<const std::uint8_t*(int y)>;
// Takes the encoded file's bytes piece by piece, in order.
using JpegByteSink = std::function<void(std::span<const std::uint8_t> piece)>;

// Encodes a width x height picture as a JFIF file with the encoding
// parameters of `settings`, handing the bytes to `sink` as they come (so
// neither the picture nor the file need be held whole). Library errors throw
// EJPEGException; what the source or the sink throws comes through as it is.
void EncodeJpeg(int width, int height, const JpegRowSource& rows, const JpegSettings& settings,
                const JpegByteSink& sink, const JpegRowProgress& progress = {});
// The pixels' file, whole.
std::vector<std::uint8_t> EncodeJpeg(ConstPixelView pixels, const JpegSettings& settings,
                                     const JpegRowProgress& progress = {});
// The same written through the safe save as it is encoded: a failure (also
// FileError) leaves any old file as it was.
void WriteJpeg(const std::filesystem::path& path, int width, int height, const JpegRowSource& rows,
               const JpegSettings& settings, const JpegRowProgress& progress = {});
void WriteJpeg(const std::filesystem::path& path, ConstPixelView pixels, const JpegSettings& settings,
               const JpegRowProgress& progress = {});

}  // namespace kelbo
