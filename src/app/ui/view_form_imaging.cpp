// The two patterns every picture operation follows: in place on the current
// document, or into a new document.
#include <exception>

#include "app/ui/view_form.h"

namespace kelbo {

TChildWin& TViewForm::OpenResultWindow(std::shared_ptr<forms::DibSection> picture) {
    return NewDocument(std::move(picture), FrameKind::kScreenFormat);
}

void TViewForm::ChangeInPlace(TChildWin& doc, const std::function<void(PixelView, Progress*)>& operation,
                              bool snapshot) {
    const std::shared_ptr<forms::DibSection>& picture = doc.Image1.Picture();
    if (!picture || picture->Empty()) return;
    CurrentDocument = &doc;
    if (snapshot) doc.TakeUndoSnapshot();
    GdiFlush();
    try {
        operation(picture->View(), &statusProgress_);
    } catch (const std::exception& e) {
        ReportError(e.what());
    }
    // The picture no longer matches its file; closing must not lose it silently.
    doc.Modified = true;
    doc.Image1.Repaint();
    UpdateMenuItems();
}

void TViewForm::FilterIntoNewWindow(TChildWin& source,
                                    const std::function<void(ConstPixelView, PixelView, Progress*)>& filter) {
    const std::shared_ptr<forms::DibSection> picture = source.Image1.Picture();
    if (!picture || picture->Empty()) return;
    CurrentDocument = &source;
    // Made where it will live: no second whole picture to copy from, which
    // matters for large pictures in a 32-bit address space.
    std::shared_ptr<forms::DibSection> result;
    try {
        result = std::make_shared<forms::DibSection>(picture->Width(), picture->Height());
        GdiFlush();
        filter(picture->View(), result->View(), &statusProgress_);
    } catch (const std::exception& e) {
        ReportError(e.what());
        return;
    }
    OpenResultWindow(std::move(result));
}

}  // namespace kelbo
