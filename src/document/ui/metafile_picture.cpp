#include "document/ui/metafile_picture.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "codecs/picture_files.h"
#include "core/file_io.h"
#include "core/picture_limits.h"
#include "core/rounding.h"
#include "core/text_encoding.h"
#include "forms/dib.h"
#include "forms/handle.h"

namespace kelbo {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;

struct EnhMetafileDeleter {
    void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); }
};
using UniqueEnhMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetafileDeleter>;

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& why) {
    throw PictureFileError(PathToUtf8(path) + ": " + why);
}

std::int16_t Int16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8));
}

struct WindowsMetafile {
    UniqueEnhMetafile metafile;
    SIZE stated{};  // from the placeable header; zero without one
};

// The placeable header's size in the screen's pixels: its inches are meant
// as the screen shows them, and the millimetres of the frame would round.
SIZE StatedSize(int width, int height, int inch) {
    const forms::WindowDc screen(nullptr);
    const long long dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX), dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return {static_cast<LONG>(Round(static_cast<long double>(width) * dpiX / inch)),
            static_cast<LONG>(Round(static_cast<long double>(height) * dpiY / inch))};
}

// A Windows metafile, with or without the placeable header that gives its
// size in inches; without one the platform assumes the reference device.
WindowsMetafile FromWindowsMetafile(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t key = 0;
    if (bytes.size() >= 4) std::memcpy(&key, bytes.data(), 4);
    if (key != kPlaceableKey) {
        return {UniqueEnhMetafile(SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, nullptr))};
    }
    if (bytes.size() <= kPlaceableHeaderSize) return {};
    const int left = Int16At(bytes, 6), top = Int16At(bytes, 8);
    const int right = Int16At(bytes, 10), bottom = Int16At(bytes, 12);
    const int inch = static_cast<std::uint16_t>(Int16At(bytes, 14));
    if (inch == 0) return {};
    METAFILEPICT picture{};
    picture.mm = MM_ANISOTROPIC;
    // Hundredths of a millimetre, as METAFILEPICT wants them.
    picture.xExt = static_cast<LONG>(static_cast<long long>(right - left) * 2540 / inch);
    picture.yExt = static_cast<LONG>(static_cast<long long>(bottom - top) * 2540 / inch);
    if (picture.xExt < 0) picture.xExt = -picture.xExt;
    if (picture.yExt < 0) picture.yExt = -picture.yExt;
    return {UniqueEnhMetafile(SetWinMetaFileBits(static_cast<UINT>(bytes.size() - kPlaceableHeaderSize),
                                                 bytes.data() + kPlaceableHeaderSize, nullptr, &picture)),
            StatedSize(std::abs(right - left), std::abs(bottom - top), inch)};
}

// Pixels of the metafile's frame on its reference device; the bounds the
// recording collected when the frame is empty.
SIZE PictureSizeOf(const ENHMETAHEADER& h) {
    const long long frameW = static_cast<long long>(h.rclFrame.right) - h.rclFrame.left;
    const long long frameH = static_cast<long long>(h.rclFrame.bottom) - h.rclFrame.top;
    if (frameW > 0 && frameH > 0 && h.szlMillimeters.cx > 0 && h.szlMillimeters.cy > 0) {
        return {static_cast<LONG>(
                    Round(static_cast<long double>(frameW) * h.szlDevice.cx / (h.szlMillimeters.cx * 100.0L))),
                static_cast<LONG>(
                    Round(static_cast<long double>(frameH) * h.szlDevice.cy / (h.szlMillimeters.cy * 100.0L)))};
    }
    return {static_cast<LONG>(
                std::min<long long>(static_cast<long long>(h.rclBounds.right) - h.rclBounds.left + 1, LONG_MAX)),
            static_cast<LONG>(
                std::min<long long>(static_cast<long long>(h.rclBounds.bottom) - h.rclBounds.top + 1, LONG_MAX))};
}

struct MetafileDeleter {
    void operator()(HMETAFILE h) const { DeleteMetaFile(h); }
};
using UniqueMetafile = std::unique_ptr<std::remove_pointer_t<HMETAFILE>, MetafileDeleter>;

// Windows metafile records keep their coordinates in 16 bits.
constexpr int kMaxWindowsMetafileSide = 32767;
constexpr std::uint16_t kPlaceableInch = 96;

// The picture's rows bottom-up, as every metafile reader takes a DIB.
struct PackedDib {
    BITMAPINFO info{};
    std::vector<std::uint8_t> rows;
};

PackedDib PackDib(ConstPixelView picture) {
    PackedDib dib;
    const int width = picture.Width(), height = picture.Height();
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    dib.rows.resize(stride * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(dib.rows.data() + stride * (height - 1 - y), picture.Row(y), static_cast<std::size_t>(width) * 3);
    BITMAPINFOHEADER& h = dib.info.bmiHeader;
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(dib.rows.size());
    return dib;
}

bool DrawDib(HDC dc, const PackedDib& dib) {
    const int width = dib.info.bmiHeader.biWidth, height = dib.info.bmiHeader.biHeight;
    return StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, dib.rows.data(), &dib.info, DIB_RGB_COLORS,
                         SRCCOPY) != 0;
}

// 0.01 mm of `pixels` on the screen, so that the reader's frame gives them back.
LONG FrameUnits(HDC screen, int pixels, int sizeIndex, int resIndex) {
    const long long mm = GetDeviceCaps(screen, sizeIndex), res = GetDeviceCaps(screen, resIndex);
    return static_cast<LONG>(Round(static_cast<long double>(pixels) * mm * 100 / res));
}

