// The base of the windows that show pictures alone on the whole screen (the
// fast view, the full-screen view): while shown, the pointer is hidden, an
// application-wide watch closes the window on input, and the main window
// gets back the size it had when the window was activated.
#pragma once

#include <windows.h>

#include <cstdint>

#include "browser/input_watch.h"
#include "core/color.h"
#include "core/geometry.h"
#include "forms/form.h"

namespace kelbo {

class WatchedView : public forms::Form {
public:
    ~WatchedView() override;

    // The colour around the picture.
    void SetColor(Color color);
    Color GetColor() const { return color_; }

protected:
    // The derived window creates the form itself.
    WatchedView(HWND mainWindow, ViewKeys keys) : mainWindow_(mainWindow), keys_(keys) {}

    void FormShow() override;
    void FormHide() override;
    void FormActivate() override;
    void FormClose() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK InputWatch(int code, WPARAM wParam, LPARAM lParam);
    void StopWatching();

    HWND mainWindow_;
    ViewKeys keys_;
    Color color_ = Rgb(0, 0, 0);
    std::uint16_t SavedMainHeight = 0;
    std::uint16_t SavedMainWidth = 0;
    Point pointerStart_;
    HHOOK watch_ = nullptr;
    bool pointerHidden_ = false;
};

}  // namespace kelbo
