// TRGBDial ("Zmeň farbu..."): percentages of the three channels, an optional
// exception for near-white pixels, and the live preview. The main window
// applies Values() to the current document when the dialog ends with OK.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/colour/point_ops.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TRGBDial : public forms::Form {
public:
    TRGBDial(HWND owner, const ImagingContext& imaging);

    forms::GroupBox GroupBox1;  // "Hodnoty"
    forms::Label Label1;
    forms::Edit Edit1;
    forms::UpDown UpDown1;
    forms::Label Label6;
    forms::Label Label2;
    forms::Edit Edit2;
    forms::UpDown UpDown2;
    forms::Label Label7;
    forms::Label Label3;
    forms::Edit Edit3;
    forms::UpDown UpDown3;
    forms::Label Label8;
    forms::GroupBox GroupBox2;  // "Obmedzenie"
    forms::CheckBox CheckBox1;
    forms::Label Label4;
    forms::Edit Edit4;
    forms::UpDown UpDown4;
    LivePreview Preview;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    RgbChange Values() const;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void PercentChange(forms::Edit& edit);
    void Edit4Change();
    void CheckBox1Click();

    const ImagingContext& imaging_;
};

}  // namespace kelbo
