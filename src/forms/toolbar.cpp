#include "forms/toolbar.h"

#include <stdexcept>

#include "forms/dib.h"
#include "forms/text.h"

namespace kelbo::forms {

UniqueImageList MakeGlyphList(ConstPixelView strip, Color mask) {
    const int count = strip.Width() / 16;
    UniqueImageList list(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, count, 0));
    if (!list) throw std::runtime_error("Cannot create an image list");
    DibSection dib(strip);
    // ImageList_AddMasked takes COLORREF, which is our colour value layout.
    ImageList_AddMasked(list.get(), dib.Handle(), static_cast<COLORREF>(mask));
    return list;
}

void ToolBar::Create(HWND parent, const std::vector<ToolButton>& buttons, ConstPixelView glyphs, Color mask) {
    CreateControl(parent, TOOLBARCLASSNAMEW,
                  TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0, "",
                  {0, 0, 100, 26});
    buttons_ = buttons;
    SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    images_ = MakeGlyphList(glyphs, mask);
    SendMessageW(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    std::vector<TBBUTTON> tb;
    int image = 0;
    for (const ToolButton& b : buttons_) {
        TBBUTTON t{};
        if (b.kind == ToolButton::kSeparator) {
            t.fsStyle = BTNS_SEP;
            t.iBitmap = 6;
        } else {
            t.iBitmap = image++;
            t.idCommand = static_cast<int>(b.command);
            t.fsState = TBSTATE_ENABLED;
            t.fsStyle = b.kind == ToolButton::kCheck   ? BTNS_CHECK
                        : b.kind == ToolButton::kGroup ? BTNS_CHECKGROUP
                                                       : BTNS_BUTTON;
        }
        tb.push_back(t);
    }
    SendMessageW(Handle(), TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageW(Handle(), TB_AUTOSIZE, 0, 0);
    Adopt(reinterpret_cast<HWND>(SendMessageW(Handle(), TB_GETTOOLTIPS, 0, 0)));
}

bool ToolBar::Down(UINT command) const { return SendMessageW(Handle(), TB_ISBUTTONCHECKED, command, 0) != 0; }

void ToolBar::SetDown(UINT command, bool down) { SendMessageW(Handle(), TB_CHECKBUTTON, command, down); }

bool ToolBar::ButtonEnabled(UINT command) const { return SendMessageW(Handle(), TB_ISBUTTONENABLED, command, 0) != 0; }

void ToolBar::SetButtonEnabled(UINT command, bool enabled) {
    SendMessageW(Handle(), TB_ENABLEBUTTON, command, enabled);
}

std::string ToolBar::Hint(UINT command) const {
    for (const ToolButton& b : buttons_)
        if (b.command == command && b.kind != ToolButton::kSeparator) return b.hint;
    return {};
}

int ToolBar::ButtonCount() const { return static_cast<int>(SendMessageW(Handle(), TB_BUTTONCOUNT, 0, 0)); }

int ToolBar::IdealHeight() const {
    const DWORD size = static_cast<DWORD>(SendMessageW(Handle(), TB_GETBUTTONSIZE, 0, 0));
    return HIWORD(size) + 4;
}

bool ToolBar::Command(WORD id, WORD) {
    if (!OnButton) return false;
    OnButton(id);
    return true;
}

bool ToolBar::Notify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code != TTN_GETDISPINFOW) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    hintBuffer_ = Wide(Hint(static_cast<UINT>(hdr->idFrom)));
    info->lpszText = hintBuffer_.data();
    info->hinst = nullptr;
    result = 0;
    return true;
}

}  // namespace kelbo::forms
