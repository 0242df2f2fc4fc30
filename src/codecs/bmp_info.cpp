#include "codecs/bmp_info.h"

#include <bit>
#include <cstdio>
#include <limits>
#include <string>

#include "core/byte_reader.h"
#include "core/file_io.h"
#include "core/picture_limits.h"

namespace kelbo {
namespace {

// The longest header plus the bit-field masks that may follow a 40-byte one.
constexpr std::size_t kLongestHeaders = kBmpFileHeaderSize + 124 + 12;

Failure Fail(FailureKind kind, std::string message) { return Failure{kind, std::move(message)}; }

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

std::optional<BmpHeaderKind> KindOfSize(std::uint32_t size) {
    switch (size) {
    case 12: return BmpHeaderKind::kCore;
    case 40: return BmpHeaderKind::kInfo;
    case 108: return BmpHeaderKind::kV4;
    case 124: return BmpHeaderKind::kV5;
    default: return std::nullopt;
    }
}

bool DepthAllowed(BmpHeaderKind kind, std::uint16_t bpp) {
    const bool common = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24;
    return kind == BmpHeaderKind::kCore ? common : common || bpp == 16 || bpp == 32;
}

std::optional<Failure> CheckCompression(std::uint32_t raw, std::uint16_t bpp, bool topDown) {
    if (raw == 4 || raw == 5)
        return Fail(FailureKind::kUnsupported,
                    raw == 4 ? "JPEG inside a bitmap is not supported" : "PNG inside a bitmap is not supported");
    if (raw == 6) return Fail(FailureKind::kUnsupported, "alpha bit fields are not supported");
    if (raw > 3) return Fail(FailureKind::kInvalid, "unknown compression " + std::to_string(raw));
    const auto compression = static_cast<BmpCompression>(raw);
    const bool fits = (compression == BmpCompression::kRgb) || (compression == BmpCompression::kRle8 && bpp == 8) ||
                      (compression == BmpCompression::kRle4 && bpp == 4) ||
                      (compression == BmpCompression::kBitfields && (bpp == 16 || bpp == 32));
    if (!fits) {
        return Fail(FailureKind::kInvalid, std::string(BmpCompressionName(compression)) + " compression with " +
                                               std::to_string(bpp) + " bits per pixel");
    }
    const bool rle = compression == BmpCompression::kRle8 || compression == BmpCompression::kRle4;
    if (rle && topDown) return Fail(FailureKind::kInvalid, "run-length compressed bitmap stored top-down");
    return std::nullopt;
}

// Reads the fields after the size of a 40, 108 or 124 byte header.
std::optional<Failure> ReadInfoFields(ByteReader& r, BmpInfo& info) {
    const std::int32_t width = r.I32Le();
    const std::int32_t height = r.I32Le();
    const std::uint16_t planes = r.U16Le();
    info.bitsPerPixel = r.U16Le();
    const std::uint32_t compression = r.U32Le();
    info.imageSize = r.U32Le();
    info.xPixelsPerMeter = r.I32Le();
    info.yPixelsPerMeter = r.I32Le();
    info.colorsUsed = r.U32Le();
    r.U32Le();  // colours important: advisory only
    if (planes != 1) return Fail(FailureKind::kInvalid, "planes must be 1, not " + std::to_string(planes));
    if (width <= 0) return Fail(FailureKind::kInvalid, "width " + std::to_string(width) + " is not positive");
    if (height == 0 || height == std::numeric_limits<std::int32_t>::min()) {
        return Fail(FailureKind::kInvalid, "height " + std::to_string(height) + " is not allowed");
    }
    info.width = width;
    info.height = height < 0 ? -height : height;
    info.bottomUp = height > 0;
    // Compression first: JPEG and PNG payloads legitimately have 0 bits per pixel.
    if (auto bad = CheckCompression(compression, info.bitsPerPixel, !info.bottomUp)) return bad;
    if (!DepthAllowed(info.headerKind, info.bitsPerPixel)) {
        return Fail(FailureKind::kInvalid, std::to_string(info.bitsPerPixel) + " bits per pixel");
    }
    info.compression = static_cast<BmpCompression>(compression);
    return std::nullopt;
}

std::optional<Failure> ReadCoreFields(ByteReader& r, BmpInfo& info) {
    info.width = r.U16Le();
    info.height = r.U16Le();
    const std::uint16_t planes = r.U16Le();
    info.bitsPerPixel = r.U16Le();
    if (planes != 1) return Fail(FailureKind::kInvalid, "planes must be 1, not " + std::to_string(planes));
    if (info.width == 0 || info.height == 0) return Fail(FailureKind::kInvalid, "zero width or height");
    if (!DepthAllowed(info.headerKind, info.bitsPerPixel)) {
        return Fail(FailureKind::kInvalid, std::to_string(info.bitsPerPixel) + " bits per pixel");
    }
    return std::nullopt;
}

// The masks sit in V4/V5 headers, or right after a 40-byte header.
std::optional<Failure> ReadMasks(ByteReader& r, BmpInfo& info) {
    r.Seek(kBmpFileHeaderSize + 40);
    info.redMask = r.U32Le();
    info.greenMask = r.U32Le();
    info.blueMask = r.U32Le();
    if (r.Overrun()) return Fail(FailureKind::kTruncated, "bit-field masks truncated");
    if (info.redMask == 0 || info.greenMask == 0 || info.blueMask == 0) {
        return Fail(FailureKind::kInvalid, "a bit-field colour mask is empty");
    }
    const std::uint64_t pixelBits = (std::uint64_t{1} << info.bitsPerPixel) - 1;
    for (const std::uint32_t mask : {info.redMask, info.greenMask, info.blueMask}) {
        const std::uint32_t shifted = mask >> std::countr_zero(mask);
        // Scattered bits have no sensible scale to 0..255.
        if ((shifted & (shifted + std::uint64_t{1})) != 0)
            return Fail(FailureKind::kInvalid, "bit-field mask " + Hex(mask) + " is not contiguous");
        if (mask > pixelBits) {
            return Fail(FailureKind::kInvalid, "bit-field mask " + Hex(mask) + " does not fit in " +
                                                   std::to_string(info.bitsPerPixel) + " bits");
        }
    }
    if ((info.redMask & info.greenMask) != 0 || (info.redMask & info.blueMask) != 0 ||
        (info.greenMask & info.blueMask) != 0) {
        return Fail(FailureKind::kInvalid, "bit-field masks overlap");
    }
    return std::nullopt;
}

std::uint32_t PaletteEntries(const BmpInfo& info) {
    if (info.bitsPerPixel > 8) return info.colorsUsed;
    const std::uint32_t full = 1u << info.bitsPerPixel;
    if (info.headerKind == BmpHeaderKind::kCore || info.colorsUsed == 0) return full;
    return info.colorsUsed < full ? info.colorsUsed : full;
}

// Checks that the colour table and (when uncompressed) every row are present.
std::optional<Failure> CheckLayout(BmpInfo& info, std::uint64_t fileSize) {
    const std::uint64_t entrySize = BmpColorEntrySize(info);
    const std::uint64_t tableStart = BmpColorTableOffset(info);
    // Some writers store fewer entries than they declare and say so only
    // through the pixel offset; the pixels, not the table, are what matter.
    if (info.bitsPerPixel <= 8 && info.pixelOffset >= tableStart &&
        info.pixelOffset < tableStart + entrySize * info.paletteEntries) {
        info.paletteEntries = static_cast<std::uint32_t>((info.pixelOffset - tableStart) / entrySize);
    }
    const std::uint64_t tableEnd = tableStart + entrySize * info.paletteEntries;
    if (tableEnd > fileSize) return Fail(FailureKind::kTruncated, "colour table truncated");
    if (info.pixelOffset < tableEnd) {
        return Fail(FailureKind::kInvalid,
                    "pixel data offset " + std::to_string(info.pixelOffset) + " overlaps the headers");
    }
    if (info.pixelOffset > fileSize) return Fail(FailureKind::kTruncated, "pixel data missing");
    const bool uncompressed = info.compression == BmpCompression::kRgb ||
                              info.compression == BmpCompression::kBitfields;
    if (!uncompressed) return std::nullopt;
    // At most 2^33 bytes per row times 2^31 rows: no 64-bit overflow.
    const std::uint64_t needed = *BmpRowBytes(info.bitsPerPixel, info.width) * static_cast<std::uint64_t>(info.height);
    if (needed > fileSize - info.pixelOffset) {
        return Fail(FailureKind::kTruncated, "pixel data truncated: " + std::to_string(needed) +
                                                 " bytes needed from offset " + std::to_string(info.pixelOffset) +
                                                 ", file has " + std::to_string(fileSize));
    }
    return std::nullopt;
}

}  // namespace

const char* BmpHeaderKindName(BmpHeaderKind kind) {
    switch (kind) {
    case BmpHeaderKind::kCore: return "BITMAPCOREHEADER (OS/2, 12 bytes)";
    case BmpHeaderKind::kInfo: return "BITMAPINFOHEADER (40 bytes)";
    case BmpHeaderKind::kV4: return "BITMAPV4HEADER (108 bytes)";
    case BmpHeaderKind::kV5: return "BITMAPV5HEADER (124 bytes)";
    }
    return "unknown";
}

const char* BmpCompressionName(BmpCompression compression) {
    switch (compression) {
    case BmpCompression::kRgb: return "BI_RGB";
    case BmpCompression::kRle8: return "BI_RLE8";
    case BmpCompression::kRle4: return "BI_RLE4";
    case BmpCompression::kBitfields: return "BI_BITFIELDS";
    }
    return "unknown";
}

PixelFormat PixelFormatOf(const BmpInfo& info) {
    const bool masks = info.compression == BmpCompression::kBitfields;
    const auto masksAre = [&](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        return info.redMask == r && info.greenMask == g && info.blueMask == b;
    };
    switch (info.bitsPerPixel) {
    case 1: return PixelFormat::k1;
    case 4: return PixelFormat::k4;
    case 8: return PixelFormat::k8;
    case 16:
        if (!masks || masksAre(0x7C00, 0x03E0, 0x001F)) return PixelFormat::k15;
        return masksAre(0xF800, 0x07E0, 0x001F) ? PixelFormat::k16 : PixelFormat::kCustom;
    case 24: return PixelFormat::k24;
    case 32: return !masks || masksAre(0xFF0000, 0xFF00, 0xFF) ? PixelFormat::k32 : PixelFormat::kCustom;
    default: return PixelFormat::kCustom;
    }
}

std::uint64_t BmpColorTableOffset(const BmpInfo& info) {
    const bool masksAfterHeader = info.headerKind == BmpHeaderKind::kInfo &&
                                  info.compression == BmpCompression::kBitfields;
    return kBmpFileHeaderSize + std::uint64_t{info.headerSize} + (masksAfterHeader ? 12 : 0);
}

std::uint32_t BmpColorEntrySize(const BmpInfo& info) { return info.headerKind == BmpHeaderKind::kCore ? 3 : 4; }

std::optional<std::uint64_t> BmpRowBytes(std::uint16_t bitsPerPixel, std::int32_t width) {
    if (width < 0) return std::nullopt;
    const std::uint64_t bits = static_cast<std::uint64_t>(bitsPerPixel) * static_cast<std::uint64_t>(width);
    return (bits + 31) / 32 * 4;
}

Result<BmpInfo> ReadBmpInfo(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    if (fileSize < head.size()) fileSize = head.size();
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') {
        return Fail(FailureKind::kWrongFormat, "not a Windows bitmap (no \"BM\" signature)");
    }
    ByteReader r(head);
    BmpInfo info;
    r.Skip(2);
    r.U32Le();  // bfSize: often wrong in real files, so not trusted
    r.Skip(4);  // reserved
    info.pixelOffset = r.U32Le();
    info.headerSize = r.U32Le();
    if (r.Overrun()) return Fail(FailureKind::kTruncated, "bitmap file header truncated");
    const auto kind = KindOfSize(info.headerSize);
    if (!kind) {
        return Fail(info.headerSize < 12 ? FailureKind::kInvalid : FailureKind::kUnsupported,
                    "info header of " + std::to_string(info.headerSize) + " bytes");
    }
    info.headerKind = *kind;
    if (kBmpFileHeaderSize + info.headerSize > head.size()) {
        return Fail(FailureKind::kTruncated, "bitmap info header truncated");
    }
    auto bad = info.headerKind == BmpHeaderKind::kCore ? ReadCoreFields(r, info) : ReadInfoFields(r, info);
    if (bad) return *bad;
    if (info.compression == BmpCompression::kBitfields) {
        if (auto badMasks = ReadMasks(r, info)) return *badMasks;
    }
    if (auto tooLarge = PictureSizeProblem(static_cast<std::uint64_t>(info.width),
                                           static_cast<std::uint64_t>(info.height)))
        return Fail(FailureKind::kUnsupported, std::move(*tooLarge));
    info.paletteEntries = PaletteEntries(info);
    if (auto badLayout = CheckLayout(info, fileSize)) return *badLayout;
    return info;
}

Result<BmpInfo> ReadBmpInfo(std::span<const std::uint8_t> wholeFile) {
    return ReadBmpInfo(wholeFile, wholeFile.size());
}

Result<BmpInfo> ReadBmpInfo(const std::filesystem::path& path) {
    try {
        const FilePrefix prefix = ReadFilePrefix(path, kLongestHeaders);
        return ReadBmpInfo(prefix.bytes, prefix.fileSize);
    } catch (const FileError& e) {
        return Fail(FailureKind::kIo, e.what());
    }
}

}  // namespace kelbo
