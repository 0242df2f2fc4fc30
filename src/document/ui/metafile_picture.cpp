#include "document/ui/metafile_picture.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "codecs/picture_files.h"
#include "core/file_io.h"
#include "core/rounding.h"
#include "core/text_encoding.h"
#include "forms/dib.h"

namespace kelbo {
namespace {

// A hostile header can claim any size; more than this many pixels is refused
// rather than tried (it is about 300 MB of picture).
constexpr long long kMaxPixels = 100'000'000;
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

// A Windows metafile, with or without the placeable header that gives its
// size in inches; without one the platform assumes the reference device.
HENHMETAFILE FromWindowsMetafile(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t key = 0;
    if (bytes.size() >= 4) std::memcpy(&key, bytes.data(), 4);
    if (key != kPlaceableKey) {
        return SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, nullptr);
    }
    if (bytes.size() <= kPlaceableHeaderSize) return nullptr;
    const int left = Int16At(bytes, 6), top = Int16At(bytes, 8);
    const int right = Int16At(bytes, 10), bottom = Int16At(bytes, 12);
    const int inch = static_cast<std::uint16_t>(Int16At(bytes, 14));
    if (inch == 0) return nullptr;
    METAFILEPICT picture{};
    picture.mm = MM_ANISOTROPIC;
    // Hundredths of a millimetre, as METAFILEPICT wants them.
    picture.xExt = static_cast<LONG>(static_cast<long long>(right - left) * 2540 / inch);
    picture.yExt = static_cast<LONG>(static_cast<long long>(bottom - top) * 2540 / inch);
    if (picture.xExt < 0) picture.xExt = -picture.xExt;
    if (picture.yExt < 0) picture.yExt = -picture.yExt;
    return SetWinMetaFileBits(static_cast<UINT>(bytes.size() - kPlaceableHeaderSize),
                              bytes.data() + kPlaceableHeaderSize, nullptr, &picture);
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

}  // namespace

std::shared_ptr<forms::DibSection> RenderMetafile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const std::exception& e) {
        throw PictureFileError(e.what());  // the message names the file
    }
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) Fail(path, "the file is not a metafile");
    const bool enhanced = UpperExtension(path) == ".EMF";
    UniqueEnhMetafile metafile(enhanced ? SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data())
                                        : FromWindowsMetafile(bytes));
    if (!metafile) Fail(path, "the file is not a metafile");
    ENHMETAHEADER header{};
    if (GetEnhMetaFileHeader(metafile.get(), sizeof header, &header) == 0) Fail(path, "the file is not a metafile");
    const SIZE size = PictureSizeOf(header);
    if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxBitmapDimension || size.cy > kMaxBitmapDimension ||
        static_cast<long long>(size.cx) * size.cy > kMaxPixels) {
        Fail(path, "the metafile's size " + std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                       " cannot be made into a picture");
    }
    auto dib = std::make_shared<forms::DibSection>(size.cx, size.cy);
    {
        forms::DibCanvas canvas(*dib);
        const RECT area{0, 0, size.cx, size.cy};
        PlayEnhMetaFile(canvas.dc(), metafile.get(), &area);
    }
    return dib;
}

}  // namespace kelbo
