#include "imaging/geometry/ui/resize_dial.h"

#include <cstdint>
#include <string>

#include "core/whole_number.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

TResizeDial::TResizeDial(HWND owner, const ImagingContext& imaging) : imaging_(imaging) {
    CreateForm(L"TResizeDial", "Zmena veľkosti", {0, 0, 420, 260}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TResizeDial::FormCreate() {
    SetClientSize(404, 222);
    GroupBox1.Create(Handle(), {8, 4, 196, 80}, "Absolútna hodnota (v bodoch)");
    Label1.Create(Handle(), {18, 28, 70, 16}, "X-ová os :");
    CreateNumberField(Edit1, UpDown1, Handle(), {96, 24, 80, 22}, "1", 1, 10000, 4);
    Label2.Create(Handle(), {18, 54, 70, 16}, "Y-ová os :");
    CreateNumberField(Edit2, UpDown2, Handle(), {96, 50, 80, 22}, "1", 1, 10000, 4);
    GroupBox2.Create(Handle(), {8, 88, 196, 80}, "Relatívna hodnota (v %)");
    Label3.Create(Handle(), {18, 112, 70, 16}, "X-ová os :");
    CreateNumberField(Edit3, UpDown3, Handle(), {96, 108, 80, 22}, "100", 1, 10000, 5);
    Label4.Create(Handle(), {18, 138, 70, 16}, "Y-ová os:");
    CreateNumberField(Edit4, UpDown4, Handle(), {96, 134, 80, 22}, "100", 1, 10000, 5);
    RatioBox.Create(Handle(), {12, 176, 190, 20}, "Zachovávať pomer strán");
    RadioGroup1.Create(Handle(), {212, 4, 184, 100}, "Metóda");
    const char* methods[] = {"interpolácia najbližším susedom", "lineárna interpolácia", "bilineárna interpolácia"};
    for (int k = 0; k < 3; ++k) RadioItems[k].Create(Handle(), {220, 24 + 24 * k, 172, 20}, methods[k], k == 0);
    RadioItems[2].SetChecked(true);
    OKBtn.Create(Handle(), {224, 186, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {312, 186, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    const std::array<forms::UpDown*, 4> arrows{&UpDown1, &UpDown2, &UpDown3, &UpDown4};
    for (int n = 0; n < 4; ++n) {
        Fields()[n]->OnChange = [this, n] { FieldChange(n); };
        arrows[n]->OnChanging = [this, n](int, int) { arrowUsed_[n] = true; };
    }
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

std::array<forms::Edit*, 4> TResizeDial::Fields() { return {&Edit1, &Edit2, &Edit3, &Edit4}; }

void TResizeDial::FormActivate() {
    Timer1.SetEnabled(true);
    const auto picture = imaging_.currentPicture ? imaging_.currentPicture() : nullptr;
    if (!picture) return;
    w0_ = static_cast<std::uint16_t>(picture->Width());
    h0_ = static_cast<std::uint16_t>(picture->Height());
    Edit1.SetText(std::to_string(w0_));
    Edit2.SetText(std::to_string(h0_));
    Edit3.SetText("100");
    Edit4.SetText("100");
}

void TResizeDial::Timer1Timer() {
    for (forms::Edit* field : Fields()) ResetUnlessWhole(*field, "0");
}

// Only the user's own change of a field sets the others: typed while it has
// the focus, or made by its arrows. The changes written here start no
// further ones.
void TResizeDial::FieldChange(int n) {
    const std::array<forms::Edit*, 4> fields = Fields();
    const bool byUser = fields[n]->Focused() || arrowUsed_[n];
    arrowUsed_[n] = false;
    if (!byUser || w0_ == 0 || h0_ == 0) return;
    for (int k = 0; k < 4; ++k) {
        if (k != n && fields[k]->Focused()) return;
    }
    const std::optional<int> value = ParseWholeNumber(fields[n]->Text());
    if (!value) return;
    const ResizeFields now{FieldValue(Edit1, 0), FieldValue(Edit2, 0), FieldValue(Edit3, 0), FieldValue(Edit4, 0)};
    const ResizeFields next = LinkResizeFields(now, static_cast<ResizeField>(n), *value, {w0_, h0_},
                                               RatioBox.Checked());
    const std::array<int, 4> before{now.width, now.height, now.widthPercent, now.heightPercent};
    const std::array<int, 4> after{next.width, next.height, next.widthPercent, next.heightPercent};
    for (int k = 0; k < 4; ++k) {
        if (k != n && after[k] != before[k]) fields[k]->SetText(std::to_string(after[k]));
    }
}

ResizeMethod TResizeDial::Method() const {
    if (RadioItems[0].Checked()) return ResizeMethod::kNearest;
    if (RadioItems[1].Checked()) return ResizeMethod::kLinear;
    return ResizeMethod::kBilinear;
}

std::optional<Size> TResizeDial::NewSize() const {
    const std::optional<int> width = ParseWholeNumber(Edit1.Text());
    const std::optional<int> height = ParseWholeNumber(Edit2.Text());
    if (!width || !height || *width < 1 || *height < 1) return std::nullopt;
    return Size{*width, *height};
}

}  // namespace kelbo
