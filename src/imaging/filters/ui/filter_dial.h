// TFilterDial ("Obyčajná filtrácia"): the radius of the horizontal averaging,
// with a live preview. The main window runs the filter after "OK".
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TFilterDial : public forms::Form {
public:
    static constexpr UINT kPreviewInterval = 1500;

    TFilterDial(HWND owner, const ImagingContext& context);

    forms::GroupBox GroupBox1;  // "Vstupné hodnoty"
    forms::Label Label1;
    forms::Edit Edit1;
    forms::UpDown UpDown1;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    LivePreview Preview;

    // The radius "OK" filters with; text that is no number gives 0.
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
