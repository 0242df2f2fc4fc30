// A small flat button that never takes the focus: a glyph on the button
// face, a raised edge under the pointer, a sunken one while pressed.
#pragma once

#include <functional>

#include "forms/handle.h"
#include "forms/window.h"

namespace kelbo::controls {

class SpeedButton : public forms::Window {
public:
    void Create(HWND parent, const forms::Bounds& b);

    // The glyph strip holds NumGlyphs images side by side: up, disabled,
    // down. Pixels of the strip's bottom-left colour are transparent.
    void SetGlyph(forms::UniqueBitmap glyph);
    HBITMAP Glyph() const { return glyph_.get(); }
    void SetNumGlyphs(int count);
    int NumGlyphs() const { return numGlyphs_; }

    bool Pressed() const { return pressed_; }

    // Runs OnClick as a click of the mouse would.
    void Click();
    std::function<void()> OnClick;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    bool Inside(LPARAM lParam) const;
    void SetPressed(bool pressed);

    forms::UniqueBitmap glyph_;
    int numGlyphs_ = 1;
    bool pressed_ = false;
    bool hot_ = false;
};

}  // namespace kelbo::controls
