#include "forms/menu.h"

#include <stdexcept>

#include "forms/text.h"

namespace kelbo::forms {

namespace {

std::wstring MenuText(std::string_view caption, std::string_view shortcutText) {
    std::wstring text = Wide(caption);
    if (!shortcutText.empty()) text += L"\t" + Wide(shortcutText);
    return text;
}

}  // namespace

void AppendItem(HMENU menu, UINT id, std::string_view caption, std::string_view shortcutText) {
    AppendMenuW(menu, MF_STRING, id, MenuText(caption, shortcutText).c_str());
}

void AppendSeparator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }

HMENU AppendSubmenu(HMENU menu, std::string_view caption) {
    HMENU sub = CreatePopupMenu();
    if (!sub) throw std::runtime_error("Cannot create a menu");
    AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), Wide(caption).c_str());
    return sub;
}

void SetItemEnabled(HMENU menu, UINT id, bool enabled) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool ItemEnabled(HMENU menu, UINT id) {
    const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void SetItemChecked(HMENU menu, UINT id, bool checked) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool ItemChecked(HMENU menu, UINT id) {
    const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

std::string ItemCaption(HMENU menu, UINT id) {
    wchar_t buffer[256]{};
    const int n = GetMenuStringW(menu, id, buffer, 256, MF_BYCOMMAND);
    return Narrow(std::wstring_view(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

UniqueAccel MakeAccelerators(const std::vector<Accelerator>& keys) {
    std::vector<ACCEL> table;
    for (const Accelerator& k : keys)
        table.push_back(ACCEL{FCONTROL | FVIRTKEY, static_cast<WORD>(k.key), static_cast<WORD>(k.command)});
    if (table.empty()) return UniqueAccel();
    return UniqueAccel(CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

}  // namespace kelbo::forms
