#include "core/bitmap24.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <new>
#include <string>
#include <utility>

#include "core/checked_math.h"

namespace kelbo {
namespace {

bool DimensionOk(int n) { return n >= 0 && n <= kMaxBitmapDimension; }

void CheckViewArguments(const void* top, int width, int height, std::ptrdiff_t stride) {
    if (!DimensionOk(width) || !DimensionOk(height)) {
        throw std::invalid_argument("pixel view: size " + std::to_string(width) + " x " + std::to_string(height) +
                                    " out of range");
    }
    if (width == 0 || height == 0) return;
    if (top == nullptr) throw std::invalid_argument("pixel view: no pixel memory");
    const std::ptrdiff_t magnitude = stride < 0 ? -stride : stride;
    if (magnitude < static_cast<std::ptrdiff_t>(width) * 3) {
        throw std::invalid_argument("pixel view: stride " + std::to_string(stride) + " is shorter than a row of " +
                                    std::to_string(width) + " pixels");
    }
}

void CheckInside(int x, int y, int width, int height) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside " +
                                std::to_string(width) + " x " + std::to_string(height));
    }
}

Color ReadPixel(const std::uint8_t* p) { return Rgb(p[2], p[1], p[0]); }

}  // namespace

std::size_t Stride24(int width) {
    if (!DimensionOk(width)) {
        throw BitmapSizeError("bitmap width " + std::to_string(width) + " out of range 0.." +
                              std::to_string(kMaxBitmapDimension));
    }
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

PixelView::PixelView(std::uint8_t* topRow, int width, int height, std::ptrdiff_t stride)
    : top_(topRow), width_(width), height_(height), stride_(stride) {
    CheckViewArguments(topRow, width, height, stride);
}

Color PixelView::Pixel(int x, int y) const {
    CheckInside(x, y, width_, height_);
    return ReadPixel(Row(y) + x * 3);
}

void PixelView::SetPixel(int x, int y, Color c) const {
    CheckInside(x, y, width_, height_);
    std::uint8_t* p = Row(y) + x * 3;
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
}

void PixelView::Fill(Color c) const {
    const std::uint8_t bgr[3] = {BlueOf(c), GreenOf(c), RedOf(c)};
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = Row(y);
        for (int x = 0; x < width_; ++x, p += 3) std::memcpy(p, bgr, 3);
    }
}

ConstPixelView::ConstPixelView(const std::uint8_t* topRow, int width, int height, std::ptrdiff_t stride)
    : top_(topRow), width_(width), height_(height), stride_(stride) {
    CheckViewArguments(topRow, width, height, stride);
}

Color ConstPixelView::Pixel(int x, int y) const {
    CheckInside(x, y, width_, height_);
    return ReadPixel(Row(y) + x * 3);
}

bool SamePixels(ConstPixelView a, ConstPixelView b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    const std::size_t rowBytes = static_cast<std::size_t>(a.Width()) * 3;
    if (rowBytes == 0) return true;
    for (int y = 0; y < a.Height(); ++y) {
        if (std::memcmp(a.Row(y), b.Row(y), rowBytes) != 0) return false;
    }
    return true;
}

Bitmap24::Bitmap24(int width, int height) {
    if (!DimensionOk(width) || !DimensionOk(height)) {
        throw BitmapSizeError("bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                              " out of range 0.." + std::to_string(kMaxBitmapDimension));
    }
    const std::size_t stride = Stride24(width);
    const auto bytes = CheckedMul(stride, static_cast<std::size_t>(height));
    if (!bytes) {
        throw BitmapSizeError("bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                              " too large for this machine");
    }
    try {
        pixels_.assign(*bytes, 0);
    } catch (const std::bad_alloc&) {
        throw BitmapSizeError("not enough memory for a bitmap of " + std::to_string(width) + " x " +
                              std::to_string(height));
    } catch (const std::length_error&) {
        throw BitmapSizeError("bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                              " too large for this machine");
    }
    width_ = width;
    height_ = height;
    stride_ = stride;
}

Bitmap24::Bitmap24(int width, int height, Color fill) : Bitmap24(width, height) { Fill(fill); }

Bitmap24::Bitmap24(Bitmap24&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      stride_(std::exchange(other.stride_, 0)),
      pixels_(std::move(other.pixels_)) {
    other.pixels_.clear();
}

Bitmap24& Bitmap24::operator=(Bitmap24&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
        pixels_ = std::move(other.pixels_);
        other.pixels_.clear();
    }
    return *this;
}

PixelView Bitmap24::View() { return PixelView(pixels_.data(), width_, height_, static_cast<std::ptrdiff_t>(stride_)); }

ConstPixelView Bitmap24::View() const {
    return ConstPixelView(pixels_.data(), width_, height_, static_cast<std::ptrdiff_t>(stride_));
}

void CopyPixels(PixelView target, ConstPixelView source) {
    if (target.Width() != source.Width() || target.Height() != source.Height())
        throw std::invalid_argument("CopyPixels: the pictures differ in size");
    const std::size_t rowBytes = static_cast<std::size_t>(source.Width()) * 3;
    if (rowBytes == 0) return;
    for (int y = 0; y < source.Height(); ++y) std::memcpy(target.Row(y), source.Row(y), rowBytes);
}

Bitmap24 Bitmap24::CopyOf(ConstPixelView source) {
    Bitmap24 copy(source.Width(), source.Height());
    CopyPixels(copy.View(), source);
    return copy;
}

}  // namespace kelbo
