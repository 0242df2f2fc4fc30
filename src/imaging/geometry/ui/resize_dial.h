// TResizeDial ("Zmena veľkosti"): the new size in pixels or percent, linked
// as ResizeFields describes, and the method. GeometryCommands resizes the
// current document after "OK".
#pragma once

#include <array>
#include <optional>

#include "core/geometry.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "imaging/geometry/resize_fields.h"
#include "imaging/geometry/transforms.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TResizeDial : public forms::Form {
public:
    TResizeDial(HWND owner, const ImagingContext& imaging);

    forms::GroupBox GroupBox1;  // "Absolútna hodnota (v bodoch)"
    forms::Label Label1;
    forms::Edit Edit1;  // width
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit Edit2;  // height
    forms::UpDown UpDown2;
    forms::GroupBox GroupBox2;  // "Relatívna hodnota (v %)"
    forms::Label Label3;
    forms::Edit Edit3;  // width percent
    forms::UpDown UpDown3;
    forms::Label Label4;
    forms::Edit Edit4;  // height percent
    forms::UpDown UpDown4;
    forms::CheckBox RatioBox;     // "Zachovávať pomer strán"
    forms::GroupBox RadioGroup1;  // "Metóda"
    std::array<forms::RadioButton, 3> RadioItems;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    // The picture's size when the dialog was activated.
    Size Original() const { return {w0_, h0_}; }
    ResizeMethod Method() const;
    // The two pixel fields, if both are whole numbers of at least 1.
    std::optional<Size> NewSize() const;
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormShow() override { arrowUsed_.fill(false); }
    void FormActivate() override;
    void FormDeactivate() override { Timer1.SetEnabled(false); }

private:
    std::array<forms::Edit*, 4> Fields();
    void FieldChange(int n);

    const ImagingContext& imaging_;
    int w0_ = 0;  // unsigned 16-bit values
    int h0_ = 0;
    std::array<bool, 4> arrowUsed_{};
};

}  // namespace kelbo
