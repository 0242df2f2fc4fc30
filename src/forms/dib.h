// A 24-bit top-down DIB section whose rows have Bitmap24's layout, so the
// core's operations and GDI drawing work on the same memory.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/bitmap24.h"
#include "core/picture_target.h"
#include "forms/handle.h"

namespace kelbo::forms {

class DibSection {
public:
    DibSection() = default;
    // White. Throws std::invalid_argument for sides outside 0..65535,
    // BitmapSizeError when the system cannot make it.
    DibSection(int width, int height);
    explicit DibSection(ConstPixelView picture);

    DibSection(DibSection&&) noexcept = default;
    DibSection& operator=(DibSection&&) noexcept = default;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_; }
    HBITMAP Handle() const { return bitmap_.get(); }

    PixelView View();
    ConstPixelView View() const;
    Bitmap24 ToBitmap() const;

    // Stretches the picture into a rectangle of `dc`.
    void StretchTo(HDC dc, int x, int y, int width, int height) const;
    // Copies the pixels of `area` (clipped to the picture) to the same place of `dc`, unscaled.
    void CopyAreaTo(HDC dc, const RECT& area) const;

private:
    UniqueBitmap bitmap_;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A picture reader's target that makes the DIB section it is asked for, so a
// file is read straight into the document's picture.
class DibTarget : public PictureTarget {
public:
    PixelView Allocate(int width, int height) override {
        dib = std::make_shared<DibSection>(width, height);
        return dib->View();
    }

    std::shared_ptr<DibSection> dib;
};

// A memory DC holding a DIB section for GDI drawing on it; the DIB must
// outlive the canvas. Call GdiFlush() (done by the destructor) before the
// core touches the rows again.
class DibCanvas {
public:
    explicit DibCanvas(DibSection& dib);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    HDC dc() const { return dc_.get(); }

private:
    UniqueDc dc_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace kelbo::forms
