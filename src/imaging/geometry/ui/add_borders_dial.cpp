#include "imaging/geometry/ui/add_borders_dial.h"

#include <string>

#include "imaging/ui/dial_parts.h"

namespace kelbo {

TAddBordersDial::TAddBordersDial(HWND owner) {
    CreateForm(L"TAddBordersDial", "Pridaj okraje...", {0, 0, 340, 220},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

std::array<forms::Edit*, 4> TAddBordersDial::Fields() { return {&Edit1, &Edit2, &Edit3, &Edit4}; }

void TAddBordersDial::FormCreate() {
    SetClientSize(324, 182);
    const char* captions[] = {"Ľavý okraj", "Pravý okraj", "Horný okraj", "Dolný okraj"};
    const std::array<forms::UpDown*, 4> arrows{&UpDown1, &UpDown2, &UpDown3, &UpDown4};
    for (int n = 0; n < 4; ++n) {
        Labels[n].Create(Handle(), {12, 16 + 30 * n, 90, 16}, captions[n]);
        CreateNumberField(*Fields()[n], *arrows[n], Handle(), {108, 12 + 30 * n, 80, 22}, "0", 0, 500);
        forms::Edit* field = Fields()[n];
        field->OnChange = [this, field] { FieldChange(*field); };
    }
    Check.Create(Handle(), {12, 134, 220, 20}, "Pridaj na všetky strany rovnako");
    Check.OnClick = [this] { CheckClick(); };
    OKBtn.Create(Handle(), {234, 10, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {234, 42, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TAddBordersDial::Timer1Timer() {
    for (forms::Edit* field : Fields()) ResetUnlessWhole(*field, "0");
}

void TAddBordersDial::FieldChange(forms::Edit& source) {
    if (copying_ || !Check.Checked()) return;
    copying_ = true;
    const std::string text = source.Text();
    for (forms::Edit* field : Fields()) {
        if (field != &source) field->SetText(text);
    }
    copying_ = false;
}

void TAddBordersDial::CheckClick() {
    if (!Check.Checked()) return;
    // No field is the source of this change; the next tick makes them "0".
    copying_ = true;
    for (forms::Edit* field : Fields()) field->SetText("");
    copying_ = false;
}

Borders TAddBordersDial::Values() const {
    return {FieldValue(Edit1, 0), FieldValue(Edit2, 0), FieldValue(Edit3, 0), FieldValue(Edit4, 0)};
}

}  // namespace kelbo
