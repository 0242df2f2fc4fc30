#include "forms/dialogs.h"

#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <new>
#include <optional>
#include <vector>

#include "core/picture_fit.h"
#include "forms/dib.h"
#include "forms/handle.h"
#include "forms/text.h"
#include "forms/window.h"

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

// A dialog template built in memory, in the layout DLGTEMPLATE and
// DLGITEMTEMPLATE describe: 16-bit words, each item on a 32-bit boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* font, WORD pointSize) {
        Dword(style);
        Dword(0);  // extended style
        countAt_ = words_.size();
        words_.push_back(0);
        for (short v : {short{0}, short{0}, cx, cy}) words_.push_back(static_cast<WORD>(v));
        words_.insert(words_.end(), {0, 0, 0});  // no menu, the dialog class, no title
        words_.push_back(pointSize);
        String(font);
    }

    void Add(WORD id, WORD classAtom, DWORD style, DWORD exStyle, short x, short y, short cx, short cy) {
        if (words_.size() % 2) words_.push_back(0);
        Dword(style);
        Dword(exStyle);
        for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
        words_.insert(words_.end(), {id, 0xFFFF, classAtom, 0, 0});  // no text, no creation data
        ++words_[countAt_];
    }

    // A fixed block, whose handle is its address, as the dialog functions want it.
    UniqueGlobal Make() const {
        const size_t bytes = words_.size() * sizeof(WORD);
        UniqueGlobal block(GlobalAlloc(GMEM_FIXED, bytes));
        if (!block) throw std::bad_alloc();
        std::memcpy(block.get(), words_.data(), bytes);
        return block;
    }

private:
    void Dword(DWORD v) { words_.insert(words_.end(), {LOWORD(v), HIWORD(v)}); }
    void String(const wchar_t* text) {
        for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
        words_.push_back(0);
    }

    std::vector<WORD> words_;
    size_t countAt_ = 0;
};

constexpr WORD kStaticAtom = 0x0082;
// Dialog units. The hidden stc32 stands for the standard controls, which the
// dialog widens to their own size; what lies right of it moves along, so the
// preview ends up beside the list.
constexpr short kGap = 4, kBoxWidth = 100, kBoxHeight = 88, kTextHeight = 10, kTemplateHeight = 130;

UniqueGlobal PreviewTemplate() {
    const short left = 1 + kGap;
    DialogTemplate t(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT,
                     static_cast<short>(left + kBoxWidth + 2 * kGap), kTemplateHeight, L"MS Shell Dlg", 8);
    t.Add(stc32, kStaticAtom, WS_CHILD, 0, 0, 0, 1, kTemplateHeight);
    t.Add(kFilePreviewPictureId, kStaticAtom, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, WS_EX_STATICEDGE, left, kGap,
          kBoxWidth, kBoxHeight);
    t.Add(kFilePreviewTextId, kStaticAtom, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, left,
          kGap + kBoxHeight + kGap, kBoxWidth, kTextHeight);
    return t.Make();
}

struct PidlDeleter {
    void operator()(PIDLIST_ABSOLUTE p) const { ILFree(p); }
};
using UniquePidl = UniqueHandle<PIDLIST_ABSOLUTE, PidlDeleter>;

class MediumGuard {
public:
    explicit MediumGuard(STGMEDIUM& medium) : medium_(medium) {}
    ~MediumGuard() { ReleaseStgMedium(&medium_); }
    MediumGuard(const MediumGuard&) = delete;
    MediumGuard& operator=(const MediumGuard&) = delete;

private:
    STGMEDIUM& medium_;
};

// Whether the list's one selected item is a folder. The dialog keeps the
// last file's name while a folder is selected, so its own path would still
// name that file.
bool SelectionIsFolder(HWND fileDialog) {
    // The dialog's browser, as its hooks may ask for it; not a new reference.
    constexpr UINT kGetShellBrowser = WM_USER + 7;
    auto* browser = reinterpret_cast<IShellBrowser*>(SendMessageW(fileDialog, kGetShellBrowser, 0, 0));
    ComRef<IShellView> view;
    if (!browser || FAILED(browser->QueryActiveShellView(view.put())) || !view) return false;
    ComRef<IDataObject> selection;
    if (FAILED(view->GetItemObject(SVGIO_SELECTION, __uuidof(IDataObject), selection.put_void())) || !selection)
        return false;
    FORMATETC format{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST)), nullptr, DVASPECT_CONTENT,
                     -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(selection->GetData(&format, &medium))) return false;
    const MediumGuard release(medium);
    const auto* items = static_cast<const CIDA*>(GlobalLock(medium.hGlobal));
    if (!items) return false;
    bool folder = false;
    if (items->cidl == 1) {
        const auto* base = reinterpret_cast<const BYTE*>(items);
        UniquePidl item(ILCombine(reinterpret_cast<PCIDLIST_ABSOLUTE>(base + items->aoffset[0]),
                                  reinterpret_cast<PCUIDLIST_RELATIVE>(base + items->aoffset[1])));
        SHFILEINFOW info{};
        info.dwAttributes = SFGAO_FOLDER;
        folder = item &&
                 SHGetFileInfoW(reinterpret_cast<LPCWSTR>(item.get()), 0, &info, sizeof info,
                                SHGFI_PIDL | SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED) &&
                 (info.dwAttributes & SFGAO_FOLDER);
    }
    GlobalUnlock(medium.hGlobal);
    return folder;
}

// The dialog's own part beside the standard controls: it asks the provider
// about the file the dialog would return whenever the selection or the folder
// changes, and draws the answer.
class PreviewPane {
public:
    explicit PreviewPane(const FilePreviewProvider& provider) : provider_(provider) {}

