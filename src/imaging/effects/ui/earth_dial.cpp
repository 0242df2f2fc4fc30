#include "imaging/effects/ui/earth_dial.h"

#include <string>

#include "imaging/ui/dial_parts.h"

namespace kelbo {

TEarthDial::TEarthDial(HWND owner) {
    CreateForm(L"TEarthDial", "\"Zemetrasenie\"...", {0, 0, 360, 190},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TEarthDial::FormCreate() {
    SetClientSize(340, 150);
    const HWND h = Handle();
    Label1.Create(h, {12, 16, 110, 16}, "Zmena na osi X:");
    CreateNumberField(Edit1, UpDown1, h, {126, 12, 70, 22}, "0", 0, 100);
    Label2.Create(h, {12, 48, 110, 16}, "Zmena na osi Y:");
    CreateNumberField(Edit2, UpDown2, h, {126, 44, 70, 22}, "0", 0, 100);
    Label3.Create(h, {12, 84, 110, 16}, "Rozmazanosť :");
    TrackBar1.Create(h, {8, 104, 240, 32}, 0, 255, 128);
    SendMessageW(TrackBar1.Handle(), TBM_SETTICFREQ, 1, 0);
    Panel1.Create(h, {126, 82, 50, 20}, "128", SS_CENTER | SS_SUNKEN);
    TrackBar1.OnChange = [this] { Panel1.SetText(std::to_string(TrackBar1.Position())); };
    OKBtn.Create(h, {248, 10, 80, 25}, "OK", true);
    CancelBtn.Create(h, {248, 42, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TEarthDial::Timer1Timer() {
    ResetUnlessWhole(Edit1, "0");
    ResetUnlessWhole(Edit2, "0");
}

EarthquakeOptions TEarthDial::Options(Color background) const {
    return {FieldValue(Edit1, 0), FieldValue(Edit2, 0), background};
}

}  // namespace kelbo
