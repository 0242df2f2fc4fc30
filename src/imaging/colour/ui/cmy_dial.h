// TCMYdial ("Zmeň CMY"): percentages of the three complements, with the
// live preview. The main window applies Values() when the dialog ends with OK.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/colour/point_ops.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TCMYdial : public forms::Form {
public:
    TCMYdial(HWND owner, const ImagingContext& imaging);

    forms::GroupBox GroupBox1;  // "Formát CMY"
    forms::Label Label1;
    forms::Edit Edit1;
    forms::UpDown UpDown1;
    forms::Label Label4;
    forms::Label Label2;
    forms::Edit Edit2;
    forms::UpDown UpDown2;
    forms::Label Label5;
    forms::Label Label3;
    forms::Edit Edit3;
    forms::UpDown UpDown3;
    forms::Label Label6;
    LivePreview Preview;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    CmyChange Values() const;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    // The preview timer's tick: fields that are no whole number become "100".
    void CorrectFields();

    const ImagingContext& imaging_;
};

}  // namespace kelbo
