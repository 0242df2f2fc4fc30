// Which commands the main window enables, from the state of its documents.
#pragma once

#include <vector>

#include "app/commands.h"

namespace kelbo {

// Program-wide kind of the child that was activated last.
enum class WindowKindId : unsigned char { kImage = 0, kWarp = 1, kBrowser = 2 };

struct MenuStateInput {
    int childCount = 0;
    WindowKindId activeKind = WindowKindId::kImage;
    bool hasActiveChild = false;
    int undoPosition = 0;  // of the active child's history
    int undoTop = 0;
};

struct MenuState {
    bool workable = false;  // a picture can be worked on
    bool fastView = false;
    bool undo = false;
    bool redo = false;
};

MenuState ComputeMenuState(const MenuStateInput& in);

// The items enabled exactly when a picture is workable.
const std::vector<Command>& WorkableCommands();

}  // namespace kelbo
