#include "forms/status_bar.h"

#include "forms/text.h"

namespace kelbo::forms {

void StatusBar::Create(HWND parent) {
    CreateControl(parent, STATUSCLASSNAMEW, SBARS_SIZEGRIP | CCS_BOTTOM, 0, "", {0, 0, 0, 0});
}

void StatusBar::SetPanelWidths(const std::vector<int>& widths) {
    std::vector<int> edges;
    int right = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        right += widths[i];
        edges.push_back(i + 1 == widths.size() ? -1 : right);
    }
    SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::SetPanelText(int panel, std::string_view text, bool centred) {
    std::wstring w = (centred ? L"\t" : L"") + Wide(text);
    SendMessageW(Handle(), SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(w.c_str()));
}

std::string StatusBar::PanelText(int panel) const {
    const LRESULT info = SendMessageW(Handle(), SB_GETTEXTLENGTHW, panel, 0);
    std::wstring w(LOWORD(info) + 1, L'\0');
    SendMessageW(Handle(), SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(w.data()));
    w.resize(LOWORD(info));
    if (!w.empty() && w[0] == L'\t') w.erase(0, 1);
    return Narrow(w);
}

RECT StatusBar::PanelRect(int panel) const {
    RECT r{};
    SendMessageW(Handle(), SB_GETRECT, panel, reinterpret_cast<LPARAM>(&r));
    return r;
}

int StatusBar::IdealHeight() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r.bottom - r.top;
}

void StatusBar::FitToParent() { SendMessageW(Handle(), WM_SIZE, 0, 0); }

}  // namespace kelbo::forms
