// The drag of a splitter panel: while the mouse moves, an exclusive-or line
// on the form shows where the splitter would go; on release the target
// panel's width (or height, for a horizontal splitter) follows.
#pragma once

#include <windows.h>

#include <optional>

#include "forms/handle.h"
#include "forms/window.h"

namespace kelbo::controls {

class TSplitControl {
public:
    explicit TSplitControl(HWND form) : form_(form) {}
    explicit TSplitControl(const forms::Window& form) : form_(form.Handle()) {}
    ~TSplitControl();  // an unfinished drag is abandoned: line erased, target unchanged
    TSplitControl(const TSplitControl&) = delete;
    TSplitControl& operator=(const TSplitControl&) = delete;

    HWND Form() const { return form_; }
    HWND Splitter() const { return splitter_; }
    HWND Target() const { return target_; }
    bool Horizontal() const { return horizontal_; }
    POINT Position() const { return position_; }  // in the splitter's coordinates

    void BeginDrag(HWND splitter, HWND target);
    void BeginDrag(const forms::Window& splitter, const forms::Window& target) {
        BeginDrag(splitter.Handle(), target.Handle());
    }
    // Mouse coordinates relative to the splitter.
    void MoveTo(int x, int y);
    void EndDrag();
    bool IsDragging() const { return splitter_ != nullptr; }

private:
    // A DC of the form's window from the cache, released on every path.
    class CacheDc {
    public:
        explicit CacheDc(HWND hwnd);
        ~CacheDc();
        CacheDc(const CacheDc&) = delete;
        CacheDc& operator=(const CacheDc&) = delete;
        HDC get() const { return dc_; }

    private:
        HWND hwnd_;
        HDC dc_;
    };

    void DrawLine();
    void Finish();

    HWND form_;
    HWND splitter_ = nullptr;
    HWND target_ = nullptr;
    bool horizontal_ = false;
    POINT position_{0, 0};
    // Released in reverse: pen deselected, pen deleted, DC given back.
    std::optional<CacheDc> dc_;
    forms::UniquePen pen_;
    std::optional<forms::SelectGuard> selectPen_;
    int oldRop_ = 0;
};

}  // namespace kelbo::controls
