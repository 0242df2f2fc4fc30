// TAritmeticDial ("Aritmetické funkcie"): two pictures from files and the
// way their pixels combine. The command module makes the result after "OK".
#pragma once

#include "document/ui/command_host.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/panel.h"
#include "imaging/filters/combine.h"

namespace kelbo {

class TAritmeticDial : public forms::Form {
public:
    TAritmeticDial(HWND owner, CommandHost& host);

    static constexpr int kMethodCount = 8;

    forms::GroupBox GroupBox1;  // "Vstup"
    forms::Label Label1;        // "1. súbor"
    forms::Edit Edit1;
    forms::Button Button1;  // "nájdi"
    forms::Label Label2;    // "2. súbor"
    forms::Edit Edit2;
    forms::Button Button2;  // "nájdi"
    forms::PictureView Image1;
    forms::PictureView Image2;
    forms::GroupBox RadioGroup1;  // "Použitá metóda", in two columns
    forms::RadioButton Methods[kMethodCount];
    forms::Button OKBtn;
    forms::Button CancelBtn;  // "Zatvor"

    CombineMethod Method() const;

protected:
    void FormCreate() override;

private:
    void FindClick(forms::Edit& field, forms::PictureView& image);

    CommandHost& host_;
};

}  // namespace kelbo
