#include "forms/controls.h"

#include <iterator>
#include <stdexcept>

#include "forms/text.h"

namespace kelbo::forms {

namespace {

const wchar_t kControlProp[] = L"kelbo.control";

Control* ControlFromHandle(HWND hwnd) { return hwnd ? static_cast<Control*>(GetPropW(hwnd, kControlProp)) : nullptr; }

}  // namespace

HFONT DefaultFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof ncm;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
            return CreateFontIndirectW(&ncm.lfMessageFont);
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

bool RouteControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (lParam == 0) return false;  // menus and accelerators
        if (Control* c = ControlFromHandle(reinterpret_cast<HWND>(lParam))) {
            result = 0;
            return c->Command(LOWORD(wParam), HIWORD(wParam));
        }
        return false;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (Control* c = ControlFromHandle(hdr->hwndFrom)) return c->Notify(hdr, result);
        return false;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (Control* c = ControlFromHandle(reinterpret_cast<HWND>(lParam))) {
            result = 0;
            return c->Scroll(LOWORD(wParam));
        }
        return false;
    }
    return false;
}

Control::~Control() {
    if (hwnd_ && IsWindow(hwnd_)) {
        RemovePropW(hwnd_, kControlProp);
        DestroyWindow(hwnd_);
    }
}

void Control::CreateControl(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, std::string_view text,
                            const Bounds& b) {
    hwnd_ = CreateWindowExW(exStyle, className, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, b.left, b.top,
                            b.width, b.height, parent, nullptr, ModuleInstance(), nullptr);
    if (!hwnd_) throw std::runtime_error("Cannot create a control");
    SetPropW(hwnd_, kControlProp, this);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
}

void Control::Adopt(HWND helper) {
    if (helper) SetPropW(helper, kControlProp, this);
}

void Control::SetBounds(const Bounds& b) { MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE); }

Bounds Control::GetBounds() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Control::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
bool Control::Visible() const { return IsWindowVisible(hwnd_); }
void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
bool Control::Enabled() const { return IsWindowEnabled(hwnd_); }
void Control::SetText(std::string_view utf8) { SetWindowTextUtf8(hwnd_, utf8); }
std::string Control::Text() const { return WindowText(hwnd_); }
void Control::SetFocus() { ::SetFocus(hwnd_); }
bool Control::Focused() const { return GetFocus() == hwnd_; }

void Button::Create(HWND parent, const Bounds& b, std::string_view caption, bool isDefault) {
    CreateControl(parent, L"BUTTON", WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, caption, b);
}

bool Button::Command(WORD, WORD code) {
    if (code != BN_CLICKED || !OnClick) return false;
    OnClick();
    return true;
}

void CheckBox::Create(HWND parent, const Bounds& b, std::string_view caption) {
    CreateControl(parent, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, caption, b);
}
bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void CheckBox::SetChecked(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
bool CheckBox::Command(WORD, WORD code) {
    if (code != BN_CLICKED || !OnClick) return false;
    OnClick();
    return true;
}

void RadioButton::Create(HWND parent, const Bounds& b, std::string_view caption, bool firstOfGroup) {
    CreateControl(parent, L"BUTTON", BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0), 0, caption, b);
}
bool RadioButton::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void RadioButton::SetChecked(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
bool RadioButton::Command(WORD, WORD code) {
    if (code != BN_CLICKED || !OnClick) return false;
    OnClick();
    return true;
}

void GroupBox::Create(HWND parent, const Bounds& b, std::string_view caption) {
    CreateControl(parent, L"BUTTON", BS_GROUPBOX, 0, caption, b);
}

void Label::Create(HWND parent, const Bounds& b, std::string_view caption, DWORD align, bool accessKey) {
    CreateControl(parent, L"STATIC", align | (accessKey ? 0 : SS_NOPREFIX), 0, caption, b);
}

void Edit::Create(HWND parent, const Bounds& b, std::string_view text, DWORD extraStyle) {
    CreateControl(parent, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | extraStyle, WS_EX_CLIENTEDGE, text, b);
}
void Edit::SetMaxLength(int chars) { SendMessageW(Handle(), EM_SETLIMITTEXT, chars, 0); }
void Edit::SetReadOnly(bool readOnly) { SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0); }
bool Edit::Command(WORD, WORD code) {
    if (code == EN_CHANGE && OnChange) {
        OnChange();
        return true;
    }
    if (code == EN_KILLFOCUS && OnExit) {
        OnExit();
        return true;
    }
    return false;
}

