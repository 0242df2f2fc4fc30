#include "browser/ui/browser_images.h"

#include <functional>

namespace kelbo {
namespace {

constexpr int kSide = 16;
constexpr COLORREF kMask = RGB(255, 0, 255);

void Box(HDC dc, int l, int t, int r, int b, COLORREF fill) {
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, l, t, r, b);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

void Disc(HDC dc, int l, int t, int r, int b, COLORREF fill) {
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, l, t, r, b);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

HBITMAP Draw(int width, int height, const std::function<void(HDC)>& paint) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    HBRUSH background = CreateSolidBrush(kMask);
    FillRect(dc, &all, background);
    DeleteObject(background);
    paint(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

constexpr COLORREF kFolder = RGB(240, 200, 60);
constexpr COLORREF kDisk = RGB(170, 170, 170);

}  // namespace

HIMAGELIST MakeBrowserImages() {
    HIMAGELIST list = ImageList_Create(kSide, kSide, ILC_COLOR24 | ILC_MASK, 8, 0);
    const std::function<void(HDC)> images[8] = {
        [](HDC dc) {  // closed folder
            Box(dc, 1, 3, 7, 6, kFolder);
            Box(dc, 1, 5, 15, 14, kFolder);
        },
        [](HDC dc) {  // open folder
            Box(dc, 1, 3, 7, 6, kFolder);
            Box(dc, 1, 5, 13, 14, RGB(200, 160, 40));
            Box(dc, 3, 8, 15, 14, kFolder);
        },
        [](HDC dc) {  // computer
            Box(dc, 2, 1, 14, 10, RGB(0, 128, 128));
            Box(dc, 5, 10, 11, 12, kDisk);
            Box(dc, 1, 12, 15, 15, kDisk);
        },
        [](HDC dc) {  // removable disk
            Box(dc, 2, 2, 14, 14, RGB(40, 40, 160));
            Box(dc, 5, 2, 11, 7, RGB(230, 230, 230));
        },
        [](HDC dc) {  // hard disk
            Box(dc, 1, 5, 15, 12, kDisk);
            Box(dc, 11, 8, 13, 10, RGB(0, 200, 0));
        },
        [](HDC dc) {  // a drive
            Box(dc, 1, 5, 15, 12, kDisk);
        },
        [](HDC dc) {  // a drive with a network cable
            Box(dc, 1, 2, 15, 9, kDisk);
            Box(dc, 7, 9, 9, 13, RGB(0, 0, 0));
            Box(dc, 3, 13, 13, 15, RGB(0, 0, 0));
        },
        [](HDC dc) {  // compact disc
            Disc(dc, 1, 1, 15, 15, RGB(220, 220, 240));
            Disc(dc, 6, 6, 10, 10, kMask);
        },
    };
    for (const auto& paint : images) {
        HBITMAP bitmap = Draw(kSide, kSide, paint);
        ImageList_AddMasked(list, bitmap, kMask);
        DeleteObject(bitmap);
    }
    return list;
}

std::shared_ptr<forms::DibSection> MakeBrokenPictureGlyph() {
    auto glyph = std::make_shared<forms::DibSection>(60, 45);
    const forms::DibCanvas canvas(*glyph);
    Box(canvas.dc(), 0, 0, 60, 45, RGB(255, 255, 255));
    HPEN red = CreatePen(PS_SOLID, 3, RGB(200, 0, 0));
    HGDIOBJ old = SelectObject(canvas.dc(), red);
    MoveToEx(canvas.dc(), 8, 8, nullptr);
    LineTo(canvas.dc(), 52, 37);
    MoveToEx(canvas.dc(), 52, 8, nullptr);
    LineTo(canvas.dc(), 8, 37);
    SelectObject(canvas.dc(), old);
    DeleteObject(red);
    return glyph;
}

}  // namespace kelbo
