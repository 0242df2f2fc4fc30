#include "imaging/colour/ui/thres_dial.h"

#include <string>

#include "forms/dialogs.h"
#include "imaging/colour/colour_fields.h"

namespace kelbo {

TThresDial::TThresDial(HWND owner) {
    CreateForm(L"TThresDial", "Prahovanie / Thresholding", {0, 0, 340, 280},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TThresDial::FormCreate() {
    SetClientSize(320, 250);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 6, 304, 104}, "Hranice/intenzita");
    struct Row {
        forms::Label& label;
        forms::Edit& edit;
        forms::UpDown& arrows;
        const char* caption;
    };
    const Row rows[] = {{Label1, Edit1, UpDown1, "Začiatok intervalu:"},
                        {Label2, Edit2, UpDown2, "Koniec intervalu:"},
                        {Label3, Edit3, UpDown3, "Hodnota zlomu :"}};
    int top = 26;
    for (const Row& row : rows) {
        row.label.Create(h, {20, top + 3, 120, 16}, row.caption);
        // The arrows stop at 100; typing reaches the whole luminance scale.
        CreateNumberField(row.edit, row.arrows, h, {150, top, 60, 22}, "0", 0, 100);
        top += 26;
    }

    GroupBox2.Create(h, {8, 116, 304, 92}, "Hodnoty");
    StaticText1.Create(h, {20, 136, 80, 26}, "Farba", colors::kBlack);
    Label4.Create(h, {112, 141, 190, 16}, IntervalCaption(0, 0));
    StaticText2.Create(h, {20, 172, 80, 26}, "Farba", colors::kWhite);
    Label5.Create(h, {112, 177, 190, 16}, IntervalCaption(0, 0));
    StaticText1.OnClick = [this] { SwatchClick(StaticText1); };
    StaticText2.OnClick = [this] { SwatchClick(StaticText2); };
    ColorPicker = [this](Color& color) {
        forms::ColorDialog dialog;
        dialog.color = color;
        dialog.fullOpen = true;
        if (!dialog.ExecuteDialog(Handle())) return false;
        color = dialog.color;
        return true;
    };

    OKBtn.Create(h, {158, 218, 75, 24}, "OK", true);
    CancelBtn.Create(h, {238, 218, 75, 24}, "Zatvor");
    OKBtn.OnClick = [this] { OKBtnClick(); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TThresDial::FormActivate() { Timer1.SetEnabled(true); }

void TThresDial::FormDeactivate() { Timer1.SetEnabled(false); }

void TThresDial::Timer1Timer() {
    for (forms::Edit* edit : {&Edit1, &Edit2, &Edit3}) ResetUnlessWhole(*edit, "0");
    const ThresholdFields typed{FieldValue(Edit1, 0), FieldValue(Edit2, 0), FieldValue(Edit3, 0)};
    const ThresholdFields ordered = OrderThresholdFields(typed);
    if (ordered.end != typed.end) Edit2.SetText(std::to_string(ordered.end));
    if (ordered.breakPoint != typed.breakPoint) Edit3.SetText(std::to_string(ordered.breakPoint));
    Label4.SetText(IntervalCaption(ordered.start, ordered.breakPoint));
    Label5.SetText(IntervalCaption(ordered.breakPoint, ordered.end));
}

void TThresDial::SwatchClick(ColourSwatch& swatch) {
    Color color = swatch.GetColor();
    if (ColorPicker && ColorPicker(color)) swatch.SetColor(color);
}

void TThresDial::OKBtnClick() {
    // What the last tick would have corrected must not reach the picture.
    Timer1Timer();
    SetModalResult(forms::mrOk);
}

Threshold TThresDial::Values() const {
    Threshold threshold;
    threshold.start = FieldValue(Edit1, 0);
    threshold.end = FieldValue(Edit2, 0);
    threshold.breakPoint = FieldValue(Edit3, 0);
    threshold.lower = StaticText1.GetColor();
    threshold.upper = StaticText2.GetColor();
    return threshold;
}

}  // namespace kelbo
