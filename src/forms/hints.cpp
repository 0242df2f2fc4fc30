#include "forms/hints.h"

#include <commctrl.h>

#include "forms/text.h"
#include "forms/window.h"

namespace kelbo::forms {

Hints::~Hints() {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

void Hints::Add(HWND owner, HWND control, std::string_view text) {
    if (!tooltip_) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                   ModuleInstance(), nullptr);
        if (!tooltip_) return;
        SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    std::wstring w = Wide(text);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = w.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::Update(HWND owner, HWND control, std::string_view text) {
    if (!tooltip_) return;
    std::wstring w = Wide(text);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = w.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Hints::SetActive(bool active) {
    if (tooltip_) SendMessageW(tooltip_, TTM_ACTIVATE, active, 0);
}

std::string Hints::HintOf(HWND control) const {
    if (!tooltip_) return {};
    wchar_t buffer[512]{};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = GetParent(control);
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = buffer;
    SendMessageW(tooltip_, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&ti));
    return Narrow(buffer);
}

}  // namespace kelbo::forms
