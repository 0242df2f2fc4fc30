#include "imaging/effects/ui/wave_dial.h"

#include "core/rounding.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

TWaveDial::TWaveDial(HWND owner, const ImagingContext& imaging) : imaging_(imaging) {
    CreateForm(L"TWaveDial", "Zvlnenie obrázku", {0, 0, 340, 300}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TWaveDial::FormCreate() {
    SetClientSize(320, 266);
    const HWND h = Handle();
    struct Field {
        forms::Label& label;
        forms::Edit& edit;
        forms::UpDown& arrows;
        const char* caption;
        const char* text;
        int left;
        int top;
    };
    GroupBox1.Create(h, {8, 4, 148, 86}, "Os X");
    GroupBox2.Create(h, {164, 4, 148, 86}, "Os Y");
    const Field fields[] = {{Label1, SpinEdit1, UpDown1, "&Perióda", "10", 16, 26},
                            {Label2, SpinEdit2, UpDown2, "&Amplitúda", "15", 16, 56},
                            {Label3, SpinEdit3, UpDown3, "P&erióda", "10", 172, 26},
                            {Label4, SpinEdit4, UpDown4, "A&mplitúda", "15", 172, 56}};
    for (const Field& f : fields) {
        CreateAccessLabel(f.label, h, {f.left, f.top + 4, 64, 16}, f.caption);
        CreateNumberField(f.edit, f.arrows, h, {f.left + 68, f.top, 60, 22}, f.text, -32768, 32767);
        f.edit.OnChange = [this] { Preview.Changed(); };
    }
    Preview.Create(h, {8, 98, kPreviewWidth, kPreviewHeight}, {168, 98, kPreviewWidth, kPreviewHeight},
                   {8, 212, 200, 20}, "&Rýchle prezeranie");
    Preview.Run = [this](PixelView preview, Progress* progress) { RunPreview(preview, progress); };
    OKBtn.Create(h, {150, 236, 78, 25}, "OK", true);
    CancelBtn.Create(h, {234, 236, 78, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    CenterOnScreen();
}

void TWaveDial::FormActivate() {
    const auto picture = imaging_.currentPicture ? imaging_.currentPicture() : nullptr;
    if (picture && !picture->Empty())
        scale_ = PlacePreview(picture->Width(), picture->Height(), kPreviewWidth, kPreviewHeight).scale;
    Preview.Activate(imaging_);
}

WaveOptions TWaveDial::Options() const {
    return {FieldValue(SpinEdit1, 0), FieldValue(SpinEdit2, 0), FieldValue(SpinEdit3, 0), FieldValue(SpinEdit4, 0)};
}

void TWaveDial::RunPreview(PixelView preview, Progress* progress) const {
    const WaveOptions typed = Options();
    const auto scaled = [this](int v) { return static_cast<int>(Round(v * scale_)); };
    const WaveOptions options{scaled(typed.xPeriod), scaled(typed.xAmplitude), scaled(typed.yPeriod),
                              scaled(typed.yAmplitude)};
    // A period that the thumbnail's scale rounds to 0 has no wave to show:
    // the thumbnail stays as it is.
    if (options.yPeriod == 0 || options.yAmplitude == 0) return;
    CopyPixels(preview, Waves(preview, options, progress).View());
}

}  // namespace kelbo
