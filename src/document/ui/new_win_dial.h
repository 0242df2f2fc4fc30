// TNewWinDial ("Nový obrázok"): the size, colour depth and background colour
// of a new, empty picture. It is shown without blocking the main window and
// creates the document itself at "OK".
#pragma once

#include <array>
#include <functional>

#include "core/color.h"
#include "core/pixel_format.h"
#include "document/ui/command_host.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

// The sixteen standard colours in a 4 × 4 grid; a left click chooses one.
class ColourGrid : public forms::Window {
public:
    static const std::array<Color, 16> kColours;

    void Create(HWND parent, const forms::Bounds& b);
    int Selected() const { return selected_; }
    Color SelectedColor() const { return kColours[static_cast<size_t>(selected_)]; }
    // The cell under a point of the grid, or -1.
    int CellAt(int x, int y) const;
    std::function<void()> OnChange;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    RECT CellRect(int index) const;

    int selected_ = 0;
};

class TNewWinDial : public forms::Form {
public:
    TNewWinDial(HWND owner, CommandHost& host);

    forms::GroupBox GroupBox1;  // "Rozmery"
    forms::Label Label1;
    forms::Edit EditX;
    forms::UpDown UpDownX;
    forms::Label Label2;
    forms::Label Label3;
    forms::Edit EditY;
    forms::UpDown UpDownY;
    forms::Label Label4;
    forms::GroupBox GroupBox2;  // "Vlastnosti/farby"
    forms::Label Label5;        // "Farba pozadia:"
    ColourGrid ColorGrid1;
    ColourSwatch StaticText3;
    forms::GroupBox RadioGroup1;  // "Počet farieb:"
    std::array<forms::RadioButton, 7> RadioItems;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    // Who picks the background colour: the colour dialog, or a test.
    std::function<bool(Color& color)> ColorPicker;

    // The chosen item of "Počet farieb:" and the format it records.
    int ItemIndex() const;
    PixelFormat ChosenFormat() const;
    void OKBtnClick();

protected:
    void FormCreate() override;

private:
    void StaticText3Click();

    CommandHost& host_;
};

}  // namespace kelbo
