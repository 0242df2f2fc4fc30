// The menus the main window shows, item by item, against the program's tree.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_menu.h"
#include "forms/menu.h"
#include "main_window_fixture.h"
#include "imaging/modal_helpers.h"

namespace kelbo::testing {
namespace {

std::string CaptionAt(HMENU menu, int index) {
    wchar_t buffer[256]{};
    const int n = GetMenuStringW(menu, static_cast<UINT>(index), buffer, 256, MF_BYPOSITION);
    return forms::Narrow(std::wstring_view(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

void ExpectMatches(HMENU menu, const std::vector<MenuNode>& nodes, const std::string& where) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(nodes.size())) << where;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const MenuNode& n = nodes[i];
        const int index = static_cast<int>(i);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID | MIIM_STATE;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info));
        if (n.IsSeparator()) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << where << " item " << i;
            continue;
        }
        std::string expected = n.caption;
        if (n.shortcut) expected += "\tCtrl+" + std::string(1, n.shortcut);
        EXPECT_EQ(CaptionAt(menu, index), expected) << where;
        if (n.IsPopup()) {
            ASSERT_NE(info.hSubMenu, nullptr) << n.caption;
            ExpectMatches(info.hSubMenu, n.children, where + " > " + n.caption);
        } else {
            EXPECT_EQ(info.wID, n.command) << n.caption;
            // The three panel items take their marks from the (default) settings.
            const bool fromSettings = n.command == Informanlita1 || n.command == Paleta1 || n.command == Nradie1;
            EXPECT_EQ((info.fState & MFS_CHECKED) != 0, n.checked || fromSettings) << n.caption;
        }
    }
}

TEST_F(MainWindow, MenuBarMatchesTheTreeItemByItem) {
    // At start the recent-files list adds its own separator under "&Zmaž".
    std::vector<MenuNode> expected = MainMenuTree();
    expected[0].children.insert(expected[0].children.begin() + 17, MenuNode{});
    ExpectMatches(Menu(), expected, "main menu");
}

TEST_F(MainWindow, PopupMenuMatchesTheTree) { ExpectMatches(form_->PopupMenu1.get(), PopupMenuTree(), "pop-up menu"); }

TEST_F(MainWindow, SystemMenuGetsASeparatorAndTheTwoPopups) {
    HMENU system = GetSystemMenu(form_->Handle(), FALSE);
    const int count = GetMenuItemCount(system);
    ASSERT_GE(count, 3);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(system, static_cast<UINT>(count - 3), TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    EXPECT_EQ(CaptionAt(system, count - 2), "Informácie");
    EXPECT_EQ(CaptionAt(system, count - 1), "Update");
}

TEST_F(MainWindow, SystemMenuItemsRunTheirCommands) {
    // "Informácie" > "O programe" has the same handler as "&O programe": the
    // about dialog comes up, and the command does not fall to the system.
    bool shown = false;
    WhenModal([&] {
        TAboutDial& about = *modules_->Windows().AboutDial();
        shown = about.Visible();
        ClickButton(about.OKBtn.Handle());
    });
    EXPECT_EQ(SendMessageW(form_->Handle(), WM_SYSCOMMAND, Oprograme2, 0), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(form_->Exists());
}

TEST_F(MainWindow, SharedShortcutGoesToTheFirstItemInMenuOrder) {
    AddDocument(10, 10);
    // Ctrl+E stands on "Do aktuálneho obrázku", "Ekvalizácia" and "Obľúbené súbory".
    const std::vector<ShortcutBinding> bindings = ShortcutBindings();
    int found = 0;
    for (const ShortcutBinding& b : bindings) {
        if (b.key != 'E') continue;
        ++found;
        EXPECT_EQ(b.command, Doaktulnehoobrzku1);
    }
    EXPECT_EQ(found, 1);
}

TEST_F(MainWindow, ZoomSubmenuCommandsAreReachableThroughWmCommand) {
    TChildWin& doc = AddDocument(101, 40);
    SendMessageW(form_->Handle(), WM_COMMAND, N501, 0);
    EXPECT_EQ(doc.ViewSize(), (Size{50, 20})) << "50 % of 101 drops the half";
    SendMessageW(form_->Handle(), WM_COMMAND, N3001, 0);
    EXPECT_EQ(doc.ViewSize(), (Size{303, 120}));
    EXPECT_EQ(doc.PictureSize(), (Size{101, 40})) << "the picture itself is not changed";
}

}  // namespace
}  // namespace kelbo::testing
