// The effects' portable shapes against the platform's own drawing.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <random>

#include "imaging/effects/raster.h"

namespace kelbo {
namespace {

constexpr int kSide = 160;
constexpr COLORREF kInk = RGB(200, 30, 90);

// A white top-down 24-bit DIB section with a one-pixel pen and a brush of kInk.
class GdiCanvas {
public:
    GdiCanvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kSide;
        info.bmiHeader.biHeight = -kSide;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        pen_ = CreatePen(PS_SOLID, 1, kInk);
        brush_ = CreateSolidBrush(kInk);
        SelectObject(dc_, bitmap_);
        SelectObject(dc_, pen_);
        SelectObject(dc_, brush_);
        PatBlt(dc_, 0, 0, kSide, kSide, WHITENESS);
        GdiFlush();
    }
    ~GdiCanvas() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        DeleteObject(pen_);
        DeleteObject(brush_);
    }
    HDC Dc() const { return dc_; }
    Bitmap24 Pixels() const {
        GdiFlush();
        Bitmap24 copy(kSide, kSide);
        for (int y = 0; y < kSide; ++y)
            std::memcpy(copy.Row(y), static_cast<const std::uint8_t*>(bits_) + y * copy.Stride(), 3 * kSide);
        return copy;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HPEN pen_;
    HBRUSH brush_;
    void* bits_ = nullptr;
};

TEST(GdiRaster, DrawsWhatThePlatformDraws) {
    std::mt19937 random(2024);
    const auto draw = [&](int kind, int l, int t, int r, int b) {
        GdiCanvas gdi;
        Bitmap24 ours(kSide, kSide, colors::kWhite);
        if (kind == 0) {
            Ellipse(gdi.Dc(), l, t, r, b);
            FillGdiEllipse(ours.View(), l, t, r, b, kInk);
        } else if (kind == 1) {
            Rectangle(gdi.Dc(), l, t, r, b);
            FillGdiRectangle(ours.View(), l, t, r, b, kInk);
        } else {
            MoveToEx(gdi.Dc(), l, t, nullptr);
            LineTo(gdi.Dc(), r, b);
            DrawGdiLine(ours.View(), {l, t}, {r, b}, kInk);
        }
        EXPECT_EQ(gdi.Pixels(), ours) << "shape " << kind << ": " << l << ", " << t << ", " << r << ", " << b;
    };
    const auto coordinate = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int i = 0; i < 48; ++i) {
        // The dots of the effects: boxes 6 - r on a side, r up to the shrink; and larger ones.
        const int l = coordinate(-8, 150), t = coordinate(-8, 150);
        int w = i < 24 ? 6 - coordinate(0, 6) : coordinate(-100, 100);
        const int h = i < 24 ? 6 - coordinate(0, 6) : coordinate(-100, 100);
        // The platform leaves out the tips of ellipses 3 or 4 pixels wide and taller than 12.
        if ((std::abs(w) == 3 || std::abs(w) == 4) && std::abs(h) > 12) w = 5;
        draw(0, l, t, l + w, t + h);
        draw(1, l, t, l + coordinate(-20, 20), t + coordinate(-20, 20));
        const bool across = i % 2 == 0;
        const int length = coordinate(-70, 70);
        draw(2, l, t, across ? l + length : l, across ? t : t + length);
    }
}

}  // namespace
}  // namespace kelbo
