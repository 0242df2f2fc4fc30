// TShearDial ("Skosenie obrázku"): the shear along each axis in percent.
// The fields keep their values between uses.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {

class TShearDial : public forms::Form {
public:
    explicit TShearDial(HWND owner);

    forms::Label Label1;
    forms::Edit Edit1;  // along x
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit Edit2;  // along y
    forms::UpDown UpDown2;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    ShearOptions Options(Color background) const;
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override { Timer1.SetEnabled(true); }
    void FormDeactivate() override { Timer1.SetEnabled(false); }
};

}  // namespace kelbo
