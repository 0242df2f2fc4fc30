// Wrappers for the standard Windows controls. A control's notifications reach
// its object directly (see RouteControlMessage), whichever window parents it,
// and the object calls the handler the form assigned (OnClick, OnChange ...).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "forms/window.h"

namespace kelbo::forms {

// The font every control of the program uses.
HFONT DefaultFont();

class Control {
public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr; }
    void SetBounds(const Bounds& b);
    Bounds GetBounds() const;
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    bool Enabled() const;
    void SetText(std::string_view utf8);
    std::string Text() const;
    void SetFocus();
    bool Focused() const;

    // Called by RouteControlMessage; return true when handled.
    virtual bool Command(WORD id, WORD code) {
        (void)id;
        (void)code;
        return false;
    }
    virtual bool Notify(NMHDR* hdr, LRESULT& result) {
        (void)hdr;
        (void)result;
        return false;
    }
    virtual bool Scroll(WORD code) {
        (void)code;
        return false;
    }

    // Lets notifications from a helper window (a tool bar's tooltip) reach this object.
    void Adopt(HWND helper);

protected:
    void CreateControl(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, std::string_view text,
                       const Bounds& b);

private:
    HWND hwnd_ = nullptr;
};

// Sends WM_COMMAND, WM_NOTIFY and scroll messages from a control to its
// object. Every window of ours calls it first.
bool RouteControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

class Button : public Control {
public:
    void Create(HWND parent, const Bounds& b, std::string_view caption, bool isDefault = false);
    std::function<void()> OnClick;
    bool Command(WORD id, WORD code) override;
};

class CheckBox : public Control {
public:
    void Create(HWND parent, const Bounds& b, std::string_view caption);
    bool Checked() const;
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    bool Command(WORD id, WORD code) override;
};

class RadioButton : public Control {
public:
    void Create(HWND parent, const Bounds& b, std::string_view caption, bool firstOfGroup);
    bool Checked() const;
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    bool Command(WORD id, WORD code) override;
};

class GroupBox : public Control {
public:
    void Create(HWND parent, const Bounds& b, std::string_view caption);
};

class Label : public Control {
public:
    // `accessKey`: an "&" underlines the letter after it instead of showing.
    void Create(HWND parent, const Bounds& b, std::string_view caption, DWORD align = SS_LEFT, bool accessKey = false);
};

class Edit : public Control {
public:
    void Create(HWND parent, const Bounds& b, std::string_view text, DWORD extraStyle = 0);
    void SetMaxLength(int chars);
    void SetReadOnly(bool readOnly);
    std::function<void()> OnChange;
    // The field lost the keyboard focus.
    std::function<void()> OnExit;
    bool Command(WORD id, WORD code) override;
};

// Arrows attached to an edit field.
class UpDown : public Control {
public:
    void Create(HWND parent, Edit& buddy, int min, int max, int position);
    int Position() const;
    void SetPosition(int position);
    // Before an arrow changes the field (the old position and the step).
    std::function<void(int position, int delta)> OnChanging;
    bool Notify(NMHDR* hdr, LRESULT& result) override;
};

class TrackBar : public Control {
public:
    void Create(HWND parent, const Bounds& b, int min, int max, int position, bool vertical = false);
    int Position() const;
    void SetPosition(int position);
    // The position from the program without OnChange, for sliders that
    // follow others and must not start their own handlers.
    void SetPositionQuietly(int position);
    std::function<void()> OnChange;
    bool Scroll(WORD code) override;
};

class ListBox : public Control {
public:
    // `extraStyle`: LBS_SORT, LBS_EXTENDEDSEL and the like.
    void Create(HWND parent, const Bounds& b, DWORD extraStyle = 0);
    void Add(std::string_view item);
    void Delete(int index);
    void Clear();
    int Count() const;
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string Item(int index) const;
    // A multiple-selection list's selection.
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    bool Command(WORD id, WORD code) override;
};

class ComboBox : public Control {
public:
    void Create(HWND parent, const Bounds& b, bool editable = false);
    void Add(std::string_view item);
    void Clear();
    int Count() const;
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::function<void()> OnChange;
    bool Command(WORD id, WORD code) override;
};

class ProgressBar : public Control {
public:
    void Create(HWND parent, const Bounds& b);
    void SetMax(int max);
    int Max() const;
    void SetPosition(int position);
    int Position() const;
};

// An operation's progress shown on a progress bar. The bar is painted as it
// moves, since a long operation keeps the message loop from doing it.
class BarProgress : public kelbo::Progress {
public:
    explicit BarProgress(ProgressBar& bar) : bar_(bar) {}
    void SetMax(int max) noexcept override;
    void SetPosition(int position) noexcept override;

private:
    ProgressBar& bar_;
    int max_ = 100;
    int painted_ = -1;
};

// Tabs; the form shows and hides the controls of each page in OnChange.
class TabControl : public Control {
public:
    void Create(HWND parent, const Bounds& b, const std::vector<std::string>& tabs);
    int TabCount() const;
    std::string TabText(int index) const;
    void AddTab(std::string_view text);
    void SetTabText(int index, std::string_view text);
    void DeleteTab(int index);
    int ActivePage() const;
    void SetActivePage(int index);
    RECT PageArea() const;  // client rectangle below the tabs, in the parent's coordinates
    std::function<void()> OnChange;
    bool Notify(NMHDR* hdr, LRESULT& result) override;
};

class TreeView : public Control {
public:
    static constexpr DWORD kDefaultStyle = TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    void Create(HWND parent, const Bounds& b, DWORD style = kDefaultStyle);
    // An item with the images of `images` (SetImageList) at `image`, and
    // `selectedImage` while it is selected; -1 for none.
    HTREEITEM Add(HTREEITEM parentItem, std::string_view text, LPARAM data = 0, int image = -1, int selectedImage = -1);
    void Clear();
    HTREEITEM Selected() const;
    void Select(HTREEITEM item);
    std::string ItemText(HTREEITEM item) const;
    HTREEITEM Parent(HTREEITEM item) const;
    int ItemImage(HTREEITEM item) const;
    bool Expanded(HTREEITEM item) const;
    void Expand(HTREEITEM item);
    // Collapses and deletes the children, so expanding reads them anew.
    void CollapseAndReset(HTREEITEM item);
    void SetImageList(HIMAGELIST images);
    void SetIndent(int pixels);
    std::function<void()> OnChange;
    std::function<void()> OnDblClick;
    std::function<void(HTREEITEM item)> OnCollapsed;
    bool Notify(NMHDR* hdr, LRESULT& result) override;
};

}  // namespace kelbo::forms
