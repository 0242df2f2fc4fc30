#include "imaging/colour/ui/hsl_dial.h"

#include "imaging/colour/hsl.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

THSLDial::THSLDial(HWND owner, const ImagingContext& imaging) : imaging_(imaging) {
    CreateForm(L"THSLDial", "Zmena HSL...", {0, 0, 340, 300}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void THSLDial::FormCreate() {
    SetClientSize(320, 260);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 6, 304, 104}, "Formát HSL");
    struct Row {
        forms::Label& label;
        forms::Edit& edit;
        forms::UpDown& arrows;
        const char* caption;
    };
    const Row rows[] = {{Label1, Edit1, UpDown1, "Farebný tón/&Hue (-100 až 100)"},
                        {Label2, Edit2, UpDown2, "Sýtosť/&Saturation (-100 až 100)"},
                        {Label3, Edit3, UpDown3, "Svetlosť/&Lightness (-100 až 100)"}};
    int top = 26;
    for (const Row& row : rows) {
        CreateAccessLabel(row.label, h, {20, top + 3, 196, 16}, row.caption);
        CreateNumberField(row.edit, row.arrows, h, {222, top, 60, 22}, "0", -100, 100);
        row.edit.OnChange = [this] { Preview.Changed(); };
        top += 26;
    }

    Preview.Create(h, {8, 118, 144, 107}, {168, 118, 144, 107}, {8, 234, 150, 20}, "Rýchle prezeranie");
    Preview.BeforeTick = [this] { CorrectFields(); };
    Preview.Run = [this](PixelView picture, Progress* progress) {
        const HslChange change = Values();
        ChangeHSL(picture, change.hue, change.saturation, change.lightness, progress);
    };

    OKBtn.Create(h, {158, 232, 75, 24}, "OK", true);
    CancelBtn.Create(h, {238, 232, 75, 24}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    CenterOnScreen();
}

void THSLDial::FormActivate() { Preview.Activate(imaging_); }

void THSLDial::FormDeactivate() { Preview.Deactivate(); }

void THSLDial::CorrectFields() {
    for (forms::Edit* edit : {&Edit1, &Edit2, &Edit3}) ResetUnlessWhole(*edit, "0");
}

HslChange THSLDial::Values() const {
    HslChange change;
    change.hue = FieldValue(Edit1, 0);
    change.saturation = FieldValue(Edit2, 0);
    change.lightness = FieldValue(Edit3, 0);
    return change;
}

}  // namespace kelbo