void UpDown::Create(HWND parent, Edit& buddy, int min, int max, int position) {
    CreateControl(parent, UPDOWN_CLASSW, UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, "",
                  {0, 0, 0, 0});
    SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy.Handle()), 0);
    SendMessageW(Handle(), UDM_SETRANGE32, min, max);
    SendMessageW(Handle(), UDM_SETPOS32, 0, position);
}
int UpDown::Position() const { return static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0)); }
void UpDown::SetPosition(int position) { SendMessageW(Handle(), UDM_SETPOS32, 0, position); }
bool UpDown::Notify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code != UDN_DELTAPOS || !OnChanging) return false;
    auto* nm = reinterpret_cast<NMUPDOWN*>(hdr);
    OnChanging(nm->iPos, nm->iDelta);
    result = 0;
    return true;
}

void TrackBar::Create(HWND parent, const Bounds& b, int min, int max, int position, bool vertical) {
    CreateControl(parent, TRACKBAR_CLASSW, WS_TABSTOP | (vertical ? TBS_VERT : TBS_HORZ) | TBS_AUTOTICKS, 0, "", b);
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min);
    SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, max);
    SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
}
int TrackBar::Position() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }
void TrackBar::SetPosition(int position) {
    SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
    if (OnChange) OnChange();  // a program change is a change too, as users of the slider expect
}
void TrackBar::SetPositionQuietly(int position) { SendMessageW(Handle(), TBM_SETPOS, TRUE, position); }
bool TrackBar::Scroll(WORD code) {
    (void)code;
    if (!OnChange) return false;
    OnChange();
    return true;
}

void ListBox::Create(HWND parent, const Bounds& b, DWORD extraStyle) {
    CreateControl(parent, L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | extraStyle,
                  WS_EX_CLIENTEDGE, "", b);
}
void ListBox::Delete(int index) { SendMessageW(Handle(), LB_DELETESTRING, index, 0); }
bool ListBox::Selected(int index) const { return SendMessageW(Handle(), LB_GETSEL, index, 0) > 0; }
void ListBox::SetSelected(int index, bool selected) { SendMessageW(Handle(), LB_SETSEL, selected, index); }
void ListBox::Add(std::string_view item) {
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
}
void ListBox::Clear() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }
int ListBox::Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }
int ListBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }
void ListBox::SetItemIndex(int index) { SendMessageW(Handle(), LB_SETCURSEL, index, 0); }
std::string ListBox::Item(int index) const {
    const LRESULT n = SendMessageW(Handle(), LB_GETTEXTLEN, index, 0);
    if (n == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return Narrow(text);
}
bool ListBox::Command(WORD, WORD code) {
    const std::function<void()>& handler = code == LBN_SELCHANGE ? OnClick : code == LBN_DBLCLK ? OnDblClick : nullptr;
    if (!handler) return false;
    handler();
    return true;
}

void ComboBox::Create(HWND parent, const Bounds& b, bool editable) {
    CreateControl(parent, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | (editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST), 0, "",
                  b);
}
void ComboBox::Add(std::string_view item) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
}
void ComboBox::Clear() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }
int ComboBox::Count() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }
int ComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }
void ComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, index, 0); }
bool ComboBox::Command(WORD, WORD code) {
    if ((code != CBN_SELCHANGE && code != CBN_EDITCHANGE) || !OnChange) return false;
    OnChange();
    return true;
}

void ProgressBar::Create(HWND parent, const Bounds& b) { CreateControl(parent, PROGRESS_CLASSW, PBS_SMOOTH, 0, "", b); }
void ProgressBar::SetMax(int max) { SendMessageW(Handle(), PBM_SETRANGE32, 0, max); }
int ProgressBar::Max() const { return static_cast<int>(SendMessageW(Handle(), PBM_GETRANGE, FALSE, 0)); }
void ProgressBar::SetPosition(int position) { SendMessageW(Handle(), PBM_SETPOS, position, 0); }
int ProgressBar::Position() const { return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0)); }

