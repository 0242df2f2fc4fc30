#include "forms/dialogs.h"

#include <commdlg.h>

#include <vector>

#include "forms/text.h"

namespace kelbo::forms {

std::wstring FilterForApi(std::string_view filter) {
    std::wstring out = Wide(filter);
    for (wchar_t& c : out)
        if (c == L'|') c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

namespace {

bool RunFileDialog(FileDialog& d, HWND owner, bool save) {
    const std::wstring filter = FilterForApi(d.filter);
    const std::wstring title = Wide(d.title);
    const std::wstring ext = Wide(d.defaultExt);
    const std::wstring dir = Wide(d.initialDir);
    std::vector<wchar_t> name(32768, L'\0');
    const std::wstring proposed = Wide(d.fileName);
    proposed.copy(name.data(), std::min(proposed.size(), name.size() - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = d.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(d.filterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = d.title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = d.defaultExt.empty() ? nullptr : ext.c_str();
    ofn.lpstrInitialDir = d.initialDir.empty() ? nullptr : dir.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!save && d.mustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;
    d.fileName = Narrow(name.data());
    d.filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

}  // namespace

bool FileDialog::ExecuteOpen(HWND owner) { return RunFileDialog(*this, owner, false); }
bool FileDialog::ExecuteSave(HWND owner) { return RunFileDialog(*this, owner, true); }

bool ColorDialog::ExecuteDialog(HWND owner) {
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = static_cast<COLORREF>(color);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_ANYCOLOR | CC_SOLIDCOLOR | CC_SHOWHELP | (fullOpen ? CC_FULLOPEN : 0);
    if (!ChooseColorW(&cc)) return false;
    color = static_cast<Color>(cc.rgbResult);
    return true;
}

bool FontDialog::ExecuteDialog(HWND owner) {
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &font;
    cf.rgbColors = static_cast<COLORREF>(color);
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&cf)) return false;
    color = static_cast<Color>(cf.rgbColors);
    return true;
}

int MessageDlg(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
    return MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), flags);
}

std::string FormatOne(std::string_view pattern, std::string_view argument) {
    std::string out(pattern);
    const size_t at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, argument);
    return out;
}

void ShowError(HWND owner, std::string_view message) {
    MessageDlg(owner, message, "Kelbo", MB_OK | MB_ICONERROR);
}

}  // namespace kelbo::forms
