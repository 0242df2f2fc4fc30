#include "imaging/colour/ui/cmy_dial.h"

#include "imaging/ui/dial_parts.h"

namespace kelbo {

TCMYdial::TCMYdial(HWND owner, const ImagingContext& imaging) : imaging_(imaging) {
    CreateForm(L"TCMYdial", "Zmeň CMY", {0, 0, 340, 300}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TCMYdial::FormCreate() {
    SetClientSize(320, 260);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 6, 304, 104}, "Formát CMY");
    struct Row {
        forms::Label& label;
        forms::Edit& edit;
        forms::UpDown& arrows;
        forms::Label& percent;
        const char* caption;
    };
    const Row rows[] = {{Label1, Edit1, UpDown1, Label4, "Modrozelená"},
                        {Label2, Edit2, UpDown2, Label5, "Fialová"},
                        {Label3, Edit3, UpDown3, Label6, "Žltá"}};
    int top = 26;
    for (const Row& row : rows) {
        row.label.Create(h, {20, top + 3, 110, 16}, row.caption);
        CreateNumberField(row.edit, row.arrows, h, {136, top, 60, 22}, "100", 0, 500);
        row.percent.Create(h, {202, top + 3, 16, 16}, "%");
        row.edit.OnChange = [this] { Preview.Changed(); };
        top += 26;
    }

    Preview.Create(h, {8, 118, 144, 107}, {168, 118, 144, 107}, {8, 234, 150, 20}, "Rýchle prezeranie");
    Preview.BeforeTick = [this] { CorrectFields(); };
    Preview.Run = [this](PixelView picture, Progress* progress) { ChangeCmy(picture, Values(), progress); };

    OKBtn.Create(h, {158, 232, 75, 24}, "OK", true);
    CancelBtn.Create(h, {238, 232, 75, 24}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    CenterOnScreen();
}

void TCMYdial::FormActivate() { Preview.Activate(imaging_); }

void TCMYdial::FormDeactivate() { Preview.Deactivate(); }

void TCMYdial::CorrectFields() {
    for (forms::Edit* edit : {&Edit1, &Edit2, &Edit3}) ResetUnlessWhole(*edit, "100");
}

CmyChange TCMYdial::Values() const {
    // Text the timer has not corrected yet counts as it will be corrected.
    CmyChange change;
    change.cyan = FieldValue(Edit1, 100);
    change.magenta = FieldValue(Edit2, 100);
    change.yellow = FieldValue(Edit3, 100);
    return change;
}

}  // namespace kelbo
