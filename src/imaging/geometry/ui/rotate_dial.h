// TRotateDial ("Rotácia"): the angle, chosen or typed, and the centre of
// the turn. GeometryCommands turns the current document after "OK".
#pragma once

#include <array>
#include <optional>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "imaging/geometry/transforms.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TRotateDial : public forms::Form {
public:
    TRotateDial(HWND owner, const ImagingContext& imaging);

    forms::GroupBox GroupBox1;  // " Rotačný uhol "
    forms::Label Label1;
    forms::Edit Edit3;  // the angle
    forms::UpDown UpDown3;
    forms::GroupBox RadioGroup1;  // " Uhol "
    std::array<forms::RadioButton, 4> RadioItems;
    forms::GroupBox GroupBox2;  // " Stred "
    forms::Label Label2;
    forms::Edit Edit1;  // centre column
    forms::UpDown UpDown1;
    forms::Label Label3;
    forms::Edit Edit2;  // centre row
    forms::UpDown UpDown2;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    // The chosen item of the radio group, -1 for none.
    int RadioIndex() const;
    // The fields as "OK" takes them; none for an angle beyond 16 bits.
    std::optional<RotationOptions> Options(Color background) const;
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void RadioGroup1Click(int item);
    void ClearRadioGroup();

    const ImagingContext& imaging_;
    // The radio group writes the angle; that change must not clear its choice.
    bool choosing_ = false;
};

}  // namespace kelbo
