// TTextDial ("Text"): the line of text, its font and its colour that the
// text tool writes onto a picture.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/color.h"
#include "forms/controls.h"
#include "forms/dib.h"
#include "forms/form.h"
#include "forms/handle.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

class TChildWin;
struct Settings;

// The text in a font and colour on white, centred in the box.
class TextPreview : public forms::Window {
public:
    void Create(HWND parent, const forms::Bounds& b);
    void SetFont(const LOGFONTW& font);
    const LOGFONTW& Font() const { return font_; }
    void SetFontColor(Color color);
    Color FontColor() const { return color_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    LOGFONTW font_{};
    forms::UniqueFont handle_;
    Color color_ = 0;
};

class TTextDial : public forms::Form {
public:
    TTextDial(HWND owner, const Settings& settings);

    forms::Label Label1;  // "&Text :"
    forms::Edit Edit1;
    TextPreview PreView;
    forms::Button FontBtn;  // "&Font"
    ColourSwatch StaticText1;
    ColourSwatch StaticText2;
    ColourSwatch StaticText3;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    // Who picks the font (and its colour): the font dialog, or a test.
    std::function<bool(LOGFONTW& font, Color& color)> FontPicker;
    // Who picks the text colour: the colour dialog, or a test.
    std::function<bool(Color& color)> ColorPicker;

    // The text tool's release point (x, y, each taken as an unsigned 16-bit
    // number): the dialog shows modally and, on "O&K", the text goes onto the
    // document's picture with its top-left corner there. True when it drew;
    // throws std::runtime_error when the font cannot be made.
    bool PlaceText(TChildWin& document, int x, int y);

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    void Edit1Change();
    void CopyColourClick(const ColourSwatch& box);
    void StaticText3Click();
    void FontBtnClick();
    void WriteText(forms::DibSection& picture, int x, int y) const;

    const Settings& settings_;
};

}  // namespace kelbo