    static UINT_PTR CALLBACK Hook(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrW(dlg, DWLP_USER, reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
            return TRUE;
        }
        auto* self = reinterpret_cast<PreviewPane*>(GetWindowLongPtrW(dlg, DWLP_USER));
        if (!self) return FALSE;
        return GuardHandler(
            dlg, [&]() -> UINT_PTR { return self->Handle(dlg, msg, wParam, lParam); }, FALSE);
    }

private:
    static constexpr UINT_PTR kSettleTimer = 1;
    static constexpr UINT kSettleMilliseconds = 120;

    UINT_PTR Handle(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
        case WM_NOTIFY:
            switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
            case CDN_INITDONE:
                Layout(dlg);
                Update(dlg);
                break;
            case CDN_SELCHANGE:
            case CDN_FOLDERCHANGE:
                // Read once the selection settles, not for every file the
                // arrow keys pass over.
                SetTimer(dlg, kSettleTimer, kSettleMilliseconds, nullptr);
                break;
            }
            return FALSE;
        case WM_TIMER:
            if (wParam != kSettleTimer) return FALSE;
            KillTimer(dlg, kSettleTimer);
            Update(dlg);
            return TRUE;
        case WM_SIZE: Layout(dlg); return FALSE;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID != kFilePreviewPictureId) return FALSE;
            Draw(item);
            return TRUE;
        }
        }
        return FALSE;
    }

    // Beside the file list, level with its top; the list moves when the
    // dialog is sized.
    static void Layout(HWND dlg) {
        HWND view = FindWindowExW(GetParent(dlg), nullptr, L"SHELLDLL_DefView", nullptr);
        if (!view) return;
        RECT list;
        GetWindowRect(view, &list);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&list), 2);
        // Pixels: the gaps across and down, the box's width and height.
        RECT box{kGap, kGap, kBoxWidth, kBoxHeight};
        MapDialogRect(dlg, &box);
        RECT text{0, 0, 0, kTextHeight};
        MapDialogRect(dlg, &text);
        const int left = list.right + box.left;
        SetWindowPos(GetDlgItem(dlg, kFilePreviewPictureId), nullptr, left, list.top, box.right, box.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(GetDlgItem(dlg, kFilePreviewTextId), nullptr, left, list.top + box.bottom + box.top, box.right,
                     text.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void Update(HWND dlg) {
        HWND fileDialog = GetParent(dlg);
        std::vector<wchar_t> buffer(32768, L'\0');
        const LRESULT got = SelectionIsFolder(fileDialog)
                                ? 0
                                : SendMessageW(fileDialog, CDM_GETFILEPATH, static_cast<WPARAM>(buffer.size()),
                                               reinterpret_cast<LPARAM>(buffer.data()));
        buffer.back() = L'\0';
        const std::wstring path = got > 0 ? buffer.data() : L"";
        if (shown_ && path == *shown_) return;
        shown_ = path;
        HWND box = GetDlgItem(dlg, kFilePreviewPictureId);
        FilePreview preview;
        // Folders and names not yet on disk (the save dialog's) have nothing to show.
        const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            RECT area;
            GetClientRect(box, &area);
            preview = provider_(Narrow(path), area.right, area.bottom);
        }
        picture_ = preview.picture.Empty() ? DibSection() : DibSection(preview.picture.ConstView());
        SetWindowTextW(GetDlgItem(dlg, kFilePreviewTextId), Wide(preview.text).c_str());
        InvalidateRect(box, nullptr, TRUE);
    }

    // Centred in the box, reduced to fit it when larger, never enlarged.
    void Draw(const DRAWITEMSTRUCT& item) const {
        const RECT& area = item.rcItem;
        FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
        if (picture_.Empty()) return;
        const int width = area.right - area.left, height = area.bottom - area.top;
        const FitSize fit = FitWithin(picture_.Width(), picture_.Height(), width, height);
        picture_.StretchTo(item.hDC, area.left + (width - fit.width) / 2, area.top + (height - fit.height) / 2,
                           fit.width, fit.height);
    }

    const FilePreviewProvider& provider_;
    std::optional<std::wstring> shown_;  // the path the preview is of
    DibSection picture_;
};

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
    if (!save && d.multiSelect) ofn.Flags |= OFN_ALLOWMULTISELECT;
    UniqueGlobal previewTemplate;
    std::optional<PreviewPane> pane;
    if (d.preview) {
        previewTemplate = PreviewTemplate();
        pane.emplace(d.preview);
        // A hooked dialog is sizable only when asked, as the plain one always is.
        ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_ENABLESIZING;
        ofn.hInstance = reinterpret_cast<HINSTANCE>(previewTemplate.get());
        ofn.lpfnHook = &PreviewPane::Hook;
        ofn.lCustData = reinterpret_cast<LPARAM>(&*pane);
    }
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;
    d.fileName = Narrow(name.data());
    d.fileNames.clear();
    if (!save && d.multiSelect) {
        // Several files come as the folder, then each name, NUL-separated.
        std::vector<std::wstring> parts;
        for (const wchar_t* part = name.data(); *part; part += wcslen(part) + 1) parts.emplace_back(part);
        if (parts.size() == 1) d.fileNames.push_back(d.fileName);
        for (std::size_t i = 1; i < parts.size(); ++i) {
            const bool rooted = parts[0].empty() || parts[0].back() == L'\\';
            d.fileNames.push_back(Narrow(parts[0] + (rooted ? L"" : L"\\") + parts[i]));
        }
        if (!d.fileNames.empty()) d.fileName = d.fileNames.front();
    }
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

void ShowError(HWND owner, std::string_view message) { MessageDlg(owner, message, "Kelbo", MB_OK | MB_ICONERROR); }

}  // namespace kelbo::forms
