#include "imaging/effects/ui/painter_dial.h"

#include "imaging/ui/dial_parts.h"

namespace kelbo {

TPainterDial::TPainterDial(HWND owner) {
    CreateForm(L"TPainterDial", "Maliarske techniky...", {0, 0, 380, 190},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TPainterDial::FormCreate() {
    SetClientSize(360, 150);
    const HWND h = Handle();
    struct Row {
        forms::Label& label;
        forms::Edit& edit;
        forms::UpDown& arrows;
        const char* caption;
        const char* text;
    };
    const Row rows[] = {{Label1, Edit1, UpDown1, "Veľkosť štetca :", "2"},
                        {Label2, Edit2, UpDown2, "Maximálne zmenšenie štetca :", "5"},
                        {Label3, Edit3, UpDown3, "Maximálne posunutie :", "4"},
                        {Label4, Edit4, UpDown4, "Dĺžka ťahu štetcom :", "4"}};
    int top = 12;
    for (const Row& row : rows) {
        row.label.Create(h, {12, top + 4, 170, 16}, row.caption);
        CreateNumberField(row.edit, row.arrows, h, {186, top, 60, 22}, row.text, 0, 100);
        top += 34;
    }
    OKBtn.Create(h, {268, 10, 80, 25}, "OK", true);
    CancelBtn.Create(h, {268, 42, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TPainterDial::Timer1Timer() {
    for (forms::Edit* edit : {&Edit1, &Edit2, &Edit3, &Edit4}) ResetUnlessWhole(*edit, "0");
}

PaintingOptions TPainterDial::Options() const {
    return {FieldValue(Edit1, 0), FieldValue(Edit2, 0), FieldValue(Edit3, 0), FieldValue(Edit4, 0)};
}

}  // namespace kelbo
