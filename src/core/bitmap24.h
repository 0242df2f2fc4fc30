#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/color.h"

namespace kelbo {

// Thrown for a bitmap larger than the program's 16-bit loop counters allow or
// whose byte size does not fit in memory arithmetic.
class BitmapSizeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kMaxBitmapDimension = 65535;

// Bytes per row of a 24-bit DIB: 3 per pixel rounded up to a multiple of 4.
// Throws BitmapSizeError for widths outside 0..kMaxBitmapDimension.
std::size_t Stride24(int width);

// A non-owning view of 24-bit pixels: rows of blue, green, red bytes. The
// stride may exceed 3*width (padding) and may be negative, so a bottom-up DIB
// can be viewed top-down by starting at its last row.
class PixelView {
public:
    PixelView() = default;
    // Throws std::invalid_argument for sizes out of range, a null pointer with
    // pixels, or |stride| < 3*width.
    PixelView(std::uint8_t* topRow, int width, int height, std::ptrdiff_t stride);

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::ptrdiff_t Stride() const { return stride_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* Row(int y) const { return top_ + y * stride_; }

    // Bounds-checked single-pixel access (std::out_of_range); rows are faster.
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color c) const;
    void Fill(Color c) const;

private:
    std::uint8_t* top_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::ptrdiff_t stride_ = 0;
};

class ConstPixelView {
public:
    ConstPixelView() = default;
    ConstPixelView(const std::uint8_t* topRow, int width, int height, std::ptrdiff_t stride);
    ConstPixelView(const PixelView& v)  // NOLINT: a writable view is readable
        : top_(v.Row(0)), width_(v.Width()), height_(v.Height()), stride_(v.Stride()) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::ptrdiff_t Stride() const { return stride_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    const std::uint8_t* Row(int y) const { return top_ + y * stride_; }

    Color Pixel(int x, int y) const;

private:
    const std::uint8_t* top_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::ptrdiff_t stride_ = 0;
};

// Rows [top, top + rows.Height()) of a larger picture that is never held
// whole: what an operation fills when its result is written a band at a time.
struct RowBand {
    PixelView rows;
    int top = 0;

    std::uint8_t* Row(int y) const { return rows.Row(y - top); }
    int End() const { return top + rows.Height(); }
};

// Compares sizes and pixels, ignoring row padding.
// Copies the pixels (not the padding) of `source` into `target` row by
// row; both must have the same width and height (std::invalid_argument).
void CopyPixels(PixelView target, ConstPixelView source);
bool SamePixels(ConstPixelView a, ConstPixelView b);

// The owning working bitmap: top-down rows in the DIB layout, black when made.
class Bitmap24 {
public:
    Bitmap24() = default;
    // Throws BitmapSizeError when either side exceeds kMaxBitmapDimension, is
    // negative, or the byte size cannot be allocated.
    Bitmap24(int width, int height);
    Bitmap24(int width, int height, Color fill);

    Bitmap24(const Bitmap24&) = default;
    Bitmap24& operator=(const Bitmap24&) = default;
    // A moved-from bitmap is left empty (0 x 0), never with a size but no rows.
    Bitmap24(Bitmap24&& other) noexcept;
    Bitmap24& operator=(Bitmap24&& other) noexcept;
    ~Bitmap24() = default;

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::size_t Stride() const { return stride_; }
    std::size_t ByteSize() const { return pixels_.size(); }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
    const std::uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
    std::uint8_t* Data() { return pixels_.data(); }
    const std::uint8_t* Data() const { return pixels_.data(); }

    PixelView View();
    ConstPixelView View() const;
    ConstPixelView ConstView() const { return View(); }

    Color Pixel(int x, int y) const { return View().Pixel(x, y); }
    void SetPixel(int x, int y, Color c) { View().SetPixel(x, y, c); }
    void Fill(Color c) { View().Fill(c); }

    // Copies pixels (not padding) of a view of any stride.
    static Bitmap24 CopyOf(ConstPixelView source);

    friend bool operator==(const Bitmap24& a, const Bitmap24& b) { return SamePixels(a.View(), b.View()); }

private:
    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace kelbo
