#include "imaging/filters/ui/sobel_dial.h"

#include <string>

#include "imaging/filters/filter_fields.h"

namespace kelbo {

TSobelDial::TSobelDial(HWND owner) {
    CreateForm(L"TSobelDial", "Filtrovanie sobelovým operátorom...", {0, 0, 330, 220},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TSobelDial::FormCreate() {
    SetClientSize(316, 178);
    GroupBox1.Create(Handle(), {8, 4, 208, 64}, " Rotácia matice ");
    TrackBar1.Create(Handle(), {16, 24, 140, 32}, kSobelRotationMin, kSobelRotationMax, kSobelRotationMin);
    SendMessageW(TrackBar1.Handle(), TBM_SETPAGESIZE, 0, 1);
    SendMessageW(TrackBar1.Handle(), TBM_SETTICFREQ, 1, 0);
    Edit1.Create(Handle(), {164, 28, 40, 22}, "1");
    GroupBox2.Create(Handle(), {8, 74, 208, 48}, " Vlastnosti filtrácie ");
    CheckBox1.Create(Handle(), {18, 94, 190, 20}, "Len zmena smerom dole");
    CheckBox2.Create(Handle(), {18, 132, 190, 20}, "Obrátiť obrázok");
    CheckBox2.SetChecked(true);
    OKBtn.Create(Handle(), {228, 8, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {228, 38, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    TrackBar1.OnChange = [this] { TrackBar1Change(); };
    Edit1.OnChange = [this] { Edit1Change(); };
    CenterOnScreen();
}

void TSobelDial::TrackBar1Change() {
    if (syncing_) return;
    syncing_ = true;
    Edit1.SetText(std::to_string(TrackBar1.Position()));
    syncing_ = false;
}

void TSobelDial::Edit1Change() {
    if (syncing_) return;
    const FieldCheck check = CheckSobelRotation(Edit1.Text());
    syncing_ = true;
    if (check.corrected) Edit1.SetText(*check.corrected);
    TrackBar1.SetPosition(check.value);
    syncing_ = false;
}

SobelOptions TSobelDial::Options() const {
    SobelOptions options;
    options.rotation = TrackBar1.Position();
    options.downOnly = CheckBox1.Checked();
    options.invert = CheckBox2.Checked();
    return options;
}

}  // namespace kelbo
