// What the command modules and the documents get from the main window: the
// two patterns every picture operation follows (in place on the current
// document, or into a new document), questions, errors and the menus.
#include <exception>

#include "app/ui/view_form.h"
#include "document/ui/file_commands.h"
#include "forms/dialogs.h"
#include "forms/menu.h"
#include "imaging/ui/repainting_progress.h"

namespace kelbo {

TChildWin& TViewForm::OpenResultWindow(std::shared_ptr<forms::DibSection> picture) {
    return NewDocument(std::move(picture), FrameKind::kScreenFormat);
}

TChildWin& TViewForm::NewImageDocument(std::shared_ptr<forms::DibSection> picture) {
    return NewDocument(std::move(picture), FrameKind::kStandard);
}

void TViewForm::ChangeInPlace(TChildWin& doc, const InPlaceOperation& operation, bool snapshot) {
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

void TViewForm::FilterIntoNewWindow(TChildWin& source, const IntoNewWindowFilter& filter, GrowingRepaints repaints) {
    // The window opens first on a copy of the source and the result grows
    // over it; the filter writes straight into the window's picture, so no
    // second whole picture is made (it matters in a 32-bit address space).
    GrowIntoNewWindow(
        source, [](ConstPixelView picture) { return std::make_shared<forms::DibSection>(picture); },
        FrameKind::kScreenFormat, filter, repaints);
}

void TViewForm::RenderIntoNewWindow(TChildWin& source, Size size, const IntoNewWindowFilter& filter,
                                    GrowingRepaints repaints, FrameKind frame) {
    GrowIntoNewWindow(
        source, [size](ConstPixelView) { return std::make_shared<forms::DibSection>(size.width, size.height); }, frame,
        filter, repaints);
}

void TViewForm::GrowIntoNewWindow(TChildWin& source,
                                  const std::function<std::shared_ptr<forms::DibSection>(ConstPixelView)>& makeResult,
                                  FrameKind frame, const IntoNewWindowFilter& filter, GrowingRepaints repaints) {
    const std::shared_ptr<forms::DibSection> picture = source.Image1.Picture();
    if (!picture || picture->Empty()) return;
    CurrentDocument = &source;
    std::shared_ptr<forms::DibSection> result;
    try {
        GdiFlush();
        result = makeResult(picture->View());
    } catch (const std::exception& e) {
        ReportError(e.what());
        return;
    }
    GrowResult(
        std::move(result), frame, [&](PixelView target, Progress* p) { filter(picture->View(), target, p); }, repaints);
}

bool TViewForm::RenderNewPicture(Size size, const IntoNewPicture& render, GrowingRepaints repaints) {
    std::shared_ptr<forms::DibSection> result;
    try {
        result = std::make_shared<forms::DibSection>(size.width, size.height);
    } catch (const std::exception& e) {
        ReportError(e.what());
        return false;
    }
    return GrowResult(std::move(result), FrameKind::kScreenFormat, render, repaints);
}

bool TViewForm::GrowResult(std::shared_ptr<forms::DibSection> result, FrameKind frame, const IntoNewPicture& render,
                           GrowingRepaints repaints) {
    TChildWin& target = NewDocument(result, frame);
    HWND window = target.Handle();
    try {
        RepaintingProgress shown(
            &statusProgress_, [&target] { target.Image1.Repaint(); }, [this] { Repaint(); }, repaints.documentEvery,
            repaints.frameEvery);
        render(result->View(), &shown);
    } catch (const std::exception& e) {
        // Half a result is no result: the window goes, the error is told.
        if (IsWindow(window)) SendMessageW(mdiClient_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
        ReportError(e.what());
        return false;
    }
    target.Image1.Repaint();
    return true;
}

void TViewForm::ReportError(std::string_view message) {
    if (ErrorBox)
        ErrorBox(message);
    else
        forms::ShowError(Handle(), message);
}

void TViewForm::ShowInformation(std::string_view text) {
    if (Inform) {
        Inform(text);
        return;
    }
    forms::MessageDlg(Handle(), text, "Kelbo", MB_OK | MB_ICONINFORMATION);
}

int TViewForm::Ask(std::string_view text, UINT buttons) {
    if (Answer) return Answer(text, buttons);
    return forms::MessageDlg(Handle(), text, "Kelbo", buttons | MB_ICONQUESTION);
}

bool TViewForm::ExecuteFileDialog(forms::FileDialog& dialog, bool save) {
    if (FileDialogRunner) return FileDialogRunner(dialog, save);
    return save ? dialog.ExecuteSave(Handle()) : dialog.ExecuteOpen(Handle());
}

namespace {

// The labels break lines only at carriage returns paired with line feeds.
std::string LabelLines(std::string_view text) {
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\r\n";
        else
            shown += c;
    }
    return shown;
}

}  // namespace

void TViewForm::ShowInfoText(std::string_view text) {
    if (text.empty()) {
        Panel1.ClearColor();
        return;
    }
    Panel1.ColorInfo.SetText(LabelLines(text));
    Panel1.ColorBox.SetVisible(false);
}

void TViewForm::ShowWarpInfo(std::string_view text) { Panel1.WarpInfo.SetText(LabelLines(text)); }

void TViewForm::AddRecentFile(const std::string& path) {
    if (files_) files_->AddRecentFile(path);
}

void TViewForm::BindCommand(UINT command, std::function<void()> handler) { OnCommand(command, std::move(handler)); }

bool TViewForm::ItemChecked(UINT command) const { return forms::ItemChecked(MainMenu1.get(), command); }

void TViewForm::SetItemChecked(UINT command, bool checked) { forms::SetItemChecked(MainMenu1.get(), command, checked); }

void TViewForm::AddModule(CommandModule& module) { modules_.push_back(&module); }

void TViewForm::SetFileCommands(FileCommands* files) { files_ = files; }

void TViewForm::OpenPicture(const std::string& path) {
    if (files_) files_->OpenPicture(path);
}

bool TViewForm::SaveDocument(TChildWin& doc) { return !files_ || files_->SaveDocument(doc); }

}  // namespace kelbo