std::vector<std::uint8_t> EnhancedMetafileBytes(const PackedDib& dib, const std::filesystem::path& path) {
    const forms::WindowDc screen(nullptr);
    const int width = dib.info.bmiHeader.biWidth, height = dib.info.bmiHeader.biHeight;
    const RECT frame{0, 0, FrameUnits(screen.get(), width, HORZSIZE, HORZRES),
                     FrameUnits(screen.get(), height, VERTSIZE, VERTRES)};
    HDC dc = CreateEnhMetaFileW(screen.get(), nullptr, &frame, nullptr);
    if (!dc) Fail(path, "the metafile cannot be recorded");
    const bool drawn = DrawDib(dc, dib);
    const UniqueEnhMetafile metafile(CloseEnhMetaFile(dc));
    if (!drawn || !metafile) Fail(path, "the metafile cannot be recorded");
    std::vector<std::uint8_t> bytes(GetEnhMetaFileBits(metafile.get(), 0, nullptr));
    if (bytes.empty() || GetEnhMetaFileBits(metafile.get(), static_cast<UINT>(bytes.size()), bytes.data()) == 0)
        Fail(path, "the metafile cannot be recorded");
    return bytes;
}

void PutUint16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Key, no handle, bounds 0,0,width,height, units an inch, reserved, and the
// XOR of the ten words before the checksum.
std::vector<std::uint8_t> PlaceableHeader(int width, int height) {
    std::vector<std::uint8_t> header(kPlaceableHeaderSize, 0);
    PutUint16(header, 0, static_cast<std::uint16_t>(kPlaceableKey));
    PutUint16(header, 2, static_cast<std::uint16_t>(kPlaceableKey >> 16));
    PutUint16(header, 10, static_cast<std::uint16_t>(width));
    PutUint16(header, 12, static_cast<std::uint16_t>(height));
    PutUint16(header, 14, kPlaceableInch);
    std::uint16_t checksum = 0;
    for (std::size_t at = 0; at < 20; at += 2) checksum ^= static_cast<std::uint16_t>(header[at] | header[at + 1] << 8);
    PutUint16(header, 20, checksum);
    return header;
}

std::vector<std::uint8_t> WindowsMetafileBytes(const PackedDib& dib, const std::filesystem::path& path) {
    const int width = dib.info.bmiHeader.biWidth, height = dib.info.bmiHeader.biHeight;
    if (width > kMaxWindowsMetafileSide || height > kMaxWindowsMetafileSide) {
        Fail(path, "a Windows metafile holds at most " + std::to_string(kMaxWindowsMetafileSide) + " x " +
                       std::to_string(kMaxWindowsMetafileSide) + " pixels");
    }
    HDC dc = CreateMetaFileW(nullptr);
    if (!dc) Fail(path, "the metafile cannot be recorded");
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, width, height, nullptr);
    const bool drawn = DrawDib(dc, dib);
    const UniqueMetafile metafile(CloseMetaFile(dc));
    if (!drawn || !metafile) Fail(path, "the metafile cannot be recorded");
    const UINT size = GetMetaFileBitsEx(metafile.get(), 0, nullptr);
    std::vector<std::uint8_t> bytes = PlaceableHeader(width, height);
    bytes.resize(kPlaceableHeaderSize + size);
    if (size == 0 || GetMetaFileBitsEx(metafile.get(), size, bytes.data() + kPlaceableHeaderSize) == 0)
        Fail(path, "the metafile cannot be recorded");
    return bytes;
}

}  // namespace

std::shared_ptr<forms::DibSection> RenderMetafile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const std::exception& e) {
        throw PictureFileError(e.what());  // the message names the file
    }
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) Fail(path, "the file is not a metafile");
    WindowsMetafile read;
    if (UpperExtension(path) == ".EMF")
        read.metafile.reset(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()));
    else
        read = FromWindowsMetafile(bytes);
    const UniqueEnhMetafile& metafile = read.metafile;
    if (!metafile) Fail(path, "the file is not a metafile");
    ENHMETAHEADER header{};
    if (GetEnhMetaFileHeader(metafile.get(), sizeof header, &header) == 0) Fail(path, "the file is not a metafile");
    const SIZE size = read.stated.cx > 0 && read.stated.cy > 0 ? read.stated : PictureSizeOf(header);
    if (size.cx <= 0 || size.cy <= 0) {
        Fail(path, "the metafile's size " + std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                       " cannot be made into a picture");
    }
    // A hostile header can claim any size.
    if (auto tooLarge = PictureSizeProblem(static_cast<std::uint64_t>(size.cx), static_cast<std::uint64_t>(size.cy)))
        Fail(path, *tooLarge);
    auto dib = std::make_shared<forms::DibSection>(size.cx, size.cy);
    {
        forms::DibCanvas canvas(*dib);
        const RECT area{0, 0, size.cx, size.cy};
        PlayEnhMetaFile(canvas.dc(), metafile.get(), &area);
    }
    return dib;
}

void SaveMetafile(ConstPixelView picture, const std::filesystem::path& path) {
    if (picture.Empty()) Fail(path, "an empty picture cannot be written");
    const PackedDib dib = PackDib(picture);
    const std::vector<std::uint8_t> bytes = UpperExtension(path) == ".EMF" ? EnhancedMetafileBytes(dib, path)
                                                                           : WindowsMetafileBytes(dib, path);
    WriteFileAtomically(path, bytes);
}

}  // namespace kelbo
