#include "controls/close_panel.h"

#include <algorithm>
#include <string>

#include "forms/controls.h"
#include "forms/text.h"

namespace kelbo::controls {

forms::UniqueBitmap DrawGlyph(const GlyphArt& art) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = art.width;
    info.bmiHeader.biHeight = -art.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    forms::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    const int stride = (art.width * 3 + 3) & ~3;
    auto* rows = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            const std::uint32_t rgb = GlyphPixelSet(art, x, y) ? kGlyphForeground : kGlyphBackground;
            std::uint8_t* p = rows + y * stride + x * 3;
            p[0] = static_cast<std::uint8_t>(rgb);
            p[1] = static_cast<std::uint8_t>(rgb >> 8);
            p[2] = static_cast<std::uint8_t>(rgb >> 16);
        }
    }
    return bitmap;
}

forms::UniqueBitmap LoadGlyph(const GlyphArt& art) {
    const std::wstring name = forms::Wide(art.name);
    forms::UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(forms::ModuleInstance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (bitmap) return bitmap;
    return DrawGlyph(art);
}

void TClosePanel::Create(HWND parent, const forms::Bounds& b) {
    forms::Panel::Create(parent, b, "", false);
    SetColor(static_cast<Color>(GetSysColor(COLOR_ACTIVECAPTION)));
    fontColor_ = static_cast<Color>(GetSysColor(COLOR_CAPTIONTEXT));
    RollButton.Create(Handle(), {0, 0, kButtonSize, kButtonSize});
    CloseButton.Create(Handle(), {0, 0, kButtonSize, kButtonSize});
    RollButton.OnClick = [this] { RollButtonClick(); };
    CloseButton.OnClick = [this] { CloseButtonClick(); };
    SetRollGlyph({});
    SetCloseGlyph({});
    // Creation sends no size change, so the minimum and the places are set here.
    EnforceMinimum();
    PlaceButtons();
}

void TClosePanel::SetRollGlyph(forms::UniqueBitmap glyph) {
    if (glyph) {
        RollButton.SetGlyph(std::move(glyph));
    } else {
        RollButton.SetGlyph(LoadGlyph(kRollDownArt));
        RollButton.SetNumGlyphs(1);
    }
}

void TClosePanel::SetCloseGlyph(forms::UniqueBitmap glyph) {
    if (glyph) {
        CloseButton.SetGlyph(std::move(glyph));
    } else {
        CloseButton.SetGlyph(LoadGlyph(kCrossArt));
        CloseButton.SetNumGlyphs(1);
    }
}

void TClosePanel::SetRollType(bool rolled) {
    rollType_ = rolled;
    RollButton.SetGlyph(LoadGlyph(rolled ? kRollUpArt : kRollDownArt));
    RollButton.SetNumGlyphs(1);
    RollButton.Repaint();
}

void TClosePanel::SetVertical(bool vertical) {
    vertical_ = vertical;
    if (!Exists()) return;
    EnforceMinimum();
    PlaceButtons();
}

void TClosePanel::SetFontColor(Color color) {
    fontColor_ = color;
    Invalidate();
}

void TClosePanel::EnforceMinimum() {
    const forms::Bounds now = GetBounds();
    const int width = vertical_ ? now.width : std::max(now.width, kMinimumSize);
    const int height = vertical_ ? std::max(now.height, kMinimumSize) : now.height;
    if (width != now.width || height != now.height)
        SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TClosePanel::PlaceButtons() {
    if (!RollButton.Exists() || !CloseButton.Exists()) return;
    if (vertical_) {
        CloseButton.SetBounds({2, 2, kButtonSize, kButtonSize});
        RollButton.SetBounds({2, 16, kButtonSize, kButtonSize});
    } else {
        const int width = Width();
        CloseButton.SetBounds({width - 15, 2, kButtonSize, kButtonSize});
        RollButton.SetBounds({width - 30, 2, kButtonSize, kButtonSize});
    }
}

void TClosePanel::RollButtonClick() {
    SetRollType(!rollType_);
    if (auto handler = OnRollClick) handler(*this);  // a copy: the handler may free the panel
}

void TClosePanel::CloseButtonClick() {
    if (auto handler = OnCloseClick) handler(*this);
}

void TClosePanel::Paint() {
    forms::PaintScope paint(Handle());
    RECT r{};
    GetClientRect(Handle(), &r);
    forms::UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(GetColor())));
    FillRect(paint.dc(), &r, brush.get());
    DrawEdge(paint.dc(), &r, BDR_SUNKENOUTER, BF_RECT);
    const std::wstring caption = forms::Wide(Text());
    if (caption.empty()) return;
    forms::SelectGuard font(paint.dc(), forms::DefaultFont());
    SetBkMode(paint.dc(), TRANSPARENT);
    SetTextColor(paint.dc(), static_cast<COLORREF>(fontColor_));
    RECT t = r;
    InflateRect(&t, -4, 0);
    DrawTextW(paint.dc(), caption.c_str(), -1, &t,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT TClosePanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (RollButton.Exists() && CloseButton.Exists() && !(pos->flags & SWP_NOSIZE)) {
            if (vertical_)
                pos->cy = std::max(pos->cy, kMinimumSize);
            else
                pos->cx = std::max(pos->cx, kMinimumSize);
        }
        break;
    }
    case WM_SIZE: PlaceButtons(); break;
    case WM_PAINT: Paint(); return 0;
    }
    return forms::Panel::HandleMessage(msg, wParam, lParam);
}

}  // namespace kelbo::controls
