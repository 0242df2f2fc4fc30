#include "imaging/effects/ui/mozaika_dial.h"

#include "imaging/ui/dial_parts.h"

namespace kelbo {

TMozaikaDial::TMozaikaDial(HWND owner) {
    CreateForm(L"TMozaikaDial", "Efekt \"Mozaika\"", {0, 0, 400, 260},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TMozaikaDial::FormCreate() {
    SetClientSize(380, 222);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 4, 264, 52}, "Veľkosť dlaždičky");
    Label1.Create(h, {18, 26, 62, 16}, "X-ová os :");
    CreateNumberField(Edit1, UpDown1, h, {80, 22, 50, 22}, "10", 2, 1000);
    Label2.Create(h, {142, 26, 62, 16}, "Y-ová os :");
    CreateNumberField(Edit2, UpDown2, h, {204, 22, 50, 22}, "10", 2, 1000);

    GroupBox2.Create(h, {8, 62, 264, 152}, "Charakter dlaždičky");
    Label3.Create(h, {18, 84, 62, 16}, "Hrúbka :");
    CreateNumberField(Edit3, UpDown3, h, {80, 80, 50, 22}, "1", 1, 100);
    CheckBox1.Create(h, {18, 110, 240, 18}, "Priehľadné orámovanie ");
    Label4.Create(h, {36, 136, 80, 16}, "Priehľadnosť");
    CreateNumberField(Edit4, UpDown4, h, {120, 132, 50, 22}, "0", 0, 255);
    CheckBox2.Create(h, {18, 162, 240, 18}, "Roztiahnuť obrázok");
    CheckBox3.Create(h, {18, 186, 240, 18}, "Jednofarebná dlaždička");
    CheckBox3.SetChecked(true);
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    CheckBox1Click();

    OKBtn.Create(h, {288, 10, 80, 25}, "OK", true);
    CancelBtn.Create(h, {288, 42, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TMozaikaDial::CheckBox1Click() {
    const bool transparent = CheckBox1.Checked();
    Label4.SetEnabled(transparent);
    Edit4.SetEnabled(transparent);
    UpDown4.SetEnabled(transparent);
    CheckBox2.SetEnabled(!transparent);
}

void TMozaikaDial::Timer1Timer() {
    ResetUnlessWhole(Edit1, "2");
    ResetUnlessWhole(Edit2, "2");
    ResetUnlessWhole(Edit3, "1");
    ResetUnlessWhole(Edit4, "0");
}

MosaicOptions TMozaikaDial::Options() const {
    MosaicOptions options;
    options.tileWidth = FieldValue(Edit1, 2);
    options.tileHeight = FieldValue(Edit2, 2);
    options.thickness = FieldValue(Edit3, 1);
    options.singleColour = CheckBox3.Checked();
    options.transparentFrame = CheckBox1.Checked();
    options.transparency = FieldValue(Edit4, 0);
    // A disabled "Roztiahnuť obrázok" keeps its mark but does not count.
    options.stretch = CheckBox2.Checked() && !options.transparentFrame;
    return options;
}

}  // namespace kelbo
