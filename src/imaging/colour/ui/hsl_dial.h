// THSLDial ("Zmena HSL..."): percentages of hue, saturation and lightness,
// with the live preview. The main window applies Values() when the dialog
// ends with OK.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

// The three percentages of "Zmeň HSL", -100..100 each.
struct HslChange {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};

class THSLDial : public forms::Form {
public:
    THSLDial(HWND owner, const ImagingContext& imaging);

    forms::GroupBox GroupBox1;  // "Formát HSL"
    forms::Label Label1;
    forms::Edit Edit1;
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit Edit2;
    forms::UpDown UpDown2;
    forms::Label Label3;
    forms::Edit Edit3;
    forms::UpDown UpDown3;
    LivePreview Preview;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    HslChange Values() const;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    // The preview timer's tick: fields that are no whole number become "0".
    void CorrectFields();

    const ImagingContext& imaging_;
};

}  // namespace kelbo
