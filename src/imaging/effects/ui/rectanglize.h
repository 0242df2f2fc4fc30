// TRectanglize ("Premeň na pravouholníky..."): the cell size of the
// rectangles. The fields keep their values between uses.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

namespace kelbo {

class TRectanglize : public forms::Form {
public:
    explicit TRectanglize(HWND owner);

    forms::Label Label1;
    forms::Edit Edit1;  // "Rozmer X:"
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Edit Edit2;  // "Rozmer Y:"
    forms::UpDown UpDown2;
    forms::Button OKBtn;
    forms::Button CancelBtn;

    int CellWidth() const;
    int CellHeight() const;

protected:
    void FormCreate() override;
};

}  // namespace kelbo
