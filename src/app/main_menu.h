// The main window's menus as data: captions with access keys, Ctrl
// shortcuts, separators and check marks, exactly as the program shows them.
#pragma once

#include <string>
#include <vector>

#include "app/commands.h"

namespace kelbo {

struct MenuNode {
    Command command = kNoCommand;  // kNoCommand for a pop-up or a separator
    std::string caption;           // empty for a separator
    char shortcut = 0;             // Ctrl + this letter, or 0
    bool checked = false;
    std::vector<MenuNode> children;

    bool IsSeparator() const { return caption.empty(); }
    bool IsPopup() const { return !children.empty(); }
};

const std::vector<MenuNode>& MainMenuTree();
const std::vector<MenuNode>& PopupMenuTree();
// "MyMenu": its top-level items join the system menu as pop-ups.
const std::vector<MenuNode>& SystemMenuAdditions();

// "Ctrl+O" for 'O'.
std::string ShortcutText(char key);

struct ShortcutBinding {
    char key;
    Command command;
};
// One binding per key: a key used by several items belongs to the first of
// them in menu order (main menu, then pop-up menu).
std::vector<ShortcutBinding> ShortcutBindings();

// Depth-first search by command; nullptr when absent.
const MenuNode* FindMenuNode(const std::vector<MenuNode>& tree, Command command);

}  // namespace kelbo
