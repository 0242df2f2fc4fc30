#include "controls/speed_button.h"

#include <windowsx.h>

#include <algorithm>

namespace kelbo::controls {

void SpeedButton::Create(HWND parent, const forms::Bounds& b) {
    CreateHandle(L"KelboSpeedButton", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, "", b, parent, nullptr);
}

void SpeedButton::SetGlyph(forms::UniqueBitmap glyph) {
    glyph_ = std::move(glyph);
    Invalidate();
}

void SpeedButton::SetNumGlyphs(int count) {
    numGlyphs_ = std::clamp(count, 1, 4);
    Invalidate();
}

void SpeedButton::Click() {
    // A copy: the handler may free this button's owner.
    if (auto handler = OnClick) handler();
}

bool SpeedButton::Inside(LPARAM lParam) const {
    const SIZE size = ClientSize();
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    return x >= 0 && y >= 0 && x < size.cx && y < size.cy;
}

void SpeedButton::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    Invalidate();
}

void SpeedButton::Paint() {
    forms::PaintScope paint(Handle());
    HDC dc = paint.dc();
    RECT r{};
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed_)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    BITMAP info{};
    if (!glyph_ || !GetObjectW(glyph_.get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
    const int count = std::min(numGlyphs_, static_cast<int>(info.bmWidth));
    const int width = info.bmWidth / count;
    const int height = info.bmHeight;
    int index = 0;
    if (!IsWindowEnabled(Handle()) && count > 1)
        index = 1;
    else if (pressed_ && count > 2)
        index = 2;
    const int shift = pressed_ ? 1 : 0;
    const int x = (r.right - width) / 2 + shift;
    const int y = (r.bottom - height) / 2 + shift;
    forms::UniqueDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    forms::SelectGuard select(memory.get(), glyph_.get());
    const COLORREF transparent = GetPixel(memory.get(), 0, height - 1);
    TransparentBlt(dc, x, y, width, height, memory.get(), index * width, 0, width, height, transparent);
}

LRESULT SpeedButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(Handle());
        SetPressed(true);
        return 0;
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            Invalidate();
        }
        if (GetCapture() == Handle()) SetPressed(Inside(lParam));
        return 0;
    case WM_MOUSELEAVE:
        hot_ = false;
        Invalidate();
        return 0;
    case WM_CAPTURECHANGED: SetPressed(false); return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != Handle()) return 0;
        const bool click = Inside(lParam);
        ReleaseCapture();
        SetPressed(false);
        if (click) Click();  // last: the click may free this button
        return 0;
    }
    case WM_ENABLE: Invalidate(); return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
}

}  // namespace kelbo::controls
