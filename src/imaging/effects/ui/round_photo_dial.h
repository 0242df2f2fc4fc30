// TRoundPhoto ("Okrúhla fotografia"): the inner and outer border and the
// centre of the round photograph, with the live preview. The border fields
// keep their values between uses; the centre follows the picture.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/colour/fit_preview.h"
#include "imaging/effects/effects.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TRoundPhoto : public forms::Form {
public:
    TRoundPhoto(HWND owner, const ImagingContext& imaging);

    forms::GroupBox GroupBox1;  // "Ohraničenie"
    forms::Label Label1;        // "Os X :"
    forms::Label Label2;        // "Os Y:"
    forms::Label Label3;        // "Vnútorný okraj "
    forms::Label Label4;        // "Vonkajší okraj "
    forms::Label Label5;        // "Stred "
    forms::Edit Edit1;          // inner x
    forms::UpDown UpDown1;
    forms::Edit Edit2;  // inner y
    forms::UpDown UpDown2;
    forms::Edit Edit3;  // outer x
    forms::UpDown UpDown3;
    forms::Edit Edit4;  // outer y
    forms::UpDown UpDown4;
    forms::Edit Edit5;  // centre x
    forms::UpDown UpDown5;
    forms::Edit Edit6;  // centre y
    forms::UpDown UpDown6;
    LivePreview Preview;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    RoundPhotoOptions Options() const;
    // The timer's field corrections.
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override { Preview.Deactivate(); }

private:
    void RunPreview(PixelView preview, Progress* progress) const;

    const ImagingContext& imaging_;
    PreviewPlacement placement_;
};

}  // namespace kelbo
