#include "imaging/geometry/ui/rotate_dial.h"

#include <cstdint>
#include <string>

#include "core/whole_number.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {
namespace {

constexpr std::array<int, 4> kItemAngles{45, 90, 180, 270};

}  // namespace

TRotateDial::TRotateDial(HWND owner, const ImagingContext& imaging) : imaging_(imaging) {
    CreateForm(L"TRotateDial", "Rotácia", {0, 0, 360, 250}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TRotateDial::FormCreate() {
    SetClientSize(344, 212);
    GroupBox1.Create(Handle(), {8, 4, 232, 52}, " Rotačný uhol ");
    Label1.Create(Handle(), {18, 26, 110, 16}, "Otočenie o uhol :");
    CreateNumberField(Edit3, UpDown3, Handle(), {132, 22, 80, 22}, "0", 0, 360);
    RadioGroup1.Create(Handle(), {8, 60, 232, 72}, " Uhol ");
    const char* captions[] = {"45 stupňov", "90 stupňov", "180 stupňov", "270 stupňov"};
    for (int k = 0; k < 4; ++k) {
        RadioItems[k].Create(Handle(), {18 + 110 * (k % 2), 80 + 24 * (k / 2), 104, 20}, captions[k], k == 0);
        RadioItems[k].OnClick = [this, k] { RadioGroup1Click(k); };
    }
    GroupBox2.Create(Handle(), {8, 136, 232, 68}, " Stred ");
    Label2.Create(Handle(), {18, 156, 80, 16}, "Stred, os X:");
    CreateNumberField(Edit1, UpDown1, Handle(), {100, 152, 80, 22}, "0", 0, 65535);
    Label3.Create(Handle(), {18, 180, 80, 16}, "os Y:");
    CreateNumberField(Edit2, UpDown2, Handle(), {100, 176, 80, 22}, "0", 0, 65535);
    OKBtn.Create(Handle(), {256, 10, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {256, 42, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Edit3.OnChange = [this] {
        if (!choosing_) ClearRadioGroup();
    };
    UpDown3.OnChanging = [this](int, int) { ClearRadioGroup(); };
    Timer1.SetInterval(500);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TRotateDial::FormActivate() {
    Timer1.SetEnabled(true);
    const auto picture = imaging_.currentPicture ? imaging_.currentPicture() : nullptr;
    if (!picture) return;
    Edit1.SetText(std::to_string(picture->Width() / 2));
    Edit2.SetText(std::to_string(picture->Height() / 2));
    Edit3.SetText("0");
}

void TRotateDial::FormDeactivate() { Timer1.SetEnabled(false); }

void TRotateDial::Timer1Timer() {
    for (forms::Edit* field : {&Edit1, &Edit2, &Edit3}) ResetUnlessWhole(*field, "0");
}

void TRotateDial::RadioGroup1Click(int item) {
    choosing_ = true;
    Edit3.SetText(std::to_string(kItemAngles[item]));
    choosing_ = false;
}

void TRotateDial::ClearRadioGroup() {
    for (forms::RadioButton& item : RadioItems) item.SetChecked(false);
}

int TRotateDial::RadioIndex() const {
    for (int k = 0; k < 4; ++k) {
        if (RadioItems[k].Checked()) return k;
    }
    return -1;
}

std::optional<RotationOptions> TRotateDial::Options(Color background) const {
    const std::optional<int> angle = ParseWholeNumber(Edit3.Text());
    if (angle && (*angle < -32768 || *angle > 32767)) return std::nullopt;
    // The centre is taken as unsigned 16-bit values.
    return RotationOptions{angle.value_or(0), static_cast<std::uint16_t>(FieldValue(Edit1, 0)),
                           static_cast<std::uint16_t>(FieldValue(Edit2, 0)), background};
}

}  // namespace kelbo