void BarProgress::SetMax(int max) noexcept {
    max_ = max > 0 ? max : 1;
    painted_ = -1;
    if (bar_.Exists()) bar_.SetMax(max_);
}

void BarProgress::SetPosition(int position) noexcept {
    if (!bar_.Exists()) return;
    bar_.SetPosition(position);
    // Painting every step of a 4000-row operation would cost more than the
    // operation; a hundred steps look the same.
    const int percent = static_cast<int>(static_cast<long long>(position) * 100 / max_);
    if (percent != painted_ || position == 0) {
        painted_ = percent;
        UpdateWindow(bar_.Handle());
    }
}

void TabControl::Create(HWND parent, const Bounds& b, const std::vector<std::string>& tabs) {
    CreateControl(parent, WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS, 0, "", b);
    for (const std::string& tab : tabs) AddTab(tab);
}
int TabControl::TabCount() const { return static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0)); }
std::string TabControl::TabText(int index) const {
    wchar_t text[260] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    if (!SendMessageW(Handle(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) return {};
    return Narrow(text);
}
void TabControl::AddTab(std::string_view text) {
    std::wstring wide = Wide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    SendMessageW(Handle(), TCM_INSERTITEMW, TabCount(), reinterpret_cast<LPARAM>(&item));
}
void TabControl::SetTabText(int index, std::string_view text) {
    std::wstring wide = Wide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    SendMessageW(Handle(), TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
}
void TabControl::DeleteTab(int index) { SendMessageW(Handle(), TCM_DELETEITEM, index, 0); }
int TabControl::ActivePage() const { return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }
void TabControl::SetActivePage(int index) {
    SendMessageW(Handle(), TCM_SETCURSEL, index, 0);
    if (OnChange) OnChange();
}
RECT TabControl::PageArea() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}
bool TabControl::Notify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code != TCN_SELCHANGE || !OnChange) return false;
    OnChange();
    result = 0;
    return true;
}

void TreeView::Create(HWND parent, const Bounds& b, DWORD style) {
    CreateControl(parent, WC_TREEVIEWW, WS_TABSTOP | style, WS_EX_CLIENTEDGE, "", b);
}
HTREEITEM TreeView::Add(HTREEITEM parentItem, std::string_view text, LPARAM data, int image, int selectedImage) {
    std::wstring w = Wide(text);
    TVINSERTSTRUCTW ins{};
    ins.hParent = parentItem ? parentItem : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = w.data();
    ins.item.lParam = data;
    if (image >= 0) {
        ins.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        ins.item.iImage = image;
        ins.item.iSelectedImage = selectedImage >= 0 ? selectedImage : image;
    }
    return reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
}
void TreeView::Clear() { SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }
HTREEITEM TreeView::Selected() const {
    return reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
}
void TreeView::Select(HTREEITEM item) {
    SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}
std::string TreeView::ItemText(HTREEITEM item) const {
    wchar_t buffer[MAX_PATH + 1]{};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return Narrow(buffer);
}
HTREEITEM TreeView::Parent(HTREEITEM item) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}
int TreeView::ItemImage(HTREEITEM item) const {
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE;
    tv.hItem = item;
    if (!SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return -1;
    return tv.iImage;
}
bool TreeView::Expanded(HTREEITEM item) const {
    return (SendMessageW(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) !=
           0;
}
void TreeView::Expand(HTREEITEM item) {
    SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}
void TreeView::CollapseAndReset(HTREEITEM item) {
    SendMessageW(Handle(), TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(item));
}
void TreeView::SetImageList(HIMAGELIST images) {
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}
void TreeView::SetIndent(int pixels) { SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(pixels), 0); }
bool TreeView::Notify(NMHDR* hdr, LRESULT& result) {
    result = 0;
    if (hdr->code == TVN_SELCHANGEDW && OnChange) {
        OnChange();
        return true;
    }
    if (hdr->code == NM_DBLCLK && OnDblClick) {
        OnDblClick();  // the handler does what the tree's own double-click would
        result = 1;
        return true;
    }
    if (hdr->code == TVN_ITEMEXPANDEDW && OnCollapsed) {
        const auto* change = reinterpret_cast<NMTREEVIEWW*>(hdr);
        if (change->action & TVE_COLLAPSE) OnCollapsed(change->itemNew.hItem);
        return true;
    }
    return false;
}

}  // namespace kelbo::forms
