// A plain container window with an optional bevel, caption and colour, and
// mouse events; the picture view stretches a DIB to its own size.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/color.h"
#include "forms/dib.h"
#include "forms/handle.h"
#include "forms/window.h"

namespace kelbo::forms {

enum class MouseButton { kLeft, kRight, kMiddle };

struct MouseEvents {
    std::function<void(MouseButton, WPARAM keys, int x, int y)> OnMouseDown;
    std::function<void(WPARAM keys, int x, int y)> OnMouseMove;
    std::function<void(MouseButton, WPARAM keys, int x, int y)> OnMouseUp;
    std::function<void()> OnClick;
};

// Shared mouse handling of our own child windows; true when handled.
bool HandleMouse(const MouseEvents& events, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class Panel : public Window, public MouseEvents {
public:
    void Create(HWND parent, const Bounds& b, std::string_view caption = {}, bool raised = true);
    void SetColor(Color color);
    Color GetColor() const { return color_; }
    void SetCaptionColor(Color color) {
        captionColor_ = color;
        Invalidate();
    }
    void SetUnderline(bool underline);
    bool Underline() const { return underline_; }
    void SetBevel(bool raised) {
        raised_ = raised;
        Invalidate();
    }
    // The edges DrawEdge draws for the bevel (BDR_RAISEDINNER unless set).
    void SetBevelEdges(UINT edges) {
        edges_ = edges;
        Invalidate();
    }
    void SetCaptionCentred(bool centred) {
        centred_ = centred;
        Invalidate();
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    Color color_ = 0;
    bool hasColor_ = false;
    Color captionColor_ = 0;
    bool raised_ = true;
    UINT edges_ = BDR_RAISEDINNER;
    bool underline_ = false;
    bool centred_ = false;
    UniqueFont underlineFont_;
};

class PictureView : public Window, public MouseEvents {
public:
    void Create(HWND parent, const Bounds& b);
    // The view keeps its own size and stretches the picture to it.
    void SetPicture(std::shared_ptr<DibSection> picture);
    const std::shared_ptr<DibSection>& Picture() const { return picture_; }
    void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
    // The colour shown at a point of the view, as displayed.
    Color ColorAt(int x, int y) const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::shared_ptr<DibSection> picture_;
    HCURSOR cursor_ = nullptr;
};

}  // namespace kelbo::forms
