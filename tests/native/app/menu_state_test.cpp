#include "app/menu_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/main_menu.h"

namespace kelbo {
namespace {

MenuStateInput Children(int count, WindowKindId kind) {
    MenuStateInput in;
    in.childCount = count;
    in.activeKind = kind;
    in.hasActiveChild = count > 0;
    return in;
}

MenuStateInput History(int position, int top) {
    MenuStateInput in = Children(1, WindowKindId::kImage);
    in.undoPosition = position;
    in.undoTop = top;
    return in;
}

// ------------------------------------------------- workable and fast view

TEST(ComputeMenuState, NoChildrenDisablesEverything) {
    for (WindowKindId kind : {WindowKindId::kImage, WindowKindId::kWarp, WindowKindId::kBrowser}) {
        MenuStateInput in = Children(0, kind);
        in.undoPosition = 3;
        in.undoTop = 6;
        const MenuState s = ComputeMenuState(in);
        EXPECT_FALSE(s.workable);
        EXPECT_FALSE(s.fastView);
        EXPECT_FALSE(s.undo);
        EXPECT_FALSE(s.redo);
    }
}

TEST(ComputeMenuState, ImageDocumentIsWorkableOnly) {
    const MenuState s = ComputeMenuState(Children(1, WindowKindId::kImage));
    EXPECT_TRUE(s.workable);
    EXPECT_FALSE(s.fastView);
}

TEST(ComputeMenuState, WarpWindowIsNeitherWorkableNorFastView) {
    const MenuState s = ComputeMenuState(Children(2, WindowKindId::kWarp));
    EXPECT_FALSE(s.workable);
    EXPECT_FALSE(s.fastView);
}

TEST(ComputeMenuState, BrowserEnablesFastViewOnly) {
    const MenuState s = ComputeMenuState(Children(3, WindowKindId::kBrowser));
    EXPECT_FALSE(s.workable);
    EXPECT_TRUE(s.fastView);
}

TEST(ComputeMenuState, KindDecidesEvenWithManyChildren) {
    EXPECT_TRUE(ComputeMenuState(Children(7, WindowKindId::kImage)).workable);
    EXPECT_FALSE(ComputeMenuState(Children(7, WindowKindId::kBrowser)).workable);
    EXPECT_TRUE(ComputeMenuState(Children(7, WindowKindId::kBrowser)).fastView);
}

// --------------------------------------------------------------- undo/redo

TEST(ComputeMenuState, UndoWhenPositionIsNotZero) {
    EXPECT_FALSE(ComputeMenuState(History(0, 0)).undo);
    EXPECT_FALSE(ComputeMenuState(History(0, 3)).undo);
    EXPECT_TRUE(ComputeMenuState(History(1, 1)).undo);
    EXPECT_TRUE(ComputeMenuState(History(6, 6)).undo);
}

TEST(ComputeMenuState, RedoWhenPositionIsBelowTopMinusOne) {
    // top 0: top - 1 is -1 and no position is below it
    EXPECT_FALSE(ComputeMenuState(History(0, 0)).redo);
    // top 1: nothing below 0
    EXPECT_FALSE(ComputeMenuState(History(0, 1)).redo);
    // top 2: only position 0
    EXPECT_TRUE(ComputeMenuState(History(0, 2)).redo);
    EXPECT_FALSE(ComputeMenuState(History(1, 2)).redo);
    EXPECT_FALSE(ComputeMenuState(History(2, 2)).redo);
    // top 6: positions 0 to 4
    EXPECT_TRUE(ComputeMenuState(History(4, 6)).redo);
    EXPECT_FALSE(ComputeMenuState(History(5, 6)).redo);
    EXPECT_FALSE(ComputeMenuState(History(6, 6)).redo);
}

TEST(ComputeMenuState, UndoAndRedoTogether) {
    const MenuState s = ComputeMenuState(History(2, 5));
    EXPECT_TRUE(s.undo);
    EXPECT_TRUE(s.redo);
    EXPECT_TRUE(s.workable);
}

TEST(ComputeMenuState, UndoRedoFollowTheActiveChildOfAnyKind) {
    MenuStateInput in = History(2, 5);
    in.activeKind = WindowKindId::kWarp;
    const MenuState s = ComputeMenuState(in);
    EXPECT_TRUE(s.undo);
    EXPECT_TRUE(s.redo);
    EXPECT_FALSE(s.workable);
}

TEST(ComputeMenuState, WithoutActiveChildUndoAndRedoAreOff) {
    MenuStateInput in = History(2, 5);
    in.hasActiveChild = false;
    const MenuState s = ComputeMenuState(in);
    EXPECT_FALSE(s.undo);
    EXPECT_FALSE(s.redo);
}

// ------------------------------------------------------- workable commands

const MenuNode* Find(const std::vector<std::string>& path) {
    const std::vector<MenuNode>* level = &MainMenuTree();
    const MenuNode* found = nullptr;
    for (const std::string& caption : path) {
        const auto it = std::find_if(level->begin(), level->end(),
                                     [&](const MenuNode& n) { return n.caption == caption; });
        if (it == level->end()) return nullptr;
        found = &*it;
        level = &found->children;
    }
    return found;
}

Command CommandAt(const std::vector<std::string>& path) {
    const MenuNode* n = Find(path);
    EXPECT_NE(n, nullptr) << path.back();
    return n != nullptr ? n->command : kNoCommand;
}

TEST(WorkableCommands, ExactlyTheListedItems) {
    // The items enabled exactly when a picture is workable, in the order the
    // program lists them, found by caption in the main menu.
    const std::vector<std::vector<std::string>> paths = {
        {"&Subor", "&Ulož"},              // Save
        {"&Subor", "U&lož ako..."},       // Save As
        {"&Okno", "Kaskáda"},             // Cascade
        {"&Okno", "Dlažba"},              // Tile
        {"&Okno", "Zatvor všetky"},       // Close all
        {"&Okno", "Maximalizovať"},       // Maximise
        {"&Okno", "Minimalizovať"},       // Minimise
        {"&Okno", "Zatvor"},              // Close
        {"&Okno", "Usporiadaj ikonky"},   // Arrange icons
        {"&Okno", "Minimalizuj všetky"},  // Minimise all
        {"F&arby", "Počet použitých farieb"},
        {"F&arby", "Zmeniť počet farieb"},
        {"F&arby", "Negativ"},
        {"&Filtre", "Filtrovanie mediánom..."},
        {"Efe&kty", "Maliarske techniky", "Pointilizmus"},
        {"F&arby", "Zmeň RGB"},
        {"F&arby", "Zmeň CMY"},
        {"Efe&kty", "Premeň na pravouholníky..."},  // rectangles
        {"Efe&kty", "Vytlačený vzor/Emboss"},
        {"&Edit", "&Kopírovať/copy"},
        {"&Edit", "V&ybrať/cut"},
        {"&Subor", "Kopíru&j"},
        {"Efe&kty", "Špirály"},
        {"&Subor", "&Zmaž"},
        {"F&arby", "Gama korekcia"},
        {"F&arby", "Prahovanie/Thresholding"},
        {"F&arby", "Len odtiene šedej..."},  // grey
        {"&Okno", "Náradie..."},             // tools window
        {"Ú&pravy", "&Rotácia"},
        {"Ú&pravy", "&Zmena veľkosti"},
        {"Ú&pravy", "Zrkadlo na osi &X"},
        {"Ú&pravy", "Zrkadlo na osi &Y"},
        {"Ú&pravy", "&Skosenie obrázku"},      // shear
        {"F&arby", "Histogram", "Vytvor..."},  // histogram window
        {"F&arby", "Histogram", "Ekvalizácia"},
        {"&Filtre", "Odstráňenie šumu"},  // noise removal
        {"Efe&kty", "Okrúhla fotografia"},
        {"Efe&kty", "Mozaika"},
        {"Efe&kty", "Maliarske techniky", "Maľba"},  // painting
        {"&Filtre", "Obyčajné priemerovanie"},       // averaging
        {"&Okno", "Histogram"},                      // histogram (Window menu)
        {"Efe&kty", "Efekt \"zemetrasenie\""},
        {"&Edit", "Vložiť/past&e", "Do aktuálneho obrázku"},
        {"&Edit", "T&apeta uprostred"},
        {"&Edit", "&Tapeta vedľa seba"},
        {"&Edit", "Čisti ta&petu"},
        {"Efe&kty", "Zvlnenie obrázku"},  // wave
        {"F&arby", "Zmeň HSL"},
        {"&Edit", "&Zobraz na celú obrazovku"},  // full screen
    };
    ASSERT_EQ(paths.size(), 49u);

    std::set<Command> expected;
    for (const auto& p : paths) expected.insert(CommandAt(p));
    ASSERT_EQ(expected.size(), 49u) << "two listed items share a command";

    const std::vector<Command>& actual = WorkableCommands();
    EXPECT_EQ(actual.size(), 49u);
    EXPECT_EQ(std::set<Command>(actual.begin(), actual.end()), expected);
}

TEST(WorkableCommands, LeavesOutItemsThatNeedNoWorkablePicture) {
    const std::vector<std::vector<std::string>> paths = {
        {"&Subor", "&Nový"},
        {"&Subor", "&Otvor..."},
        {"&Subor", "Ulož všetky"},
        {"&Subor", "&Rýchle prezeranie"},
        {"&Subor", "E&xit/Koniec"},
        {"&Edit", "&Undo/krok späť"},
        {"&Edit", "&Redo/odstráň krok späť"},
        {"&Edit", "&Velkost/zoom", "&50%"},
        {"&Edit", "&Velkost/zoom", "&100%"},
        {"&Edit", "&Velkost/zoom", "&200%"},
        {"&Edit", "&Velkost/zoom", "&300%"},
        {"&Edit", "&Velkost/zoom", "Iná &veľkosť"},
        {"&Edit", "Priesvitné ikony"},
        {"&Edit", "Vložiť/past&e", "Do nového obrázku"},
        {"Ú&pravy", "Pridaj &okraje"},
        {"&Filtre", "Zníženie Gaussovho šumu"},
        {"&Filtre", "Hľadanie hrán/Ostrenie obrazu", "Sobelovým operátorom"},
        {"Efe&kty", "Sieťový warping"},
        {"Efe&kty", "Alfa miešanie"},
        {"Efe&kty", "Aritmetické funkcie"},
        {"&Okno", "Zmeň druh okna"},
        {"&Okno", "Správca obrázkov"},
    };
    const std::vector<Command>& workable = WorkableCommands();
    for (const auto& p : paths) {
        const Command c = CommandAt(p);
        EXPECT_EQ(std::count(workable.begin(), workable.end(), c), 0) << p.back();
    }
}

TEST(WorkableCommands, EachOnceAndAllInTheMainMenu) {
    const std::vector<Command>& workable = WorkableCommands();
    EXPECT_EQ(std::set<Command>(workable.begin(), workable.end()).size(), workable.size());
    for (Command c : workable) {
        EXPECT_NE(FindMenuNode(MainMenuTree(), c), nullptr) << c;
        EXPECT_EQ(FindMenuNode(PopupMenuTree(), c), nullptr) << c;
    }
}

}  // namespace
}  // namespace kelbo
