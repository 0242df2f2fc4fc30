#include "controls/split_control.h"

#include <algorithm>

namespace kelbo::controls {

TSplitControl::CacheDc::CacheDc(HWND hwnd)
    : hwnd_(hwnd), dc_(GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE)) {}

TSplitControl::CacheDc::~CacheDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
}

TSplitControl::~TSplitControl() {
    if (!IsDragging()) return;
    DrawLine();
    Finish();
}

void TSplitControl::BeginDrag(HWND splitter, HWND target) {
    if (IsDragging()) EndDrag();
    if (!splitter || !IsWindow(splitter)) return;
    splitter_ = splitter;
    target_ = target;
    SetCapture(splitter);
    RECT r{};
    GetWindowRect(splitter, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    horizontal_ = height < width;
    position_ = {0, 0};
    dc_.emplace(form_);
    if (!dc_->get()) return;
    pen_.reset(CreatePen(PS_SOLID, std::max(1, horizontal_ ? height : width), RGB(255, 255, 255)));
    if (pen_) selectPen_.emplace(dc_->get(), pen_.get());
    oldRop_ = SetROP2(dc_->get(), R2_XORPEN);
    DrawLine();
}

void TSplitControl::DrawLine() {
    if (!dc_ || !dc_->get() || !pen_) return;
    RECT r{};
    GetWindowRect(splitter_, &r);
    POINT from = position_;
    ClientToScreen(splitter_, &from);
    ScreenToClient(form_, &from);
    POINT to = from;
    if (horizontal_)
        to.x += r.right - r.left;
    else
        to.y += r.bottom - r.top;
    MoveToEx(dc_->get(), from.x, from.y, nullptr);
    LineTo(dc_->get(), to.x, to.y);
}

void TSplitControl::MoveTo(int x, int y) {
    if (!IsDragging()) return;
    DrawLine();
    if (horizontal_)
        position_.y = y;
    else
        position_.x = x;
    DrawLine();
}

void TSplitControl::EndDrag() {
    if (!IsDragging()) return;
    DrawLine();
    POINT at = position_;
    ClientToScreen(splitter_, &at);
    const bool hasTarget = target_ && IsWindow(target_);
    if (hasTarget) ScreenToClient(target_, &at);
    const HWND target = target_;
    Finish();
    if (!hasTarget) return;
    RECT r{};
    GetWindowRect(target, &r);
    const int width = horizontal_ ? r.right - r.left : std::max(0, static_cast<int>(at.x));
    const int height = horizontal_ ? std::max(0, static_cast<int>(at.y)) : r.bottom - r.top;
    SetWindowPos(target, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSplitControl::Finish() {
    if (GetCapture() == splitter_) ReleaseCapture();
    splitter_ = nullptr;
    if (dc_ && dc_->get()) SetROP2(dc_->get(), oldRop_);
    selectPen_.reset();
    pen_.reset();
    dc_.reset();
}

}  // namespace kelbo::controls
