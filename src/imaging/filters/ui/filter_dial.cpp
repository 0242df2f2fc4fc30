#include "imaging/filters/ui/filter_dial.h"

#include "imaging/colour/fit_preview.h"
#include "imaging/filters/filter_fields.h"
#include "imaging/filters/filters.h"

namespace kelbo {

TFilterDial::TFilterDial(HWND owner, const ImagingContext& context) : context_(context) {
    CreateForm(L"TFilterDial", "Obyčajná filtrácia", {0, 0, 330, 260}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TFilterDial::FormCreate() {
    SetClientSize(312, 224);
    GroupBox1.Create(Handle(), {8, 4, 200, 56}, "Vstupné hodnoty");
    Label1.Create(Handle(), {18, 28, 82, 16}, "Sila filtrácie:");
    Edit1.Create(Handle(), {104, 24, 50, 22}, "5");
    UpDown1.Create(Handle(), Edit1, 2, 30, 5);
    OKBtn.Create(Handle(), {224, 8, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {224, 38, 80, 25}, "Zatvor");
    Preview.Create(Handle(), {8, 70, kPreviewWidth, kPreviewHeight}, {160, 70, kPreviewWidth, kPreviewHeight},
                   {8, 190, 200, 20}, "Rýchle prezeranie", kPreviewInterval);
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Edit1.OnChange = [this] { Preview.Changed(); };
    Preview.BeforeTick = [this] { Timer1Timer(); };
    Preview.Run = [this](PixelView preview, Progress* progress) {
        CopyPixels(preview, Average(preview, previewRadius_, progress).View());
    };
    CenterOnScreen();
}

void TFilterDial::FormActivate() { Preview.Activate(context_); }

void TFilterDial::FormDeactivate() { Preview.Deactivate(); }

void TFilterDial::Timer1Timer() {
    const FieldCheck check = CheckAverageRadius(Edit1.Text());
    if (check.corrected) Edit1.SetText(*check.corrected);
    previewRadius_ = check.value;
}

int TFilterDial::Radius() const { return CheckAverageRadius(Edit1.Text()).value; }

}  // namespace kelbo
