#include "imaging/filters/ui/noise_dial.h"

#include <string>

namespace kelbo {

TNoiseDial::TNoiseDial(HWND owner) {
    CreateForm(L"TNoiseDial", "Odstránenie šumu", {0, 0, 400, 220}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TNoiseDial::FormCreate() {
    SetClientSize(384, 176);
    RadioGroup1.Create(Handle(), {8, 4, 274, 66}, "Spôsob filtrovania");
    FrequencyRadio.Create(Handle(), {18, 22, 250, 20}, "frekvenčná metóda", true);
    SpatialRadio.Create(Handle(), {18, 44, 250, 20}, "priestorová metóda", false);
    FrequencyRadio.SetChecked(true);
    GroupBox1.Create(Handle(), {8, 76, 368, 92}, "Sila filtrácie :");
    Label1.Create(Handle(), {18, 100, 50, 16}, "minimum");
    TrackBar1.Create(Handle(), {70, 94, 240, 32}, 0, 255, 0);
    SendMessageW(TrackBar1.Handle(), TBM_SETTICFREQ, 10, 0);
    Label2.Create(Handle(), {314, 100, 56, 16}, "maximum");
    Panel1.Create(Handle(), {160, 134, 60, 20}, "0", SS_CENTER | SS_SUNKEN);
    OKBtn.Create(Handle(), {294, 8, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {294, 38, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    TrackBar1.OnChange = [this] { TrackBar1Change(); };
    CenterOnScreen();
}

void TNoiseDial::TrackBar1Change() { Panel1.SetText(std::to_string(TrackBar1.Position())); }

NoiseMethod TNoiseDial::Method() const {
    return SpatialRadio.Checked() ? NoiseMethod::kSpatial : NoiseMethod::kFrequency;
}

}  // namespace kelbo
