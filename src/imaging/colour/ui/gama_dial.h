// TGamaDial ("Gama korekcia"): one track bar per channel, optionally moved
// together. Made anew for each use and shown without blocking the main
// window; "O&K" hands Values() to OnApply.
#pragma once

#include <functional>

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/colour/point_ops.h"

namespace kelbo {

class TGamaDial : public forms::Form {
public:
    explicit TGamaDial(HWND owner);

    forms::Label Label1;
    forms::TrackBar TrackBar1;
    forms::Edit Edit1;
    forms::Label Label2;
    forms::TrackBar TrackBar2;
    forms::Edit Edit2;
    forms::Label Label3;
    forms::TrackBar TrackBar3;
    forms::Edit Edit3;
    forms::CheckBox CheckBox1;  // "Pracovať so spojenými zložkami"
    forms::Button OKBtn;
    forms::Button CancelBtn;

    // Runs after "O&K" has closed the dialog.
    std::function<void()> OnApply;

    GammaCorrection Values() const;

protected:
    void FormCreate() override;

private:
    void TrackBarChange(forms::TrackBar& moved, forms::Edit& field);
    void OKBtnClick();

    bool linking_ = false;
};

}  // namespace kelbo
