// The fast view's options dialog TFVOWin and its search window TSimpleWin.
#pragma once

#include <cstddef>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"

namespace kelbo {

// How one run of the fast view goes.
struct FastViewOptions {
    bool includeSubDirs = true;
    bool autoAdvance = false;
    int interval = 20;  // tenths of a second
};

// "Rýchle prezeranie": asked before each run unless the stored options are
// used; it keeps its values from one use to the next.
class TFVOWin : public forms::Form {
public:
    explicit TFVOWin(HWND owner);
    ~TFVOWin() override;

    forms::Label StaticText2;
    forms::CheckBox CheckBox1;  // "Automatické prezeranie"
    forms::Label Label3;
    forms::Edit SpinEdit1;
    forms::UpDown SpinEdit1Arrows;
    forms::Label StaticText1;
    forms::CheckBox CheckBox2;  // "Vrátane podadresárov"
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Button Button1;  // "Ovládanie"

    // The check boxes and the interval, the interval brought into 1 to 9999.
    FastViewOptions Options() const;

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void CheckBox1Click();
    // A key pressed while "OK" has the focus: its virtual-key code in the title.
    void OKBtnKeyDown(WPARAM key);
    static LRESULT CALLBACK OKBtnSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);
};

// The search window: the folder being searched and the running count.
class TSimpleWin : public forms::Form {
public:
    explicit TSimpleWin(HWND owner);

    forms::Label StaticText;

    void ShowFolder(const std::string& folder);
    void ShowCount(std::size_t found);

protected:
    void FormCreate() override;
};

}  // namespace kelbo
