// TMozaikaDial ("Efekt "Mozaika""): tile size and tile character of the
// mosaic. The fields keep their values between uses.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "imaging/effects/effects.h"

namespace kelbo {

class TMozaikaDial : public forms::Form {
public:
    explicit TMozaikaDial(HWND owner);

    forms::GroupBox GroupBox1;  // tile size
    forms::Label Label1;
    forms::Edit Edit1;  // "X-ová os :"
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit Edit2;  // "Y-ová os :"
    forms::UpDown UpDown2;
    forms::GroupBox GroupBox2;  // tile character
    forms::Label Label3;
    forms::Edit Edit3;  // "Hrúbka :"
    forms::UpDown UpDown3;
    forms::CheckBox CheckBox1;  // "Priehľadné orámovanie "
    forms::CheckBox CheckBox2;  // "Roztiahnuť obrázok"
    forms::CheckBox CheckBox3;  // "Jednofarebná dlaždička"
    forms::Label Label4;
    forms::Edit Edit4;  // "Priehľadnosť"
    forms::UpDown UpDown4;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    MosaicOptions Options() const;
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override { Timer1.SetEnabled(true); }
    void FormDeactivate() override { Timer1.SetEnabled(false); }

private:
    void CheckBox1Click();
};

}  // namespace kelbo
