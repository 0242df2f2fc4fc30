#include "forms/dib.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace kelbo::forms {

DibSection::DibSection(int width, int height) {
    if (width < 0 || height < 0 || width > 65535 || height > 65535) throw std::invalid_argument("Bad picture size");
    width_ = width;
    height_ = height;
    if (width == 0 || height == 0) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down, as Bitmap24
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const auto noMemory = [&] {
        return BitmapSizeError("not enough memory for a picture of " + std::to_string(width) + " x " +
                               std::to_string(height) + " pixels");
    };
    // GDI counts a DIB's bytes in 32 bits, and so does a 32-bit build's memset.
    if (static_cast<std::uint64_t>(Stride24(width)) * static_cast<std::uint64_t>(height) > INT32_MAX) throw noMemory();
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    // Null also when the address space has no hole that large (a 32-bit build).
    if (!bitmap_) throw noMemory();
    bits_ = static_cast<std::uint8_t*>(bits);
    std::memset(bits_, 0xFF, static_cast<size_t>(Stride24(width)) * static_cast<size_t>(height));
}

DibSection::DibSection(ConstPixelView picture) : DibSection(picture.Width(), picture.Height()) {
    CopyPixels(View(), picture);
}

PixelView DibSection::View() {
    return PixelView(bits_, width_, height_, static_cast<std::ptrdiff_t>(Stride24(width_)));
}

ConstPixelView DibSection::View() const {
    return ConstPixelView(bits_, width_, height_, static_cast<std::ptrdiff_t>(Stride24(width_)));
}

Bitmap24 DibSection::ToBitmap() const {
    GdiFlush();
    return Bitmap24::CopyOf(View());
}

void DibSection::CopyAreaTo(HDC dc, const RECT& area) const {
    if (Empty()) return;
    const int left = std::max<int>(area.left, 0);
    const int top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, width_);
    const int bottom = std::min<int>(area.bottom, height_);
    if (left >= right || top >= bottom) return;
    GdiFlush();
    // The rows top … bottom − 1 as a DIB of their own, so the source's y
    // needs none of the bottom-up conventions.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -(bottom - top);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const std::uint8_t* rows = bits_ + static_cast<std::size_t>(top) * Stride24(width_);
    StretchDIBits(dc, left, top, right - left, bottom - top, left, 0, right - left, bottom - top, rows, &bi,
                  DIB_RGB_COLORS, SRCCOPY);
}

void DibSection::StretchTo(HDC dc, int x, int y, int width, int height) const {
    if (Empty()) return;
    GdiFlush();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, width, height, 0, 0, width_, height_, bits_, &bi, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

DibCanvas::DibCanvas(DibSection& dib) : dc_(CreateCompatibleDC(nullptr)) {
    if (!dc_) throw std::runtime_error("Cannot create a drawing surface");
    old_ = SelectObject(dc_.get(), dib.Handle());
}

DibCanvas::~DibCanvas() {
    GdiFlush();
    SelectObject(dc_.get(), old_);
}

}  // namespace kelbo::forms
