// TMovieDialog ("Animácia"): how many steps lead from the source mesh to the
// target mesh, which of them to render, and the frames' names.
#pragma once

#include <functional>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"

namespace kelbo {

class TMovieDialog : public forms::Form {
public:
    // `caption` gives the active warp window's caption.
    TMovieDialog(HWND owner, std::function<std::string()> caption);

    forms::GroupBox GroupBox1;  // "Vlastnosti"
    forms::Label Label1, Label2, Label3;
    forms::Edit Edit1;  // N
    forms::UpDown UpDown1;
    forms::Edit Edit2;  // first
    forms::UpDown UpDown2;
    forms::Edit Edit3;  // last
    forms::UpDown UpDown3;
    forms::GroupBox GroupBox2;  // "Výstup"
    forms::Label Label4, Label5;
    forms::Edit Edit4;  // base of the names
    forms::ComboBox ComboBox1;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;
    // The user has typed the last picture.
    bool LastChosen = false;

    void Timer1Timer();
    // ".jpg" for the second format, ".bmp" otherwise.
    std::string Extension() const;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void Edit1Change();
    void Edit3Change();
    void RestartTimer();

    std::function<std::string()> caption_;
};

}  // namespace kelbo
