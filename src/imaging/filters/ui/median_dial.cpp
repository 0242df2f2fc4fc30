#include "imaging/filters/ui/median_dial.h"

#include "imaging/colour/fit_preview.h"
#include "imaging/filters/filter_fields.h"
#include "imaging/filters/filters.h"

namespace kelbo {

TMedianDial::TMedianDial(HWND owner, const ImagingContext& context) : context_(context) {
    CreateForm(L"TMedianDial", "Filtrovanie mediánom...", {0, 0, 330, 260},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TMedianDial::FormCreate() {
    SetClientSize(312, 224);
    GroupBox1.Create(Handle(), {8, 4, 200, 56}, "Vstupné hodnoty");
    Label1.Create(Handle(), {18, 28, 82, 16}, "Sila filtrácie:");
    Edit1.Create(Handle(), {104, 24, 50, 22}, "5");
    UpDown1.Create(Handle(), Edit1, 2, 15, 5);
    OKBtn.Create(Handle(), {224, 8, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {224, 38, 80, 25}, "Zatvor");
    Preview.Create(Handle(), {8, 70, kPreviewWidth, kPreviewHeight}, {160, 70, kPreviewWidth, kPreviewHeight},
                   {8, 190, 200, 20}, "Rýchle prezeranie");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Edit1.OnChange = [this] { Preview.Changed(); };
    Preview.BeforeTick = [this] { Timer1Timer(); };
    Preview.Run = [this](PixelView preview, Progress* progress) {
        CopyPixels(preview, Median(preview, previewRadius_, progress).View());
    };
    CenterOnScreen();
}

void TMedianDial::FormActivate() { Preview.Activate(context_); }

void TMedianDial::FormDeactivate() { Preview.Deactivate(); }

void TMedianDial::Timer1Timer() {
    // The preview of this tick shows the value as typed; the corrected one
    // follows with the next change.
    const FieldCheck check = CheckMedianRadius(Edit1.Text());
    if (check.corrected) Edit1.SetText(*check.corrected);
    previewRadius_ = check.read;
}

int TMedianDial::Radius() const { return CheckMedianRadius(Edit1.Text()).value; }

}  // namespace kelbo
