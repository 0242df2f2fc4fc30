#include "imaging/colour/ui/color_num_dialog.h"

namespace kelbo {

namespace {

constexpr const char* kDepthItems[] = {
    "2 farby (čierna a biela, 1 bit) ", "2 rôzne farby (1 bit)", "16 farieb  (4 bity)",
    "16 odtieňov čiernej (4 bity)",     "256 farieb  (8 bitov)", "256 odtieňov čiernej (8 bitov)",
    "16.7 milióna farieb (24 bitov)",
};

constexpr const char* kMethodItems[] = {
    "Zaokrúhlenie",
    "Náhodné rozptýlenie",
    "Distribúcia chyby (Floyd-Steinberg)",
};

}  // namespace

std::string BitsText(int bits) {
    const char* unit = bits == 1 ? " bit" : bits >= 2 && bits <= 4 ? " bity" : " bitov";
    return std::to_string(bits) + unit;
}

TColorNumDialog::TColorNumDialog(HWND owner) {
    CreateForm(L"TColorNumDialog", "Zmena počtu farieb", {0, 0, 520, 330},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TColorNumDialog::FormCreate() {
    SetClientSize(504, 290);
    RadioGroup1.Create(Handle(), {8, 4, 250, 190}, "Počet farieb");
    for (size_t i = 0; i < DepthRadios.size(); ++i)
        DepthRadios[i].Create(Handle(), {18, 24 + 24 * static_cast<int>(i), 234, 20}, kDepthItems[i], i == 0);
    RadioGroup2.Create(Handle(), {266, 4, 230, 98}, "Metóda");
    for (size_t i = 0; i < MethodRadios.size(); ++i)
        MethodRadios[i].Create(Handle(), {276, 24 + 24 * static_cast<int>(i), 214, 20}, kMethodItems[i], i == 0);
    GroupBox1.Create(Handle(), {8, 200, 488, 50}, "Informácie");
    Label1.Create(Handle(), {18, 222, 80, 16}, "Počet farieb:");
    DepthLabel.Create(Handle(), {100, 222, 80, 16}, "");
    Label2.Create(Handle(), {200, 222, 140, 16}, "Počet použitých farieb:");
    CountLabel.Create(Handle(), {342, 222, 100, 16}, "");
    OKBtn.Create(Handle(), {328, 258, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {416, 258, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    SetDepth(ColourDepth::kTrueColour);
    CenterOnScreen();
}

ColourDepth TColorNumDialog::Depth() const {
    for (size_t i = 0; i < DepthRadios.size(); ++i)
        if (DepthRadios[i].Checked()) return static_cast<ColourDepth>(i);
    return ColourDepth::kTrueColour;
}

std::optional<ReductionMethod> TColorNumDialog::Method() const {
    for (size_t i = 0; i < MethodRadios.size(); ++i)
        if (MethodRadios[i].Checked()) return static_cast<ReductionMethod>(i);
    return std::nullopt;
}

void TColorNumDialog::SetDepth(ColourDepth depth) {
    for (size_t i = 0; i < DepthRadios.size(); ++i) DepthRadios[i].SetChecked(i == static_cast<size_t>(depth));
}

void TColorNumDialog::SetMethod(std::optional<ReductionMethod> method) {
    for (size_t i = 0; i < MethodRadios.size(); ++i)
        MethodRadios[i].SetChecked(method && i == static_cast<size_t>(*method));
}

void TColorNumDialog::SetInformation(int bits, std::size_t colours) {
    DepthLabel.SetText(BitsText(bits));
    CountLabel.SetText(std::to_string(colours));
}

}  // namespace kelbo
