// TWaveDial ("Zvlnenie obrázku"): the four wave values with the live
// preview. The fields keep their values between uses.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/colour/fit_preview.h"
#include "imaging/effects/effects.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TWaveDial : public forms::Form {
public:
    TWaveDial(HWND owner, const ImagingContext& imaging);

    forms::GroupBox GroupBox1;  // "Os X"
    forms::Label Label1;        // "&Perióda"
    forms::Edit SpinEdit1;
    forms::UpDown UpDown1;
    forms::Label Label2;  // "&Amplitúda"
    forms::Edit SpinEdit2;
    forms::UpDown UpDown2;
    forms::GroupBox GroupBox2;  // "Os Y"
    forms::Label Label3;        // "P&erióda"
    forms::Edit SpinEdit3;
    forms::UpDown UpDown3;
    forms::Label Label4;  // "A&mplitúda"
    forms::Edit SpinEdit4;
    forms::UpDown UpDown4;
    LivePreview Preview;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    WaveOptions Options() const;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override { Preview.Deactivate(); }

private:
    void RunPreview(PixelView preview, Progress* progress) const;

    const ImagingContext& imaging_;
    long double scale_ = 1;
};

}  // namespace kelbo
