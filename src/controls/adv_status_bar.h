// A status bar that holds child controls: each placed child follows its
// panel whenever the bar is resized or its panels change, the bar clips its
// children instead of painting over them, and the children's notifications
// reach their objects as they would under a form.
#pragma once

#include <vector>

#include "forms/controls.h"
#include "forms/status_bar.h"
#include "forms/window.h"

namespace kelbo::controls {

class TAdvStatusBar : public forms::StatusBar {
public:
    TAdvStatusBar() = default;
    ~TAdvStatusBar() override;

    void Create(HWND parent);

    // Makes `child` a child of the bar that fills panel `panel` less `inset`
    // pixels on every side, now and after every resize.
    void PlaceInPanel(HWND child, int panel, int inset = 2);
    void PlaceInPanel(const forms::Control& child, int panel, int inset = 2) {
        PlaceInPanel(child.Handle(), panel, inset);
    }
    void PlaceInPanel(const forms::Window& child, int panel, int inset = 2) {
        PlaceInPanel(child.Handle(), panel, inset);
    }
    // The child stays where it is and no longer follows a panel.
    void Unplace(HWND child);

    // Puts every placed child over its panel again.
    void LayoutChildren();

private:
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

    struct Placed {
        HWND child;
        int panel;
        int inset;
    };
    std::vector<Placed> placed_;
    bool subclassed_ = false;
};

}  // namespace kelbo::controls
