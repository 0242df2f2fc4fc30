// The Edit menu's commands on a document's history: undo and redo (the
// clipboard's commands join here).
#pragma once

#include "document/ui/command_host.h"

namespace kelbo {

class EditCommands : public CommandModule {
public:
    explicit EditCommands(CommandHost& host);

private:
    void UndoClick();
    void RedoClick();

    CommandHost& host_;
};

}  // namespace kelbo
