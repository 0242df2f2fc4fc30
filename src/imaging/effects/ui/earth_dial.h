// TEarthDial (""Zemetrasenie"..."): the shear of the earthquake along each
// axis in percent. The fields keep their values between uses.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {

class TEarthDial : public forms::Form {
public:
    explicit TEarthDial(HWND owner);

    forms::Label Label1;
    forms::Edit Edit1;  // "Zmena na osi X:"
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit Edit2;  // "Zmena na osi Y:"
    forms::UpDown UpDown2;
    forms::Label Label3;  // "Rozmazanosť :"
    forms::TrackBar TrackBar1;
    forms::Label Panel1;  // the track bar's position, sunken
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    // The track bar only shows its value: the earthquake does not blur.
    EarthquakeOptions Options(Color background) const;
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override { Timer1.SetEnabled(true); }
    void FormDeactivate() override { Timer1.SetEnabled(false); }
};

}  // namespace kelbo
