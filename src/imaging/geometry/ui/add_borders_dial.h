// TAddBordersDial ("Pridaj okraje..."): the four borders, or one for all
// sides. GeometryCommands puts the current document's picture on a larger
// white one after "OK".
#pragma once

#include <array>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {

class TAddBordersDial : public forms::Form {
public:
    explicit TAddBordersDial(HWND owner);

    std::array<forms::Label, 4> Labels;
    forms::Edit Edit1;  // left
    forms::UpDown UpDown1;
    forms::Edit Edit2;  // right
    forms::UpDown UpDown2;
    forms::Edit Edit3;  // top
    forms::UpDown UpDown3;
    forms::Edit Edit4;  // bottom
    forms::UpDown UpDown4;
    forms::CheckBox Check;  // "Pridaj na všetky strany rovnako"
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    Borders Values() const;
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override { Timer1.SetEnabled(true); }
    void FormDeactivate() override { Timer1.SetEnabled(false); }

private:
    std::array<forms::Edit*, 4> Fields();
    void FieldChange(forms::Edit& source);
    void CheckClick();

    // While the fields are written together, their changes copy nothing.
    bool copying_ = false;
};

}  // namespace kelbo
