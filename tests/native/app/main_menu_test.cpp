#include "app/main_menu.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kelbo {
namespace {

// One line per item: a separator is "-", an item its caption followed by
// " [Ctrl+K]" when it has a shortcut; the items of a pop-up follow as
// "Pop-up > item".
std::string Label(const MenuNode& n) {
    if (n.IsSeparator()) return "-";
    std::string s = n.caption;
    if (n.shortcut != 0) s += std::string(" [Ctrl+") + n.shortcut + "]";
    return s;
}

void Flatten(const std::vector<MenuNode>& items, const std::string& prefix, bool keepSeparators,
             std::vector<std::string>& out) {
    for (const MenuNode& n : items) {
        if (n.IsSeparator() && !keepSeparators) continue;
        if (n.IsPopup()) {
            Flatten(n.children, prefix + n.caption + " > ", keepSeparators, out);
        } else {
            out.push_back(prefix + Label(n));
        }
    }
}

std::vector<std::string> Lines(const std::vector<MenuNode>& items, bool keepSeparators) {
    std::vector<std::string> out;
    Flatten(items, "", keepSeparators, out);
    return out;
}

const MenuNode& TopLevel(const std::string& caption) {
    for (const MenuNode& n : MainMenuTree()) {
        if (n.caption == caption) return n;
    }
    ADD_FAILURE() << "no top-level menu " << caption;
    static const MenuNode none;
    return none;
}

// The item reached by following captions from the top of `tree`.
const MenuNode* ByPath(const std::vector<MenuNode>& tree, const std::vector<std::string>& path) {
    const std::vector<MenuNode>* level = &tree;
    const MenuNode* found = nullptr;
    for (const std::string& caption : path) {
        found = nullptr;
        for (const MenuNode& n : *level) {
            if (n.caption == caption) {
                found = &n;
                break;
            }
        }
        if (found == nullptr) return nullptr;
        level = &found->children;
    }
    return found;
}

void CollectAll(const std::vector<MenuNode>& tree, std::vector<const MenuNode*>& out) {
    for (const MenuNode& n : tree) {
        out.push_back(&n);
        CollectAll(n.children, out);
    }
}

std::vector<const MenuNode*> AllNodes(const std::vector<MenuNode>& tree) {
    std::vector<const MenuNode*> out;
    CollectAll(tree, out);
    return out;
}

// ---------------------------------------------------------------- main menu

TEST(MainMenu, TopLevelCaptionsInOrder) {
    std::vector<std::string> captions;
    for (const MenuNode& n : MainMenuTree()) {
        captions.push_back(n.caption);
        EXPECT_TRUE(n.IsPopup()) << n.caption;
        EXPECT_EQ(n.command, kNoCommand) << n.caption;
    }
    const std::vector<std::string> expected = {"&Subor",  "&Edit",       "Ú&pravy", "F&arby",   "&Filtre",
                                               "Efe&kty", "&Nastavenie", "&Okno",   "Nápo&veda"};
    EXPECT_EQ(captions, expected);
}

TEST(MainMenu, FileMenuWithSeparatorsInPlace) {
    // Without recent files: the separator that follows them is added at start
    // together with the entries, so the fixed part ends "&Zmaž", "-", exit.
    const std::vector<std::string> expected = {
        "&Nový",
        "&Otvor... [Ctrl+O]",
        "Otvor (&warping)... [Ctrl+W]",
        "&Ulož [Ctrl+S]",
        "U&lož ako... [Ctrl+A]",
        "Ulož všetky",
        "-",
        "&Správca obrázkov [Ctrl+B]",
        "&Rýchle prezeranie [Ctrl+F]",
        "&Prehrať ako film...",
        "&Automatické spracovanie",
        "&Konvertovanie",
        "-",
        "Kopíru&j",
        "Prem&enuj",
        "&Zmaž",
        "-",
        "E&xit/Koniec",
    };
    EXPECT_EQ(Lines(TopLevel("&Subor").children, true), expected);
}

TEST(MainMenu, EditMenuWithZoomAndPasteSubmenus) {
    const std::vector<std::string> expected = {
        "&Undo/krok späť",
        "&Redo/odstráň krok späť",
        "&Zobraz na celú obrazovku",
        "&Velkost/zoom > &50%",
        "&Velkost/zoom > &100%",
        "&Velkost/zoom > &200%",
        "&Velkost/zoom > &300%",
        "&Velkost/zoom > Iná &veľkosť",
        "&Tapeta vedľa seba",
        "T&apeta uprostred",
        "Čisti ta&petu",
        "Priesvitné ikony",
        "&Kopírovať/copy [Ctrl+C]",
        "V&ybrať/cut [Ctrl+X]",
        "Vložiť/past&e > Do aktuálneho obrázku [Ctrl+E]",
        "Vložiť/past&e > Do nového obrázku [Ctrl+V]",
    };
    EXPECT_EQ(Lines(TopLevel("&Edit").children, false), expected);
}

TEST(MainMenu, AdjustmentsColoursFiltersAndEffects) {
    EXPECT_EQ(Lines(TopLevel("Ú&pravy").children, false),
              (std::vector<std::string>{"&Rotácia", "&Zmena veľkosti", "&Skosenie obrázku", "Zrkadlo na osi &X",
                                        "Zrkadlo na osi &Y", "Pridaj &okraje"}));

    EXPECT_EQ(
        Lines(TopLevel("F&arby").children, false),
        (std::vector<std::string>{"Negativ", "Len odtiene šedej...", "Prahovanie/Thresholding", "Gama korekcia",
                                  "Histogram > Vytvor... [Ctrl+H]", "Histogram > Ekvalizácia [Ctrl+E]", "Zmeň RGB",
                                  "Zmeň CMY", "Zmeň HSL", "Zmeniť počet farieb", "Počet použitých farieb"}));

    const std::string edges = "Hľadanie hrán/Ostrenie obrazu > ";
    EXPECT_EQ(
        Lines(TopLevel("&Filtre").children, false),
        (std::vector<std::string>{"Obyčajné priemerovanie", "Zníženie Gaussovho šumu", "Filtrovanie mediánom...",
                                  edges + "Robertsovým operátorom", edges + "Laplaceovým operátorom (4okolie)",
                                  edges + "Laplaceovým operátorom (8okolie)", edges + "Sobelovým operátorom",
                                  edges + "2. robertsovým operátorom", edges + "2. laplaceovým operátorom (4okolie)",
                                  edges + "2. laplaceovým operátorom (8okolie)", "Odstráňenie šumu"}));

    EXPECT_EQ(Lines(TopLevel("Efe&kty").children, false),
              (std::vector<std::string>{"Vytlačený vzor/Emboss", "Premeň na pravouholníky...", "Špirály",
                                        "Okrúhla fotografia", "Mozaika", "Efekt \"zemetrasenie\"", "Zvlnenie obrázku",
                                        "Sieťový warping", "Alfa miešanie", "Maliarske techniky > Pointilizmus",
                                        "Maliarske techniky > Maľba", "Aritmetické funkcie"}));
}

TEST(MainMenu, SettingsWindowAndHelp) {
    EXPECT_EQ(Lines(TopLevel("&Nastavenie").children, false),
              (std::vector<std::string>{"&Nastavenie", "N&ormálna lišta", "&Warping lišta", "&Informačná lišta",
                                        "Paleta", "Obľúbené súbory [Ctrl+E]"}));

    EXPECT_EQ(Lines(TopLevel("&Okno").children, false),
              (std::vector<std::string>{"Kaskáda", "Dlažba", "Zatvor", "Zatvor všetky", "Maximalizovať",
                                        "Minimalizovať", "Minimalizuj všetky", "Usporiadaj ikonky", "Zmeň druh okna",
                                        "Správca obrázkov [Ctrl+B]", "Náradie...", "Histogram"}));

    EXPECT_EQ(Lines(TopLevel("Nápo&veda").children, false),
              (std::vector<std::string>{"&Popis funkcií", "&Autorova homepage", "Pošli e-mail autorovi...",
                                        "Začni update", "&O programe"}));
}

TEST(MainMenu, OnlyTheTwoToolBarItemsAreChecked) {
    // The information bar, palette and favourites marks follow the settings at
    // run time; the two tool-bar items are always shown checked.
    std::set<std::string> checked;
    for (const MenuNode* n : AllNodes(MainMenuTree())) {
        if (n->checked) checked.insert(n->caption);
    }
    EXPECT_EQ(checked, (std::set<std::string>{"N&ormálna lišta", "&Warping lišta"}));
}

TEST(MainMenu, EveryItemHasACommandAndNoPopupOrSeparatorHasOne) {
    for (const auto* tree : {&MainMenuTree(), &PopupMenuTree(), &SystemMenuAdditions()}) {
        for (const MenuNode* n : AllNodes(*tree)) {
            if (n->IsSeparator()) {
                EXPECT_EQ(n->command, kNoCommand);
                EXPECT_TRUE(n->children.empty());
                EXPECT_EQ(n->shortcut, 0);
            } else if (n->IsPopup()) {
                EXPECT_EQ(n->command, kNoCommand) << n->caption;
                EXPECT_EQ(n->shortcut, 0) << n->caption;
            } else {
                EXPECT_NE(n->command, kNoCommand) << n->caption;
            }
        }
    }
}

// ----------------------------------------------------------- pop-up, system

TEST(PopupMenu, ItemsAndShortcuts) {
    EXPECT_EQ(Lines(PopupMenuTree(), false),
              (std::vector<std::string>{"Undo/krok späť", "Redo/odstráň krok späť", "Zatvor všetky okná",
                                        "Kopírovať/copy [Ctrl+C]", "Vybrať/cut [Ctrl+X]",
                                        "Vložiť/paste > Do aktuálneho obrázku [Ctrl+E]",
                                        "Vložiť/paste > Do nového obrázku [Ctrl+V]"}));
}

TEST(SystemMenuAdditions, TwoPopupsWithTheirItems) {
    ASSERT_EQ(SystemMenuAdditions().size(), 2u);
    EXPECT_TRUE(SystemMenuAdditions()[0].IsPopup());
    EXPECT_TRUE(SystemMenuAdditions()[1].IsPopup());
    EXPECT_EQ(Lines(SystemMenuAdditions(), true),
              (std::vector<std::string>{"Informácie > O programe", "Informácie > Autorova homepage",
                                        "Update > Začni update"}));
}

TEST(SystemMenuAdditions, IdentifiersLeaveTheLowFourBitsToTheSystem) {
    // WM_SYSCOMMAND uses the low four bits of its identifier internally and
    // the system's own commands start at 0xF000.
    for (const MenuNode* n : AllNodes(SystemMenuAdditions())) {
        if (n->IsPopup()) continue;
        EXPECT_EQ(n->command & 0xFu, 0u) << n->caption;
        EXPECT_LT(n->command, 0xF000u) << n->caption;
    }
}

// ------------------------------------------------------------- identifiers

TEST(MenuCommands, UniqueAcrossAllThreeTrees) {
    std::map<unsigned, std::string> seen;
    for (const auto* tree : {&MainMenuTree(), &PopupMenuTree(), &SystemMenuAdditions()}) {
        for (const MenuNode* n : AllNodes(*tree)) {
            if (n->command == kNoCommand) continue;
            const auto [it, inserted] = seen.emplace(n->command, n->caption);
            EXPECT_TRUE(inserted) << n->caption << " shares its identifier with " << it->second;
        }
    }
    // Items counted by hand: main menu 15 + 16 + 6 + 11 + 11 + 12 + 6 + 12 + 5
    // = 94, pop-up menu 7, system menu 3.
    EXPECT_EQ(seen.size(), 104u);
}

TEST(MenuCommands, MenuItemsStayBelowToolButtonsAndRecentFiles) {
    // Tool buttons and recent-file entries arrive through the same WM_COMMAND
    // as the menu items, so their ranges must not overlap.
    for (const auto* tree : {&MainMenuTree(), &PopupMenuTree()}) {
        for (const MenuNode* n : AllNodes(*tree)) {
            if (n->command == kNoCommand) continue;
            EXPECT_LT(n->command, NewButton) << n->caption;
        }
    }
    EXPECT_LT(SpeedButton1, kRecentFileFirst);
}

// --------------------------------------------------------------- shortcuts

TEST(ShortcutText, CtrlPlusTheLetter) {
    EXPECT_EQ(ShortcutText('O'), "Ctrl+O");
    EXPECT_EQ(ShortcutText('E'), "Ctrl+E");
    EXPECT_EQ(ShortcutText('V'), "Ctrl+V");
}

TEST(MainMenu, EveryShortcutInBothMenus) {
    // key -> captions carrying it, in menu order
    std::map<char, std::vector<std::string>> uses;
    for (const auto* tree : {&MainMenuTree(), &PopupMenuTree()}) {
        for (const MenuNode* n : AllNodes(*tree)) {
            if (n->shortcut != 0) uses[n->shortcut].push_back(n->caption);
        }
    }
    const std::map<char, std::vector<std::string>> expected = {
        {'O', {"&Otvor..."}},
        {'W', {"Otvor (&warping)..."}},
        {'S', {"&Ulož"}},
        {'A', {"U&lož ako..."}},
        {'B', {"&Správca obrázkov", "Správca obrázkov"}},
        {'F', {"&Rýchle prezeranie"}},
        {'C', {"&Kopírovať/copy", "Kopírovať/copy"}},
        {'X', {"V&ybrať/cut", "Vybrať/cut"}},
        {'E', {"Do aktuálneho obrázku", "Ekvalizácia", "Obľúbené súbory", "Do aktuálneho obrázku"}},
        {'V', {"Do nového obrázku", "Do nového obrázku"}},
        {'H', {"Vytvor..."}},
    };
    EXPECT_EQ(uses, expected);
    for (const MenuNode* n : AllNodes(SystemMenuAdditions())) EXPECT_EQ(n->shortcut, 0) << n->caption;
}

TEST(ShortcutBindings, OneBindingPerKeyToTheFirstItemInMenuOrder) {
    const auto command = [](const std::vector<std::string>& path) {
        const MenuNode* n = ByPath(MainMenuTree(), path);
        EXPECT_NE(n, nullptr) << path.back();
        return n != nullptr ? n->command : kNoCommand;
    };
    const std::map<char, Command> expected = {
        {'O', command({"&Subor", "&Otvor..."})},
        {'W', command({"&Subor", "Otvor (&warping)..."})},
        {'S', command({"&Subor", "&Ulož"})},
        {'A', command({"&Subor", "U&lož ako..."})},
        // File menu before the Window menu
        {'B', command({"&Subor", "&Správca obrázkov"})},
        {'F', command({"&Subor", "&Rýchle prezeranie"})},
        // main menu before the pop-up menu
        {'C', command({"&Edit", "&Kopírovať/copy"})},
        {'X', command({"&Edit", "V&ybrať/cut"})},
        // Edit before Colours and Settings, and before the pop-up menu
        {'E', command({"&Edit", "Vložiť/past&e", "Do aktuálneho obrázku"})},
        {'V', command({"&Edit", "Vložiť/past&e", "Do nového obrázku"})},
        {'H', command({"F&arby", "Histogram", "Vytvor..."})},
    };

    std::map<char, Command> bound;
    for (const ShortcutBinding& b : ShortcutBindings()) {
        EXPECT_TRUE(bound.emplace(b.key, b.command).second) << "key " << b.key << " bound twice";
    }
    EXPECT_EQ(bound, expected);
    EXPECT_EQ(ShortcutBindings().size(), 11u);
}

// ----------------------------------------------------------- FindMenuNode

TEST(FindMenuNode, FindsItemsAtEveryDepth) {
    const MenuNode* exitItem = ByPath(MainMenuTree(), {"&Subor", "E&xit/Koniec"});
    ASSERT_NE(exitItem, nullptr);
    EXPECT_EQ(FindMenuNode(MainMenuTree(), exitItem->command), exitItem);

    const MenuNode* otherZoom = ByPath(MainMenuTree(), {"&Edit", "&Velkost/zoom", "Iná &veľkosť"});
    ASSERT_NE(otherZoom, nullptr);
    EXPECT_EQ(FindMenuNode(MainMenuTree(), otherZoom->command), otherZoom);

    const MenuNode* pastePopup = ByPath(PopupMenuTree(), {"Vložiť/paste", "Do nového obrázku"});
    ASSERT_NE(pastePopup, nullptr);
    EXPECT_EQ(FindMenuNode(PopupMenuTree(), pastePopup->command), pastePopup);

    const MenuNode* update = ByPath(SystemMenuAdditions(), {"Update", "Začni update"});
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(FindMenuNode(SystemMenuAdditions(), update->command), update);
}

TEST(FindMenuNode, AbsentCommandsAndPopupsAreNotFound) {
    const MenuNode* popupPaste = ByPath(PopupMenuTree(), {"Vložiť/paste", "Do aktuálneho obrázku"});
    ASSERT_NE(popupPaste, nullptr);
    // a pop-up menu command is not in the main menu, and the reverse
    EXPECT_EQ(FindMenuNode(MainMenuTree(), popupPaste->command), nullptr);
    const MenuNode* editCopy = ByPath(MainMenuTree(), {"&Edit", "&Kopírovať/copy"});
    ASSERT_NE(editCopy, nullptr);
    EXPECT_EQ(FindMenuNode(PopupMenuTree(), editCopy->command), nullptr);
    // pop-ups and separators carry no command and are never the answer
    EXPECT_EQ(FindMenuNode(MainMenuTree(), kNoCommand), nullptr);
    EXPECT_EQ(FindMenuNode(MainMenuTree(), NewButton), nullptr);
    EXPECT_EQ(FindMenuNode({}, Otvor1), nullptr);
}

}  // namespace
}  // namespace kelbo
