// TNoiseDial ("Odstránenie šumu"): the method and the strength of the noise
// removal. The main window runs the filter after "OK".
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/filters/filters.h"

namespace kelbo {

class TNoiseDial : public forms::Form {
public:
    explicit TNoiseDial(HWND owner);

    forms::GroupBox RadioGroup1;  // "Spôsob filtrovania"
    forms::RadioButton FrequencyRadio;
    forms::RadioButton SpatialRadio;
    forms::GroupBox GroupBox1;  // "Sila filtrácie :"
    forms::Label Label1;        // "minimum"
    forms::TrackBar TrackBar1;
    forms::Label Label2;  // "maximum"
    forms::Label Panel1;  // the position, sunken
    forms::Button OKBtn;
    forms::Button CancelBtn;

    NoiseMethod Method() const;
    int Strength() const { return TrackBar1.Position(); }

protected:
    void FormCreate() override;

private:
    void TrackBar1Change();
};

}  // namespace kelbo
