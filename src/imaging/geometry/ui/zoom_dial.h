// TZoomDial ("Veľkosť/zoom..."): asks for the zoom of the active document's
// view in percent; the main window's command reads Edit1.
#pragma once

#include <optional>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/hints.h"
#include "forms/timer.h"

namespace kelbo {

class TZoomDial : public forms::Form {
public:
    explicit TZoomDial(HWND owner);

    forms::Label Label1;
    forms::Edit Edit1;
    forms::UpDown UpDown1;
    forms::Label Label2;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    // Edit1 as a whole number, if it is one.
    std::optional<int> Percent() const;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void Timer1Timer();

    forms::Hints hints_;
};

}  // namespace kelbo
