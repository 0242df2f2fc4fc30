// Menus built item by item, and the accelerator table of their shortcuts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "forms/handle.h"

namespace kelbo::forms {

// Appends to a menu bar or pop-up menu. Captions use "&" for access keys;
// the shortcut text is shown right-aligned after a tab.
void AppendItem(HMENU menu, UINT id, std::string_view caption, std::string_view shortcutText = {});
void AppendSeparator(HMENU menu);
// Returns the new pop-up, owned by `menu`.
HMENU AppendSubmenu(HMENU menu, std::string_view caption);

void SetItemEnabled(HMENU menu, UINT id, bool enabled);
bool ItemEnabled(HMENU menu, UINT id);
void SetItemChecked(HMENU menu, UINT id, bool checked);
bool ItemChecked(HMENU menu, UINT id);
// The caption as stored (access-key ampersand kept, shortcut text after a tab).
std::string ItemCaption(HMENU menu, UINT id);

struct Accelerator {
    char key;  // 'A'..'Z' with Ctrl
    UINT command;
};
UniqueAccel MakeAccelerators(const std::vector<Accelerator>& keys);

}  // namespace kelbo::forms
