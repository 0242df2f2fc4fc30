// TPainterDial ("Maliarske techniky..."): the brush of "Maľba". The fields
// keep their values between uses.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "imaging/effects/effects.h"

namespace kelbo {

class TPainterDial : public forms::Form {
public:
    explicit TPainterDial(HWND owner);

    forms::Label Label1;
    forms::Edit Edit1;  // "Veľkosť štetca :"
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit Edit2;  // "Maximálne zmenšenie štetca :"
    forms::UpDown UpDown2;
    forms::Label Label3;
    forms::Edit Edit3;  // "Maximálne posunutie :"
    forms::UpDown UpDown3;
    forms::Label Label4;
    forms::Edit Edit4;  // "Dĺžka ťahu štetcom :"
    forms::UpDown UpDown4;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    PaintingOptions Options() const;
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override { Timer1.SetEnabled(true); }
    void FormDeactivate() override { Timer1.SetEnabled(false); }
};

}  // namespace kelbo
