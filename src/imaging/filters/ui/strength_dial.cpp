#include "imaging/filters/ui/strength_dial.h"

#include "imaging/colour/fit_preview.h"
#include "imaging/filters/filters.h"

namespace kelbo {

TStrengthDial::TStrengthDial(HWND owner, const ImagingContext& context, const Setup& setup)
    : context_(context), setup_(setup) {
    CreateForm(setup.className, setup.caption, {0, 0, 330, 260}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TStrengthDial::FormCreate() {
    SetClientSize(312, 224);
    GroupBox1.Create(Handle(), {8, 4, 200, 56}, "Vstupné hodnoty");
    Label1.Create(Handle(), {18, 28, 82, 16}, "Sila filtrácie:");
    Edit1.Create(Handle(), {104, 24, 50, 22}, "5");
    UpDown1.Create(Handle(), Edit1, 2, setup_.arrowsMax, 5);
    OKBtn.Create(Handle(), {224, 8, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {224, 38, 80, 25}, "Zatvor");
    Preview.Create(Handle(), {8, 70, kPreviewWidth, kPreviewHeight}, {160, 70, kPreviewWidth, kPreviewHeight},
                   {8, 190, 200, 20}, "Rýchle prezeranie", setup_.previewInterval);
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Edit1.OnChange = [this] { Preview.Changed(); };
    Preview.BeforeTick = [this] { Timer1Timer(); };
    Preview.Run = [this](PixelView preview, Progress* progress) {
        CopyPixels(preview, setup_.filter(preview, previewRadius_, progress).View());
    };
    CenterOnScreen();
}

void TStrengthDial::FormActivate() { Preview.Activate(context_); }

void TStrengthDial::FormDeactivate() { Preview.Deactivate(); }

void TStrengthDial::Timer1Timer() {
    const FieldCheck check = setup_.check(Edit1.Text());
    if (check.corrected) Edit1.SetText(*check.corrected);
    previewRadius_ = setup_.previewAsTyped ? check.read : check.value;
}

TFilterDial::TFilterDial(HWND owner, const ImagingContext& context)
    : TStrengthDial(owner, context,
                    {L"TFilterDial", "Obyčajná filtrácia", 30, 1500, CheckAverageRadius, false,
                     [](ConstPixelView s, int radius, Progress* p) { return Average(s, radius, p); }}) {}

TMedianDial::TMedianDial(HWND owner, const ImagingContext& context)
    : TStrengthDial(owner, context,
                    {L"TMedianDial", "Filtrovanie mediánom...", 15, 1000, CheckMedianRadius, true,
                     [](ConstPixelView s, int radius, Progress* p) { return Median(s, radius, p); }}) {}

}  // namespace kelbo
