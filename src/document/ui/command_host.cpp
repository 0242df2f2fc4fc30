#include "document/ui/command_host.h"

#include "document/ui/child_win.h"

namespace kelbo {

TChildWin* RunOperationDialog(CommandHost& host, forms::Form* dialog) {
    TChildWin* doc = host.ActiveImageDocument();
    if (!doc || !dialog) return nullptr;
    host.SetCurrent(doc);
    if (dialog->ShowModal() != forms::mrOk) return nullptr;
    return host.Current();
}

}  // namespace kelbo
