// TPointDialog ("Pointilizmus"): cell size, largest shrink and largest shift
// of the dots. The fields keep their values between uses.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/effects/effects.h"

namespace kelbo {

class TPointDialog : public forms::Form {
public:
    explicit TPointDialog(HWND owner);

    forms::Label Label1;
    forms::Edit SpinEdit1;  // "Veľkosť:"
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit SpinEdit2;  // "Maximálne zmenšenie:"
    forms::UpDown UpDown2;
    forms::Label Label3;
    forms::Edit SpinEdit3;  // "Maximálne posunutie:"
    forms::UpDown UpDown3;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    PointillismOptions Options() const;

protected:
    void FormCreate() override;
};

}  // namespace kelbo
