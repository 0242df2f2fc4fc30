// TScrnFrm: the active document's picture alone on the whole screen, at its
// top left, until the pointer moves or any key or button is pressed.
#pragma once

#include <memory>

#include "browser/ui/watched_view.h"
#include "forms/dib.h"
#include "forms/panel.h"

namespace kelbo {

class TScrnFrm : public WatchedView {
public:
    // `mainWindow` gets its size back when the view closes.
    explicit TScrnFrm(HWND mainWindow);

    forms::PictureView Image1;

    // Shows `picture` (the view keeps it; give it a copy) on `color`.
    void ShowPicture(std::shared_ptr<forms::DibSection> picture, Color color);

protected:
    void FormCreate() override;
};

}  // namespace kelbo
