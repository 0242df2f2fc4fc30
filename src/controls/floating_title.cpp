#include "controls/floating_title.h"

namespace kelbo::controls {

FloatingTitle::FloatingTitle(forms::Form& window, TClosePanel& title, Size fullSize)
    : window_(window), title_(title), fullSize_(fullSize) {}

void FloatingTitle::Attach() {
    title_.OnMouseDown = [this](forms::MouseButton b, WPARAM, int, int) { MouseDown(b); };
    title_.OnMouseMove = [this](WPARAM keys, int, int) { MouseMove(keys); };
    title_.OnMouseUp = [this](forms::MouseButton, WPARAM, int, int) { dragging_ = false; };
    title_.OnRollClick = [this](TClosePanel&) {
        // The panel has switched its roll state already.
        ApplyRollState();
        if (OnRolled) OnRolled(title_.RollType());
    };
    title_.OnCloseClick = [this](TClosePanel&) {
        window_.Hide();
        if (OnClosed) OnClosed();
    };
}

void FloatingTitle::SetRolled(bool rolled) {
    title_.SetRollType(rolled);
    ApplyRollState();
}

void FloatingTitle::SetSize(Size size) {
    const forms::Bounds b = window_.GetBounds();
    if (b.width == size.width && b.height == size.height) return;
    SetWindowPos(window_.Handle(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FloatingTitle::ApplyRollState() { SetSize(title_.RollType() ? Size{kRolledWidth, kRolledHeight} : fullSize_); }

void FloatingTitle::PointerOverFrame() {
    if (title_.RollType()) SetSize({kRolledWidth, kRolledHeight});
}

void FloatingTitle::MouseDown(forms::MouseButton button) {
    if (button != forms::MouseButton::kLeft) return;
    GetCursorPos(&dragCursor_);
    const forms::Bounds b = window_.GetBounds();
    dragWindow_ = {b.left, b.top};
    dragging_ = true;
}

void FloatingTitle::MouseMove(WPARAM keys) {
    if (title_.RollType()) {
        SetSize(fullSize_);
        title_.SetColor(static_cast<Color>(GetSysColor(COLOR_ACTIVECAPTION)));
    }
    if (!dragging_ || !(keys & MK_LBUTTON)) {
        if (OnHover) OnHover();
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const int left = dragWindow_.x + cursor.x - dragCursor_.x;
    const int top = dragWindow_.y + cursor.y - dragCursor_.y;
    SetWindowPos(window_.Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (OnMoved) OnMoved(left, top);
}

}  // namespace kelbo::controls
