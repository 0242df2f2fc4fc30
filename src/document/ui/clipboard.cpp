#include "document/ui/clipboard.h"

#include <cstring>
#include <stdexcept>

#include "core/picture_limits.h"
#include "forms/handle.h"

namespace kelbo {
namespace {

constexpr char kRefused[] = "Schránku teraz používa iný program.";

// The clipboard open for one scope; other programs wait meanwhile.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        // Another program may hold it for a moment.
        for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(20);
        }
        if (!open_) throw std::runtime_error(kRefused);
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

private:
    bool open_ = false;
};

// A global block locked for one scope.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    void* data() const { return data_; }

private:
    HGLOBAL block_;
    void* data_;
};

// A packed DIB: the header, then the rows bottom-up, as most readers expect.
forms::UniqueGlobal PackedDib(ConstPixelView picture) {
    const size_t stride = Stride24(picture.Width());
    const size_t bytes = sizeof(BITMAPINFOHEADER) + stride * static_cast<size_t>(picture.Height());
    forms::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block) throw std::runtime_error("Not enough memory for the clipboard");
    LockedGlobal locked(block.get());
    auto* header = static_cast<BITMAPINFOHEADER*>(locked.data());
    if (!header) throw std::runtime_error("Not enough memory for the clipboard");
    std::memset(header, 0, bytes);
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = picture.Width();
    header->biHeight = picture.Height();
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(stride * static_cast<size_t>(picture.Height()));
    auto* rows = reinterpret_cast<std::uint8_t*>(header + 1);
    for (int y = 0; y < picture.Height(); ++y) {
        std::memcpy(rows + stride * static_cast<size_t>(picture.Height() - 1 - y), picture.Row(y),
                    3 * static_cast<size_t>(picture.Width()));
    }
    return block;
}

// Where the pixels of a packed DIB start, or 0 when its header is not one
// we can trust within `bytes`.
size_t PixelOffset(const BITMAPINFOHEADER& h, size_t bytes) {
    if (bytes < sizeof(BITMAPINFOHEADER) || h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > bytes) return 0;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) return 0;
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return 0;
    size_t colours = h.biClrUsed;
    if (h.biBitCount <= 8 && colours == 0) colours = size_t{1} << h.biBitCount;
    if (colours > 256) return 0;
    size_t offset = h.biSize + colours * sizeof(RGBQUAD);
    // A version-1 header keeps its three masks after it.
    if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) offset += 3 * sizeof(DWORD);
    const size_t height = static_cast<size_t>(h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight);
    const size_t stride = ((static_cast<size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    if (offset > bytes || stride * height > bytes - offset) return 0;
    return offset;
}

std::shared_ptr<forms::DibSection> FromPackedDib(HGLOBAL block) {
    LockedGlobal locked(block);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(locked.data());
    if (!header) return nullptr;
    const size_t offset = PixelOffset(*header, GlobalSize(block));
    if (offset == 0) return nullptr;
    const int width = header->biWidth;
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    // Another program's header: held to the limits of a picture file's.
    if (auto tooLarge = PictureSizeProblem(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height)))
        throw std::runtime_error(*tooLarge);
    auto picture = std::make_shared<forms::DibSection>(width, height);
    forms::DibCanvas canvas(*picture);
    const auto* bits = reinterpret_cast<const std::uint8_t*>(header) + offset;
    SetDIBitsToDevice(canvas.dc(), 0, 0, width, height, 0, 0, 0, height, bits,
                      reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    return picture;
}

std::shared_ptr<forms::DibSection> FromBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
    if (auto tooLarge = PictureSizeProblem(static_cast<std::uint64_t>(info.bmWidth),
                                           static_cast<std::uint64_t>(info.bmHeight)))
        throw std::runtime_error(*tooLarge);
    auto picture = std::make_shared<forms::DibSection>(info.bmWidth, info.bmHeight);
    forms::DibCanvas canvas(*picture);
    forms::UniqueDc source(CreateCompatibleDC(nullptr));
    if (!source) throw std::runtime_error("Cannot create a drawing surface");
    forms::SelectGuard selected(source.get(), bitmap);
    BitBlt(canvas.dc(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    return picture;
}

}  // namespace

void PutPictureOnClipboard(HWND owner, ConstPixelView picture) {
    forms::UniqueGlobal block = PackedDib(picture);
    OpenedClipboard clipboard(owner);
    if (!EmptyClipboard()) throw std::runtime_error(kRefused);
    // The clipboard owns the block once it has taken it.
    if (!SetClipboardData(CF_DIB, block.get())) throw std::runtime_error(kRefused);
    block.release();
}

std::shared_ptr<forms::DibSection> TakePictureFromClipboard(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_DIB) && !IsClipboardFormatAvailable(CF_BITMAP)) return nullptr;
    OpenedClipboard clipboard(owner);
    if (HANDLE dib = GetClipboardData(CF_DIB)) {
        if (auto picture = FromPackedDib(static_cast<HGLOBAL>(dib))) return picture;
    }
    if (HANDLE bitmap = GetClipboardData(CF_BITMAP)) return FromBitmap(static_cast<HBITMAP>(bitmap));
    return nullptr;
}

}  // namespace kelbo
