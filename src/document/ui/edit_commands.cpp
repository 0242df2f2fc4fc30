#include "document/ui/edit_commands.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "app/commands.h"
#include "document/ui/child_win.h"
#include "document/ui/clipboard.h"

namespace kelbo {

EditCommands::EditCommands(CommandHost& host) : host_(host) {
    for (Command undo : {Undokroksp1, Undokroksp2}) host_.BindCommand(undo, [this] { UndoClick(); });
    for (Command redo : {Redoodstrkroksp1, Redoodstrkroksp2}) host_.BindCommand(redo, [this] { RedoClick(); });
    for (Command copy : {Koprovacopy1, Koprovacopy2}) host_.BindCommand(copy, [this] { Koprovacopy1Click(); });
    for (Command cut : {Vybracut1, Vybracut2}) host_.BindCommand(cut, [this] { Vybracut1Click(); });
    for (Command paste : {Doaktulnehoobrzku1, Doaktulnehoobrzku2})
        host_.BindCommand(paste, [this] { Doaktulnehoobrzku1Click(); });
    for (Command paste : {Donovhoobrzku1, Donovhoobrzku2}) host_.BindCommand(paste, [this] { Donovhoobrzku1Click(); });
}

EditCommands::~EditCommands() = default;

std::vector<WindowStep> EditCommands::Windows() {
    return {{"TTextDial", [this] { textDial_ = std::make_unique<TTextDial>(host_.Owner(), host_.ProgramSettings()); }}};
}

void EditCommands::UndoClick() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    doc->Undo();
    host_.UpdateMenuItems();
}

void EditCommands::RedoClick() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    doc->Redo();
    host_.UpdateMenuItems();
}

bool EditCommands::Koprovacopy1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return false;
    host_.SetCurrent(doc);
    const std::shared_ptr<forms::DibSection>& picture = doc->Image1.Picture();
    if (!picture || picture->Empty()) return false;
    try {
        GdiFlush();
        PutPictureOnClipboard(host_.Owner(), std::as_const(*picture).View());
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return false;
    }
    return true;
}

void EditCommands::Vybracut1Click() {
    // A picture that did not reach the clipboard must not be lost.
    if (!Koprovacopy1Click()) return;
    TChildWin& doc = *host_.Current();
    GdiFlush();
    doc.Image1.Picture()->View().Fill(colors::kWhite);
    doc.Image1.Repaint();
}

std::shared_ptr<forms::DibSection> EditCommands::ClipboardPicture() {
    try {
        return TakePictureFromClipboard(host_.Owner());
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return nullptr;
    }
}

void EditCommands::Doaktulnehoobrzku1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    const std::shared_ptr<forms::DibSection>& target = doc->Image1.Picture();
    if (!target || target->Empty()) return;
    const std::shared_ptr<forms::DibSection> pasted = ClipboardPicture();
    if (!pasted) return;
    // The document keeps its size: the clipboard's picture is clipped to it.
    const int width = std::min(target->Width(), pasted->Width());
    const int height = std::min(target->Height(), pasted->Height());
    const PixelView whole = target->View();
    const ConstPixelView source = std::as_const(*pasted).View();
    CopyPixels(PixelView(whole.Row(0), width, height, whole.Stride()),
               ConstPixelView(source.Row(0), width, height, source.Stride()));
    doc->Image1.Repaint();
}

void EditCommands::Donovhoobrzku1Click() {
    std::shared_ptr<forms::DibSection> pasted = ClipboardPicture();
    if (!pasted) return;
    TChildWin& doc = host_.OpenResultWindow(std::move(pasted));
    doc.Image1.Repaint();
}

}  // namespace kelbo
