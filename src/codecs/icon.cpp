#include "codecs/icon.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "codecs/alpha.h"
#include "codecs/bmp_info.h"
#include "codecs/bmp_reader.h"
#include "core/byte_reader.h"
#include "core/file_io.h"

namespace kelbo {
namespace {

constexpr std::size_t kDirHeaderSize = 6;
constexpr std::size_t kDirEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;

Failure Fail(FailureKind kind, std::string message) { return Failure{kind, std::move(message)}; }

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
void SetU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

bool IsPng(std::span<const std::uint8_t> image) {
    static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return image.size() >= sizeof kPng && std::equal(std::begin(kPng), std::end(kPng), image.begin());
}

std::uint64_t MaskRowBytes(int width) { return (static_cast<std::uint64_t>(width) + 31) / 32 * 4; }

// The colour part of an icon image as a Windows bitmap file: a file header
// in front of the image's own bitmap header with the height halved, so the
// bitmap reader checks and decodes it. Returns the file and where its pixels
// start.
Result<std::vector<std::uint8_t>> AsBitmapFile(std::span<const std::uint8_t> image, int height) {
    std::vector<std::uint8_t> file;
    try {
        file.resize(kBmpFileHeaderSize + image.size());
    } catch (const std::bad_alloc&) {
        return Fail(FailureKind::kUnsupported, "not enough memory to read the icon image");
    }
    file[0] = 'B';
    file[1] = 'M';
    std::copy(image.begin(), image.end(), file.begin() + kBmpFileHeaderSize);
    const std::size_t header = kBmpFileHeaderSize;
    SetU32(file, header + 8, static_cast<std::uint32_t>(height));
    SetU32(file, header + 20, 0);  // the image size counted the mask too
    SetU32(file, 2, static_cast<std::uint32_t>(file.size()));
    // First pass: where the colour table ends, with an offset and size that
    // cannot cut the table short.
    SetU32(file, 10, 0xFFFF0000u);
    const Result<BmpInfo> probe = ReadBmpInfo(std::span<const std::uint8_t>(file), std::uint64_t{1} << 40);
    if (!probe) return probe.Error();
    const std::uint64_t tableEnd = BmpColorTableOffset(*probe) +
                                   std::uint64_t{BmpColorEntrySize(*probe)} * probe->paletteEntries;
    if (tableEnd > file.size()) return Fail(FailureKind::kTruncated, "icon colour table truncated");
    SetU32(file, 10, static_cast<std::uint32_t>(tableEnd));
    return file;
}

}  // namespace

Result<IconDirectory> ReadIconDirectory(std::span<const std::uint8_t> file) {
    ByteReader r(file);
    const std::uint16_t reserved = r.U16Le();
    const std::uint16_t type = r.U16Le();
    const std::uint16_t count = r.U16Le();
    if (r.Overrun()) return Fail(FailureKind::kTruncated, "icon directory truncated");
    if (reserved != 0 || (type != 1 && type != 2)) return Fail(FailureKind::kWrongFormat, "not an icon file");
    if (count == 0) return Fail(FailureKind::kInvalid, "the icon file holds no image");
    if (count > kMaxIconEntries) {
        return Fail(FailureKind::kInvalid, "icon directory of " + std::to_string(count) + " images is not believable");
    }
    const std::uint64_t directoryEnd = kDirHeaderSize + std::uint64_t{count} * kDirEntrySize;
    if (directoryEnd > file.size()) return Fail(FailureKind::kTruncated, "icon directory truncated");
    IconDirectory directory;
    directory.type = type;
    for (std::uint16_t i = 0; i < count; ++i) {
        IconDirEntry e;
        const std::uint8_t w = r.U8();
        const std::uint8_t h = r.U8();
        e.width = w == 0 ? 256 : w;
        e.height = h == 0 ? 256 : h;
        e.colorCount = r.U8();
        r.U8();
        e.planes = r.U16Le();
        e.bitCount = r.U16Le();
        e.bytes = r.U32Le();
        e.offset = r.U32Le();
        const std::string which = "icon image " + std::to_string(i + 1);
        if (e.bytes == 0) return Fail(FailureKind::kInvalid, which + " is empty");
        if (e.offset < directoryEnd) return Fail(FailureKind::kInvalid, which + " overlaps the icon directory");
        if (std::uint64_t{e.offset} + e.bytes > file.size())
            return Fail(FailureKind::kTruncated, which + " lies beyond the end of the file");
        directory.entries.push_back(e);
    }
    return directory;
}

std::size_t LargestIconEntry(const IconDirectory& directory) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < directory.entries.size(); ++i) {
        const IconDirEntry& e = directory.entries[i];
        const IconDirEntry& b = directory.entries[best];
        const long area = static_cast<long>(e.width) * e.height;
        const long bestArea = static_cast<long>(b.width) * b.height;
        if (area > bestArea || (area == bestArea && e.bitCount > b.bitCount)) best = i;
    }
    return best;
}

