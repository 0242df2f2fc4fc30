// The timed live preview of the colour and filter dialogs: the unchanged
// thumbnail on the left (Image1), the result on the right (Image2), redrawn
// one timer interval after the last change while "Rýchle prezeranie" is on.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "core/bitmap24.h"
#include "core/progress.h"
#include "forms/controls.h"
#include "forms/dib.h"
#include "forms/panel.h"
#include "forms/timer.h"

namespace kelbo {

// What a dialog of an operation needs from the program: the picture of the
// document it works on (null when there is none) and the progress bar.
struct ImagingContext {
    std::function<std::shared_ptr<forms::DibSection>()> currentPicture;
    Progress* progress = nullptr;
};

class LivePreview {
public:
    // Runs the dialog's operation on the preview with the current field values.
    using Operation = std::function<void(PixelView preview, Progress* progress)>;

    forms::PictureView Image1;
    forms::PictureView Image2;
    forms::CheckBox FastView;  // "Rýchle prezeranie", checked at first
    forms::Timer Timer1;

    // Image1 at `left`, Image2 beside it, both 144 x 107.
    void Create(HWND dialog, const forms::Bounds& left, const forms::Bounds& right, const forms::Bounds& check,
                std::string_view checkCaption, UINT interval = 1000);

    // The dialog's own work on a tick (field corrections), before the redraw.
    std::function<void()> BeforeTick;
    Operation Run;

    // FormActivate: timer on, thumbnail of the current picture in both images.
    void Activate(const ImagingContext& context);
    // FormDeactivate: timer off.
    void Deactivate();
    // A value field or option changed: redraw one interval from now.
    void Changed();
    // The timer's work, callable directly.
    void Tick();

    bool OutOfDate() const { return outOfDate_; }
    const ImagingContext* Context() const { return context_; }

private:
    bool outOfDate_ = false;
    const ImagingContext* context_ = nullptr;
};

}  // namespace kelbo
