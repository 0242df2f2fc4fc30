#include "browser/ui/scrn_frm.h"

namespace kelbo {

TScrnFrm::TScrnFrm(HWND mainWindow) : WatchedView(mainWindow, ViewKeys::kClose) {
    // No WS_EX_CONTROLPARENT: any key is the watch's, none is for navigation.
    CreateForm(L"TScrnFrm", "", {0, 0, 640, 480}, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST, nullptr);
}

void TScrnFrm::FormCreate() {
    Image1.Create(Handle(), {0, 0, 1, 1});
    CenterOnScreen();
}

void TScrnFrm::ShowPicture(std::shared_ptr<forms::DibSection> picture, Color color) {
    // At its own size at the top left; the screen cuts a larger one.
    Image1.SetBounds({0, 0, picture->Width(), picture->Height()});
    Image1.SetPicture(std::move(picture));
    SetColor(color);
    Show();
}

}  // namespace kelbo
