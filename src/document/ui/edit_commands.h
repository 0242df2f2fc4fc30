// The Edit menu's commands on a document: undo and redo, and the
// clipboard's copy, cut and the two pastes. It also owns the text dialog
// that the text tool places its text with.
#pragma once

#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "document/ui/text_dial.h"

namespace kelbo {

class EditCommands : public CommandModule {
public:
    explicit EditCommands(CommandHost& host);
    ~EditCommands() override;

    std::vector<WindowStep> Windows() override;
    // Null until the program's windows are created.
    TTextDial* TextDial() const { return textDial_.get(); }

private:
    void UndoClick();
    void RedoClick();
    // Copy returns false when the clipboard refused the picture (reported).
    bool Koprovacopy1Click();
    void Vybracut1Click();
    void Doaktulnehoobrzku1Click();
    void Donovhoobrzku1Click();
    // The clipboard's picture; null when it has none or refused (reported).
    std::shared_ptr<forms::DibSection> ClipboardPicture();

    CommandHost& host_;
    std::unique_ptr<TTextDial> textDial_;
};

}  // namespace kelbo
