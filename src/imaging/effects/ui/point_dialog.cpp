#include "imaging/effects/ui/point_dialog.h"

#include "imaging/ui/dial_parts.h"

namespace kelbo {

TPointDialog::TPointDialog(HWND owner) {
    CreateForm(L"TPointDialog", "Pointilizmus", {0, 0, 340, 160}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TPointDialog::FormCreate() {
    SetClientSize(320, 118);
    const HWND h = Handle();
    Label1.Create(h, {12, 16, 130, 16}, "Veľkosť:");
    CreateNumberField(SpinEdit1, UpDown1, h, {146, 12, 60, 22}, "3", 0, 255);
    Label2.Create(h, {12, 50, 130, 16}, "Maximálne zmenšenie:");
    CreateNumberField(SpinEdit2, UpDown2, h, {146, 46, 60, 22}, "2", 0, 255);
    Label3.Create(h, {12, 84, 130, 16}, "Maximálne posunutie:");
    CreateNumberField(SpinEdit3, UpDown3, h, {146, 80, 60, 22}, "5", 0, 255);
    OKBtn.Create(h, {228, 10, 80, 25}, "OK", true);
    CancelBtn.Create(h, {228, 42, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    CenterOnScreen();
}

PointillismOptions TPointDialog::Options() const {
    return {FieldValue(SpinEdit1, 0), FieldValue(SpinEdit2, 0), FieldValue(SpinEdit3, 0)};
}

}  // namespace kelbo
