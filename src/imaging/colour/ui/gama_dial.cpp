#include "imaging/colour/ui/gama_dial.h"

#include "imaging/colour/colour_fields.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

namespace {

constexpr int kGammaMin = 1;
constexpr int kGammaMax = 250;
constexpr int kGammaOne = 100;

}  // namespace

TGamaDial::TGamaDial(HWND owner) {
    CreateForm(L"TGamaDial", "Gama korekcia", {0, 0, 360, 240}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TGamaDial::FormCreate() {
    SetClientSize(340, 206);
    const HWND h = Handle();
    struct Row {
        forms::Label& label;
        forms::TrackBar& bar;
        forms::Edit& field;
        const char* caption;
    };
    const Row rows[] = {{Label1, TrackBar1, Edit1, "Č&ervená zložka:"},
                        {Label2, TrackBar2, Edit2, "&Zelená zložka:"},
                        {Label3, TrackBar3, Edit3, "&Modrá zložka:"}};
    int top = 10;
    for (const Row& row : rows) {
        CreateAccessLabel(row.label, h, {10, top + 8, 96, 16}, row.caption);
        row.bar.Create(h, {108, top, 170, 32}, kGammaMin, kGammaMax, kGammaOne);
        SendMessageW(row.bar.Handle(), TBM_SETTICFREQ, 50, 0);
        row.field.Create(h, {284, top + 5, 46, 22}, GammaText(kGammaOne));
        row.field.SetMaxLength(4);
        row.field.SetReadOnly(true);
        forms::TrackBar& bar = row.bar;
        forms::Edit& field = row.field;
        bar.OnChange = [this, &bar, &field] { TrackBarChange(bar, field); };
        top += 42;
    }
    CheckBox1.Create(h, {10, 138, 240, 20}, "Pracovať so spojenými zložkami");
    CheckBox1.SetChecked(true);

    OKBtn.Create(h, {176, 172, 75, 24}, "O&K", true);
    CancelBtn.Create(h, {256, 172, 75, 24}, "Z&atvor");
    OKBtn.OnClick = [this] { OKBtnClick(); };
    CancelBtn.OnClick = [this] { Close(); };
    CenterOnScreen();
}

void TGamaDial::TrackBarChange(forms::TrackBar& moved, forms::Edit& field) {
    const int position = moved.Position();
    field.SetText(GammaText(position));
    // Setting a linked bar reports a change of its own; one round is enough.
    if (linking_ || !CheckBox1.Checked()) return;
    linking_ = true;
    for (forms::TrackBar* other : {&TrackBar1, &TrackBar2, &TrackBar3}) {
        if (other != &moved) other->SetPosition(position);
    }
    linking_ = false;
}

void TGamaDial::OKBtnClick() {
    Close();
    if (OnApply) OnApply();
}

GammaCorrection TGamaDial::Values() const {
    GammaCorrection gamma;
    gamma.red = TrackBar1.Position();
    gamma.green = TrackBar2.Position();
    gamma.blue = TrackBar3.Position();
    return gamma;
}

}  // namespace kelbo
