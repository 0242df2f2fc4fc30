#include "controls/adv_status_bar.h"

#include <commctrl.h>

#include <algorithm>

namespace kelbo::controls {

namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

TAdvStatusBar::~TAdvStatusBar() {
    if (subclassed_ && Handle()) RemoveWindowSubclass(Handle(), &TAdvStatusBar::Subclass, kSubclassId);
}

void TAdvStatusBar::Create(HWND parent) {
    forms::StatusBar::Create(parent);
    SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
    subclassed_ = SetWindowSubclass(Handle(), &TAdvStatusBar::Subclass, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void TAdvStatusBar::PlaceInPanel(HWND child, int panel, int inset) {
    if (!Handle() || !child || !IsWindow(child) || child == Handle()) return;
    if (GetParent(child) != Handle()) SetParent(child, Handle());
    auto it = std::find_if(placed_.begin(), placed_.end(), [&](const Placed& p) { return p.child == child; });
    if (it == placed_.end())
        placed_.push_back({child, panel, inset});
    else
        *it = {child, panel, inset};
    LayoutChildren();
}

void TAdvStatusBar::Unplace(HWND child) {
    std::erase_if(placed_, [&](const Placed& p) { return p.child == child; });
}

void TAdvStatusBar::LayoutChildren() {
    // Children destroyed by their owners drop out.
    std::erase_if(placed_, [this](const Placed& p) { return !IsWindow(p.child) || GetParent(p.child) != Handle(); });
    const int parts = static_cast<int>(SendMessageW(Handle(), SB_GETPARTS, 0, 0));
    for (const Placed& p : placed_) {
        RECT r{};
        if (p.panel >= 0 && p.panel < parts &&
            SendMessageW(Handle(), SB_GETRECT, p.panel, reinterpret_cast<LPARAM>(&r)))
            InflateRect(&r, -p.inset, -p.inset);
        else
            r = RECT{};
        const int width = std::max(0, static_cast<int>(r.right - r.left));
        const int height = std::max(0, static_cast<int>(r.bottom - r.top));
        SetWindowPos(p.child, nullptr, r.left, r.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CALLBACK TAdvStatusBar::Subclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TAdvStatusBar*>(data);
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL: {
        LRESULT routed = 0;
        const bool handled = forms::GuardHandler(
            hwnd, [&] { return forms::RouteControlMessage(msg, wParam, lParam, routed); }, true);
        if (handled) return routed;
        break;
    }
    case WM_SIZE:
    case SB_SETPARTS:
    case SB_SIMPLE: {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        self->LayoutChildren();
        return r;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &TAdvStatusBar::Subclass, kSubclassId);
        self->subclassed_ = false;
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace kelbo::controls
