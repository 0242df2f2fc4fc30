// TSobelDial ("Filtrovanie sobelovým operátorom..."): the kernel's rotation
// (track bar and field kept in step) and the two options. The main window
// runs the filter after "OK".
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/filters/filters.h"

namespace kelbo {

class TSobelDial : public forms::Form {
public:
    explicit TSobelDial(HWND owner);

    forms::GroupBox GroupBox1;  // " Rotácia matice "
    forms::TrackBar TrackBar1;
    forms::Edit Edit1;
    forms::GroupBox GroupBox2;  // " Vlastnosti filtrácie "
    forms::CheckBox CheckBox1;  // "Len zmena smerom dole"
    forms::CheckBox CheckBox2;  // "Obrátiť obrázok"
    forms::Button OKBtn;
    forms::Button CancelBtn;

    SobelOptions Options() const;

protected:
    void FormCreate() override;

private:
    void TrackBar1Change();
    void Edit1Change();

    // Each side writes the other; the flag stops the echo.
    bool syncing_ = false;
};

}  // namespace kelbo