Result<IconPicture> ReadIcon(std::span<const std::uint8_t> file, Progress* progress) {
    const Result<IconDirectory> directory = ReadIconDirectory(file);
    if (!directory) return directory.Error();
    IconPicture picture;
    picture.entry = LargestIconEntry(*directory);
    const IconDirEntry& entry = directory->entries[picture.entry];
    const std::span<const std::uint8_t> image = file.subspan(entry.offset, entry.bytes);
    if (IsPng(image)) return Fail(FailureKind::kUnsupported, "PNG icons are not supported");

    ByteReader r(image);
    const std::uint32_t headerSize = r.U32Le();
    const std::int32_t width = r.I32Le();
    const std::int32_t storedHeight = r.I32Le();
    r.Skip(4);  // planes and bits per pixel: the bitmap reader checks those
    const std::uint32_t compression = r.U32Le();
    if (r.Overrun() || image.size() < kInfoHeaderSize)
        return Fail(FailureKind::kTruncated, "icon image header truncated");
    if (headerSize != 40 && headerSize != 108 && headerSize != 124)
        return Fail(FailureKind::kUnsupported,
                    "icon image header of " + std::to_string(headerSize) + " bytes is not supported");
    if (width <= 0 || width > kMaxIconSide || storedHeight <= 0 || storedHeight % 2 != 0 ||
        storedHeight / 2 > kMaxIconSide) {
        return Fail(FailureKind::kInvalid, "icon image of " + std::to_string(width) + " x " +
                                               std::to_string(storedHeight) +
                                               " (colour and mask rows) is not a valid icon size");
    }
    if (compression != 0 && compression != 3)
        return Fail(FailureKind::kUnsupported, "compressed icon images are not supported");
    const int height = storedHeight / 2;

    const Result<std::vector<std::uint8_t>> bmp = AsBitmapFile(image, height);
    if (!bmp) return bmp.Error();
    Result<BmpPicture> colour = ReadBmp(*bmp, progress);
    if (!colour) return colour.Error();
    const BmpInfo info = colour->info;
    picture.bitsPerPixel = info.bitsPerPixel;

    // Offsets below are inside `image`, which lacks the file header.
    const std::uint64_t pixelsAt = info.pixelOffset - kBmpFileHeaderSize;
    const std::uint64_t rowBytes = *BmpRowBytes(info.bitsPerPixel, width);
    const std::uint64_t maskAt = pixelsAt + rowBytes * static_cast<std::uint64_t>(height);
    const std::uint64_t maskRow = MaskRowBytes(width);
    if (maskAt + maskRow * static_cast<std::uint64_t>(height) > image.size())
        return Fail(FailureKind::kTruncated, "icon mask truncated");

    bool useAlpha = false;
    if (info.bitsPerPixel == 32 && compression == 0) {
        for (int row = 0; row < height && !useAlpha; ++row) {
            const std::uint8_t* s = image.data() + pixelsAt + rowBytes * static_cast<std::uint64_t>(row);
            for (int x = 0; x < width; ++x) {
                if (s[x * 4 + 3] != 0) {
                    useAlpha = true;
                    break;
                }
            }
        }
    }

    picture.bitmap = std::move(colour).Value().bitmap;
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;  // stored bottom-up
        std::uint8_t* d = picture.bitmap.Row(y);
        if (useAlpha) {
            const std::uint8_t* s = image.data() + pixelsAt + rowBytes * static_cast<std::uint64_t>(row);
            for (int x = 0; x < width; ++x) {
                const std::uint8_t a = s[x * 4 + 3];
                for (int c = 0; c < 3; ++c) d[x * 3 + c] = BlendOverWhite(d[x * 3 + c], a);
            }
        } else {
            const std::uint8_t* m = image.data() + maskAt + maskRow * static_cast<std::uint64_t>(row);
            for (int x = 0; x < width; ++x) {
                if ((m[x >> 3] >> (7 - (x & 7))) & 1) {
                    for (int c = 0; c < 3; ++c) d[x * 3 + c] = static_cast<std::uint8_t>(255 - d[x * 3 + c]);
                }
            }
        }
    }
    return picture;
}

Result<IconPicture> ReadIcon(const std::filesystem::path& path, Progress* progress) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const FileError& e) {
        return Fail(FailureKind::kIo, e.what());
    }
    return ReadIcon(bytes, progress);
}

std::vector<std::uint8_t> EncodeIcon(ConstPixelView pixels) {
    if (pixels.Empty()) throw std::invalid_argument("cannot write an empty picture as an icon");
    const int width = pixels.Width();
    const int height = pixels.Height();
    if (width > kMaxIconSide || height > kMaxIconSide) {
        throw std::invalid_argument("an icon holds at most 256 x 256 pixels; this picture is " + std::to_string(width) +
                                    " x " + std::to_string(height) + " (make it smaller first)");
    }
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(width) * 4 * height;
    const std::uint32_t maskBytes = static_cast<std::uint32_t>(MaskRowBytes(width)) * height;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(kInfoHeaderSize) + colourBytes + maskBytes;

    std::vector<std::uint8_t> out;
    out.reserve(kDirHeaderSize + kDirEntrySize + imageBytes);
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, 1);
    out.push_back(static_cast<std::uint8_t>(width & 0xFF));  // 256 is stored as 0
    out.push_back(static_cast<std::uint8_t>(height & 0xFF));
    out.push_back(0);  // no colour table
    out.push_back(0);
    PutU16(out, 1);   // planes
    PutU16(out, 32);  // bits per pixel
    PutU32(out, imageBytes);
    PutU32(out, static_cast<std::uint32_t>(kDirHeaderSize + kDirEntrySize));

    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height) * 2);
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, 0);  // BI_RGB
    PutU32(out, colourBytes + maskBytes);
    for (int i = 0; i < 4; ++i) PutU32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* s = pixels.Row(y);
        for (int x = 0; x < width; ++x, s += 3) {
            out.insert(out.end(), s, s + 3);
            out.push_back(255);
        }
    }
    out.insert(out.end(), maskBytes, 0);
    return out;
}

void WriteIcon(const std::filesystem::path& path, ConstPixelView pixels) {
    const std::vector<std::uint8_t> bytes = EncodeIcon(pixels);
    WriteFileAtomically(path, bytes);
}

}  // namespace kelbo
