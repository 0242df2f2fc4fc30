#include "imaging/geometry/ui/zoom_dial.h"

#include "core/whole_number.h"

namespace kelbo {

TZoomDial::TZoomDial(HWND owner) {
    CreateForm(L"TZoomDial", "Veľkosť/zoom...", {0, 0, 250, 120}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TZoomDial::FormCreate() {
    SetClientSize(232, 84);
    Label1.Create(Handle(), {12, 16, 70, 16}, "Zväčšenie :");
    Edit1.Create(Handle(), {86, 12, 70, 22}, "100");
    UpDown1.Create(Handle(), Edit1, 0, 2000, 100);
    Label2.Create(Handle(), {178, 16, 20, 16}, "%");
    hints_.Add(Handle(), Edit1.Handle(), "Zväčšenie obrázku v aktuálnom okne o zadanú hodnotu v percentách.");
    OKBtn.Create(Handle(), {40, 48, 75, 25}, "OK", true);
    CancelBtn.Create(Handle(), {124, 48, 75, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TZoomDial::FormActivate() { Timer1.SetEnabled(true); }

void TZoomDial::FormDeactivate() { Timer1.SetEnabled(false); }

void TZoomDial::Timer1Timer() {
    if (!Percent()) Edit1.SetText("100");
}

std::optional<int> TZoomDial::Percent() const { return ParseWholeNumber(Edit1.Text()); }

}  // namespace kelbo
