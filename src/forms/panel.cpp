#include "forms/panel.h"

#include <windowsx.h>

#include "forms/controls.h"
#include "forms/handle.h"
#include "forms/text.h"

namespace kelbo::forms {

bool HandleMouse(const MouseEvents& e, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        SetCapture(hwnd);
        const MouseButton b = msg == WM_LBUTTONDOWN   ? MouseButton::kLeft
                              : msg == WM_RBUTTONDOWN ? MouseButton::kRight
                                                      : MouseButton::kMiddle;
        if (e.OnMouseDown) e.OnMouseDown(b, wParam, x, y);
        return true;
    }
    case WM_MOUSEMOVE:
        if (e.OnMouseMove) e.OnMouseMove(wParam, x, y);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (GetCapture() == hwnd) ReleaseCapture();
        const MouseButton b = msg == WM_LBUTTONUP   ? MouseButton::kLeft
                              : msg == WM_RBUTTONUP ? MouseButton::kRight
                                                    : MouseButton::kMiddle;
        if (e.OnMouseUp) e.OnMouseUp(b, wParam, x, y);
        if (b == MouseButton::kLeft && e.OnClick) e.OnClick();
        return true;
    }
    }
    return false;
}

void Panel::Create(HWND parent, const Bounds& b, std::string_view caption, bool raised) {
    raised_ = raised;
    CreateHandle(L"KelboPanel", WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, caption,
                 b, parent, nullptr);
}

void Panel::SetColor(Color color) {
    color_ = color;
    hasColor_ = true;
    Invalidate();
}

void Panel::SetUnderline(bool underline) {
    if (underline == underline_) return;
    underline_ = underline;
    if (underline && !underlineFont_) {
        LOGFONTW lf{};
        GetObjectW(DefaultFont(), sizeof lf, &lf);
        lf.lfUnderline = TRUE;
        underlineFont_.reset(CreateFontIndirectW(&lf));
    }
    Invalidate();
}

void Panel::Paint() {
    PaintScope paint(Handle());
    RECT r{};
    GetClientRect(Handle(), &r);
    UniqueBrush brush(CreateSolidBrush(hasColor_ ? static_cast<COLORREF>(color_) : GetSysColor(COLOR_BTNFACE)));
    FillRect(paint.dc(), &r, brush.get());
    if (raised_) DrawEdge(paint.dc(), &r, edges_, BF_RECT);
    const std::wstring caption = Wide(Text());
    if (!caption.empty()) {
        SelectGuard font(paint.dc(), underline_ && underlineFont_ ? underlineFont_.get() : DefaultFont());
        SetBkMode(paint.dc(), TRANSPARENT);
        SetTextColor(paint.dc(), static_cast<COLORREF>(captionColor_));
        RECT t = r;
        InflateRect(&t, -4, 0);
        DrawTextW(paint.dc(), caption.c_str(), -1, &t,
                  (centred_ ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (RouteControlMessage(msg, wParam, lParam, routed)) return routed;
    if (HandleMouse(*this, Handle(), msg, wParam, lParam)) return 0;
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: {
        LRESULT r = DefaultHandling(msg, wParam, lParam);
        Invalidate();
        return r;
    }
    }
    return DefaultHandling(msg, wParam, lParam);
}

void PictureView::Create(HWND parent, const Bounds& b) {
    CreateHandle(L"KelboPictureView", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, "", b, parent, nullptr,
                 WindowKind::kPlain, CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void PictureView::SetPicture(std::shared_ptr<DibSection> picture) {
    picture_ = std::move(picture);
    Invalidate();
}

Color PictureView::ColorAt(int x, int y) const {
    WindowDc dc(Handle());
    const COLORREF c = GetPixel(dc.get(), x, y);
    return c == CLR_INVALID ? 0 : static_cast<Color>(c);
}

LRESULT PictureView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (HandleMouse(*this, Handle(), msg, wParam, lParam)) return 0;
    switch (msg) {
    case WM_PAINT: {
        PaintScope paint(Handle());
        const SIZE size = ClientSize();
        if (picture_ && !picture_->Empty() && picture_->Width() == size.cx && picture_->Height() == size.cy) {
            // Unzoomed, only the part to paint is copied: a brush stroke on a
            // large picture repaints a few pixels, not the whole of it.
            picture_->CopyAreaTo(paint.dc(), paint.area());
        } else if (picture_ && !picture_->Empty()) {
            picture_->StretchTo(paint.dc(), 0, 0, size.cx, size.cy);
        } else {
            RECT r{0, 0, size.cx, size.cy};
            FillRect(paint.dc(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(cursor_);
            return TRUE;
        }
        break;
    }
    return DefaultHandling(msg, wParam, lParam);
}

}  // namespace kelbo::forms
