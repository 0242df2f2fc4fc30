// TThresDial ("Prahovanie / Thresholding"): the interval bounds and the two
// colours. The main window applies Values() when the dialog ends with OK.
#pragma once

#include <functional>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "imaging/colour/point_ops.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {

class TThresDial : public forms::Form {
public:
    explicit TThresDial(HWND owner);

    forms::GroupBox GroupBox1;  // "Hranice/intenzita"
    forms::Label Label1;
    forms::Edit Edit1;  // start
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit Edit2;  // end
    forms::UpDown UpDown2;
    forms::Label Label3;
    forms::Edit Edit3;  // break
    forms::UpDown UpDown3;
    forms::GroupBox GroupBox2;  // "Hodnoty"
    ColourSwatch StaticText1;
    forms::Label Label4;
    ColourSwatch StaticText2;
    forms::Label Label5;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    // Who picks a swatch's colour: the full-open colour dialog, or a test.
    // Returns false when the choice is cancelled.
    std::function<bool(Color& color)> ColorPicker;

    Threshold Values() const;
    // The timer's work, callable directly.
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void SwatchClick(ColourSwatch& swatch);
    void OKBtnClick();
};

}  // namespace kelbo
