#include "imaging/colour/ui/rgb_dial.h"

#include "imaging/colour/colour_fields.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

TRGBDial::TRGBDial(HWND owner, const ImagingContext& imaging) : imaging_(imaging) {
    CreateForm(L"TRGBDial", "Zmeň farbu...", {0, 0, 340, 360}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TRGBDial::FormCreate() {
    SetClientSize(320, 330);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 6, 304, 104}, "Hodnoty");
    struct Row {
        forms::Label& label;
        forms::Edit& edit;
        forms::UpDown& arrows;
        forms::Label& percent;
        const char* caption;
    };
    const Row rows[] = {{Label1, Edit1, UpDown1, Label6, "Č&ervená zložka:"},
                        {Label2, Edit2, UpDown2, Label7, "&Zelená zložka:"},
                        {Label3, Edit3, UpDown3, Label8, "&Modrá zložka:"}};
    int top = 26;
    for (const Row& row : rows) {
        CreateAccessLabel(row.label, h, {20, top + 3, 110, 16}, row.caption);
        CreateNumberField(row.edit, row.arrows, h, {136, top, 60, 22}, "100", 0, 300, 3);
        row.percent.Create(h, {202, top + 3, 16, 16}, "%");
        forms::Edit& edit = row.edit;
        edit.OnChange = [this, &edit] { PercentChange(edit); };
        top += 26;
    }

    GroupBox2.Create(h, {8, 116, 304, 68}, "Obmedzenie");
    CheckBox1.Create(h, {20, 134, 200, 18}, "&Okrem bielej farby");
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    Label4.Create(h, {36, 159, 94, 16}, "Rozmedzie farby:");
    CreateNumberField(Edit4, UpDown4, h, {136, 156, 60, 22}, "1", 0, 100, 3);
    Edit4.OnChange = [this] { Edit4Change(); };

    Preview.Create(h, {8, 192, 144, 107}, {168, 192, 144, 107}, {8, 304, 150, 20}, "&Rýchle prezeranie");
    Preview.Run = [this](PixelView picture, Progress* progress) { ChangeRgb(picture, Values(), progress); };
    CheckBox1Click();

    OKBtn.Create(h, {158, 302, 75, 24}, "OK", true);
    CancelBtn.Create(h, {238, 302, 75, 24}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    CenterOnScreen();
}

void TRGBDial::FormActivate() { Preview.Activate(imaging_); }

void TRGBDial::FormDeactivate() { Preview.Deactivate(); }

void TRGBDial::PercentChange(forms::Edit& edit) {
    ResetUnlessWhole(edit, "0");
    Preview.Changed();
}

void TRGBDial::Edit4Change() {
    if (auto corrected = ColourRangeCorrection(Edit4.Text())) Edit4.SetText(*corrected);
    Preview.Changed();
}

void TRGBDial::CheckBox1Click() {
    const bool on = CheckBox1.Checked();
    Label4.SetEnabled(on);
    Edit4.SetEnabled(on);
    UpDown4.SetEnabled(on);
    Preview.Changed();
}

RgbChange TRGBDial::Values() const {
    RgbChange change;
    change.red = FieldValue(Edit1, 0);
    change.green = FieldValue(Edit2, 0);
    change.blue = FieldValue(Edit3, 0);
    change.exceptWhite = CheckBox1.Checked();
    change.range = FieldValue(Edit4, 1);
    return change;
}

}  // namespace kelbo
