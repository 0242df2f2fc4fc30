// The behaviour the floating windows share through their roll-up title:
// pressing and moving on it drags the window, its roll button switches
// between the full size and 80 x 22, the pointer over a rolled-up title
// opens the window to its full size until the pointer reaches the main
// window, and its close button hides the window.
#pragma once

#include <functional>

#include "controls/close_panel.h"
#include "core/geometry.h"
#include "forms/form.h"

namespace kelbo::controls {

class FloatingTitle {
public:
    static constexpr int kRolledWidth = 80;
    static constexpr int kRolledHeight = 22;

    // `title` belongs to `window`; Attach binds its events once it exists.
    FloatingTitle(forms::Form& window, TClosePanel& title, Size fullSize);
    void Attach();

    // The window at its full size or rolled up, as the title's roll state says.
    void SetRolled(bool rolled);
    bool Rolled() const { return title_.RollType(); }
    // The pointer is over the main window: a rolled-up window closes again.
    void PointerOverFrame();

    // The window was dragged to (left, top).
    std::function<void(int left, int top)> OnMoved;
    // The roll button changed the roll state.
    std::function<void(bool rolled)> OnRolled;
    // The close button hid the window.
    std::function<void()> OnClosed;
    // The pointer moved over the title without dragging it.
    std::function<void()> OnHover;

private:
    void ApplyRollState();
    void SetSize(Size size);
    void MouseDown(forms::MouseButton button);
    void MouseMove(WPARAM keys);

    forms::Form& window_;
    TClosePanel& title_;
    Size fullSize_;
    bool dragging_ = false;
    POINT dragCursor_{};
    POINT dragWindow_{};
};

}  // namespace kelbo::controls
