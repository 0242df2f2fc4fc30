#include "imaging/geometry/ui/shear_dial.h"

#include "imaging/ui/dial_parts.h"

namespace kelbo {

TShearDial::TShearDial(HWND owner) {
    CreateForm(L"TShearDial", "Skosenie obrázku", {0, 0, 330, 130}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TShearDial::FormCreate() {
    SetClientSize(314, 92);
    Label1.Create(Handle(), {12, 16, 100, 16}, "V smere osi X");
    CreateNumberField(Edit1, UpDown1, Handle(), {116, 12, 80, 22}, "0", 0, 1000);
    Label2.Create(Handle(), {12, 52, 100, 16}, "V smere osi Y");
    CreateNumberField(Edit2, UpDown2, Handle(), {116, 48, 80, 22}, "0", 0, 1000);
    OKBtn.Create(Handle(), {224, 10, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {224, 42, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TShearDial::Timer1Timer() {
    ResetUnlessWhole(Edit1, "0");
    ResetUnlessWhole(Edit2, "0");
}

ShearOptions TShearDial::Options(Color background) const {
    return {FieldValue(Edit1, 0), FieldValue(Edit2, 0), background};
}

}  // namespace kelbo
