// TAboutDial ("Informácie"): the start-up picture, the credits and the
// author's e-mail link.
#pragma once

#include <memory>
#include <string>

#include "forms/controls.h"
#include "forms/dib.h"
#include "forms/form.h"
#include "forms/panel.h"

namespace kelbo {

class TAboutDial : public forms::Form {
public:
    explicit TAboutDial(HWND owner);

    forms::PictureView Image1;
    forms::Panel Credits;
    forms::Panel EmailLink;
    forms::Button OKBtn;
    forms::Button CancelBtn;

protected:
    void FormCreate() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void EmailLinkClick();
};

// The program's directory without a trailing backslash.
std::wstring ProgramDirectory();

// "splash.bmp" beside the program, or nullptr when it is missing or unreadable.
std::shared_ptr<forms::DibSection> LoadSplashPicture();

}  // namespace kelbo
