// A flat tool bar with 16x16 glyphs and a hint per button.
#pragma once

#include <string>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "forms/controls.h"
#include "forms/handle.h"

namespace kelbo::forms {

struct ToolButton {
    enum Kind { kButton, kCheck, kGroup, kSeparator };
    UINT command = 0;  // 0 for a separator
    Kind kind = kButton;
    std::string hint;
    bool startsGroup = false;  // the first button of a radio group after another group
};

class ToolBar : public Control {
public:
    // `glyphs` holds one 16x16 glyph per non-separator button, left to right;
    // `mask` is the colour that stands for transparency.
    void Create(HWND parent, const std::vector<ToolButton>& buttons, ConstPixelView glyphs, Color mask);

    bool Down(UINT command) const;
    void SetDown(UINT command, bool down);
    bool ButtonEnabled(UINT command) const;
    void SetButtonEnabled(UINT command, bool enabled);
    std::string Hint(UINT command) const;
    int ButtonCount() const;
    int IdealHeight() const;

    std::function<void(UINT command)> OnButton;
    bool Command(WORD id, WORD code) override;
    bool Notify(NMHDR* hdr, LRESULT& result) override;

private:
    std::vector<ToolButton> buttons_;
    UniqueImageList images_;
    std::wstring hintBuffer_;
};

// An image list of 16x16 glyphs with the given colour as transparent.
UniqueImageList MakeGlyphList(ConstPixelView strip, Color mask);

}  // namespace kelbo::forms
