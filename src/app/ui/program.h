// Program start: the single-instance rule, the windows created in their
// fixed order, the automatic and command-line opening, the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/ui/command_modules.h"
#include "app/ui/view_form.h"

namespace kelbo {

// The main window of another running copy of this program, or nullptr.
HWND FindRunningInstance();

// Asks whether to start a second copy; when not, wakes the first one.
// Returns true when this copy should go on starting.
bool ApplySingleInstanceRule(HWND found);

class Program {
public:
    explicit Program(StartOptions options);
    ~Program();

    // Creates every window in the program's fixed order.
    void CreateWindows();
    // The automatic opening the settings ask for, then the command-line files.
    void OpenStartFiles();
    int Run();

    TViewForm& ViewForm() { return *viewForm_; }
    CommandModules& Modules() { return *modules_; }

private:
    StartOptions options_;
    std::unique_ptr<TViewForm> viewForm_;
    // Every subsystem's commands and the windows they own.
    std::unique_ptr<CommandModules> modules_;
};

// UTF-8 arguments of this process without the program name.
std::vector<std::string> ProcessArguments();

}  // namespace kelbo
