#include "imaging/effects/ui/round_photo_dial.h"

#include <stdexcept>

#include "core/rounding.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

TRoundPhoto::TRoundPhoto(HWND owner, const ImagingContext& imaging) : imaging_(imaging) {
    CreateForm(L"TRoundPhoto", "Okrúhla fotografia", {0, 0, 340, 330},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TRoundPhoto::FormCreate() {
    SetClientSize(320, 296);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 4, 220, 136}, "Ohraničenie");
    Label1.Create(h, {112, 22, 50, 16}, "Os X :");
    Label2.Create(h, {168, 22, 50, 16}, "Os Y:");
    struct Row {
        forms::Label& label;
        const char* caption;
        forms::Edit& x;
        forms::UpDown& xArrows;
        forms::Edit& y;
        forms::UpDown& yArrows;
        const char* text;
    };
    const Row rows[] = {{Label3, "Vnútorný okraj ", Edit1, UpDown1, Edit2, UpDown2, "50"},
                        {Label4, "Vonkajší okraj ", Edit3, UpDown3, Edit4, UpDown4, "100"},
                        {Label5, "Stred ", Edit5, UpDown5, Edit6, UpDown6, "0"}};
    int top = 42;
    for (const Row& row : rows) {
        row.label.Create(h, {16, top + 4, 92, 16}, row.caption);
        CreateNumberField(row.x, row.xArrows, h, {112, top, 52, 22}, row.text, 0, 65535);
        CreateNumberField(row.y, row.yArrows, h, {168, top, 52, 22}, row.text, 0, 65535);
        top += 32;
    }
    for (forms::Edit* edit : {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6})
        edit->OnChange = [this] { Preview.Changed(); };

    OKBtn.Create(h, {236, 10, 76, 25}, "OK", true);
    CancelBtn.Create(h, {236, 42, 76, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Preview.Create(h, {8, 150, kPreviewWidth, kPreviewHeight}, {168, 150, kPreviewWidth, kPreviewHeight},
                   {8, 266, 200, 20}, "&Rýchle prezeranie");
    Preview.BeforeTick = [this] { Timer1Timer(); };
    Preview.Run = [this](PixelView preview, Progress* progress) { RunPreview(preview, progress); };
    CenterOnScreen();
}

void TRoundPhoto::FormActivate() {
    const auto picture = imaging_.currentPicture ? imaging_.currentPicture() : nullptr;
    if (picture && !picture->Empty()) {
        Edit5.SetText(std::to_string(picture->Width() / 2));
        Edit6.SetText(std::to_string(picture->Height() / 2));
        placement_ = PlacePreview(picture->Width(), picture->Height(), kPreviewWidth, kPreviewHeight);
    }
    Preview.Activate(imaging_);
}

void TRoundPhoto::Timer1Timer() {
    for (forms::Edit* edit : {&Edit1, &Edit2, &Edit5, &Edit6}) ResetUnlessWhole(*edit, "0");
    // An outer value follows its inner one, except while the user types it.
    const auto follow = [](forms::Edit& outer, const forms::Edit& inner) {
        ResetUnlessWhole(outer, inner.Text());
        if (FieldValue(outer, 0) < FieldValue(inner, 0) && !outer.Focused()) outer.SetText(inner.Text());
    };
    follow(Edit3, Edit1);
    follow(Edit4, Edit2);
}

RoundPhotoOptions TRoundPhoto::Options() const {
    RoundPhotoOptions options;
    options.innerX = FieldValue(Edit1, 0);
    options.innerY = FieldValue(Edit2, 0);
    options.outerX = FieldValue(Edit3, 0);
    options.outerY = FieldValue(Edit4, 0);
    options.centreX = FieldValue(Edit5, 0);
    options.centreY = FieldValue(Edit6, 0);
    return options;
}

void TRoundPhoto::RunPreview(PixelView preview, Progress* progress) const {
    const RoundPhotoOptions typed = Options();
    const auto scaled = [this](int v) { return static_cast<int>(Round(v * placement_.scale)); };
    RoundPhotoOptions options;
    options.innerX = scaled(typed.innerX);
    options.innerY = scaled(typed.innerY);
    options.outerX = scaled(typed.outerX);
    options.outerY = scaled(typed.outerY);
    options.centreX = scaled(typed.centreX) + placement_.offsetX;
    options.centreY = scaled(typed.centreY) + placement_.offsetY;
    try {
        RoundPhoto(preview, options, progress);
    } catch (const std::invalid_argument&) {
        // Borders too close for the thumbnail's scale: it stays unchanged,
        // and "OK" tells the user if the typed values are refused too.
    }
}

}  // namespace kelbo
