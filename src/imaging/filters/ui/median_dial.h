// TMedianDial ("Filtrovanie mediánom..."): the radius of the horizontal
// median, with a live preview. The main window runs the filter after "OK".
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TMedianDial : public forms::Form {
public:
    TMedianDial(HWND owner, const ImagingContext& context);

    forms::GroupBox GroupBox1;  // "Vstupné hodnoty"
    forms::Label Label1;
    forms::Edit Edit1;
    forms::UpDown UpDown1;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    LivePreview Preview;

    // The radius "OK" filters with: the field's value after its correction.
    int Radius() const;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void Timer1Timer();

    const ImagingContext& context_;
    int previewRadius_ = 0;
};

}  // namespace kelbo
