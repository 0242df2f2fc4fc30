#include "imaging/ui/live_preview.h"

#include <exception>

#include "imaging/colour/fit_preview.h"

namespace kelbo {

void LivePreview::Create(HWND dialog, const forms::Bounds& left, const forms::Bounds& right, const forms::Bounds& check,
                         std::string_view checkCaption, UINT interval) {
    Image1.Create(dialog, left);
    Image2.Create(dialog, right);
    FastView.Create(dialog, check, checkCaption);
    FastView.SetChecked(true);
    FastView.OnClick = [this] { Changed(); };
    Timer1.SetInterval(interval);
    Timer1.OnTimer = [this] { Tick(); };
}

void LivePreview::Activate(const ImagingContext& context) {
    context_ = &context;
    Timer1.SetEnabled(true);
    outOfDate_ = true;
    std::shared_ptr<forms::DibSection> source = context.currentPicture ? context.currentPicture() : nullptr;
    if (!source || source->Empty()) {
        Image1.SetPicture(nullptr);
        Image2.SetPicture(nullptr);
        return;
    }
    GdiFlush();
    try {
        const Bitmap24 thumb = FitPreview(source->View(), kPreviewWidth, kPreviewHeight);
        Image1.SetPicture(std::make_shared<forms::DibSection>(thumb.View()));
        Image2.SetPicture(std::make_shared<forms::DibSection>(thumb.View()));
    } catch (const std::exception&) {
        // No thumbnail, no preview; "OK" still runs the operation, which
        // reports its own failure. A box here would reactivate the dialog
        // and fail again.
        Image1.SetPicture(nullptr);
        Image2.SetPicture(nullptr);
    }
}

void LivePreview::Deactivate() { Timer1.SetEnabled(false); }

void LivePreview::Changed() {
    outOfDate_ = true;
    if (!Timer1.Enabled()) return;  // only while the dialog is active
    Timer1.SetEnabled(false);
    Timer1.SetEnabled(true);
}

void LivePreview::Tick() {
    if (BeforeTick) BeforeTick();
    if (!FastView.Checked() || !outOfDate_) return;
    const auto& shown = Image1.Picture();
    if (!shown || shown->Empty() || !Run) {
        outOfDate_ = false;
        return;
    }
    // Up to date before the run: a run that fails reaches the general error
    // handler once, and the next change tries again.
    outOfDate_ = false;
    auto result = std::make_shared<forms::DibSection>(shown->View());
    Run(result->View(), context_ ? context_->progress : nullptr);
    Image2.SetPicture(std::move(result));
    Image1.Repaint();
    Image2.Repaint();
}

}  // namespace kelbo
