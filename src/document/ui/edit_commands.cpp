#include "document/ui/edit_commands.h"

#include "app/commands.h"
#include "document/ui/child_win.h"

namespace kelbo {

EditCommands::EditCommands(CommandHost& host) : host_(host) {
    for (Command undo : {Undokroksp1, Undokroksp2}) host_.BindCommand(undo, [this] { UndoClick(); });
    for (Command redo : {Redoodstrkroksp1, Redoodstrkroksp2}) host_.BindCommand(redo, [this] { RedoClick(); });
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

}  // namespace kelbo
