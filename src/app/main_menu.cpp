#include "app/main_menu.h"

namespace kelbo {

namespace {

MenuNode Item(Command c, std::string caption, char shortcut = 0) {
    return {c, std::move(caption), shortcut, false, {}};
}
MenuNode Checked(Command c, std::string caption) { return {c, std::move(caption), 0, true, {}}; }
MenuNode Separator() { return {}; }
MenuNode Popup(std::string caption, std::vector<MenuNode> children) {
    return {kNoCommand, std::move(caption), 0, false, std::move(children)};
}

std::vector<MenuNode> BuildMainMenu() {
    return {
        Popup(
            "&Subor",
            {Item(Nov1, "&Nový"), Item(Otvor1, "&Otvor...", 'O'), Item(OtvorpreWarping1, "Otvor (&warping)...", 'W'),
             Item(Ulo1, "&Ulož", 'S'), Item(Uloako1, "U&lož ako...", 'A'), Item(Ulovetky1, "Ulož všetky"), Separator(),
             Item(Sprvcaobrzkov1, "&Správca obrázkov", 'B'), Item(Rchleprezeranie1, "&Rýchle prezeranie", 'F'),
             Item(Prehraakofilm1, "&Prehrať ako film..."), Item(Automatickspracovanie1, "&Automatické spracovanie"),
             Item(Konvertovanie1, "&Konvertovanie"), Separator(), Item(Kopruj1, "Kopíru&j"),
             Item(Premenuj1, "Prem&enuj"), Item(Zmaza1, "&Zmaž"), Separator(), Item(ExitKoniec1, "E&xit/Koniec")}),
        Popup("&Edit", {Item(Undokroksp1, "&Undo/krok späť"), Item(Redoodstrkroksp1, "&Redo/odstráň krok späť"),
                        Item(Zobraznacelobrazovku1, "&Zobraz na celú obrazovku"),
                        Popup("&Velkost/zoom", {Item(N501, "&50%"), Item(N1001, "&100%"), Item(N2001, "&200%"),
                                                Item(N3001, "&300%"), Item(Invekos1, "Iná &veľkosť")}),
                        Item(Tapetavedaseba1, "&Tapeta vedľa seba"), Item(Tapetauprostred1, "T&apeta uprostred"),
                        Item(istitapetu1, "Čisti ta&petu"), Item(Priesvitnikony1, "Priesvitné ikony"),
                        Item(Koprovacopy1, "&Kopírovať/copy", 'C'), Item(Vybracut1, "V&ybrať/cut", 'X'),
                        Popup("Vložiť/past&e", {Item(Doaktulnehoobrzku1, "Do aktuálneho obrázku", 'E'),
                                                Item(Donovhoobrzku1, "Do nového obrázku", 'V')})}),
        Popup("Ú&pravy", {Item(Rotcia1, "&Rotácia"), Item(Zmenavekosti1, "&Zmena veľkosti"),
                          Item(Skosenieobrzku1, "&Skosenie obrázku"), Item(ZrkadlonaosiX1, "Zrkadlo na osi &X"),
                          Item(ZrkadlonaosiY1, "Zrkadlo na osi &Y"), Item(Pridajokraje1, "Pridaj &okraje")}),
        Popup("F&arby",
              {Item(Negativ1, "Negativ"), Item(Lenodtieneedej1, "Len odtiene šedej..."),
               Item(PrahovanieThresholding1, "Prahovanie/Thresholding"), Item(Gamakorekcia1, "Gama korekcia"),
               Popup("Histogram", {Item(Vytvor1, "Vytvor...", 'H'), Item(Ekvalizcia1, "Ekvalizácia", 'E')}),
               Item(ZmeRGB1, "Zmeň RGB"), Item(ZmeCMYK1, "Zmeň CMY"), Item(ZmeHSL1, "Zmeň HSL"),
               Item(PocetFarieb1, "Zmeniť počet farieb"), Item(Poetpouitchfarieb1, "Počet použitých farieb")}),
        Popup("&Filtre", {Item(Obyajnpriemerovanie1, "Obyčajné priemerovanie"),
                          Item(ZnenieGaussovhoumu1, "Zníženie Gaussovho šumu"),
                          Item(Filtrovaniemedinom1, "Filtrovanie mediánom..."),
                          Popup("Hľadanie hrán/Ostrenie obrazu",
                                {Item(Robertsovmopertorom1, "Robertsovým operátorom"),
                                 Item(Laplaceovmopertorom2, "Laplaceovým operátorom (4okolie)"),
                                 Item(Laplaceovmopertorom1, "Laplaceovým operátorom (8okolie)"),
                                 Item(Sobelovmopertorom1, "Sobelovým operátorom"),
                                 Item(N2robertsovmopertorom1, "2. robertsovým operátorom"),
                                 Item(N2laplaceovmopertorom4okolie1, "2. laplaceovým operátorom (4okolie)"),
                                 Item(N2laplaceovmopertorom8okolie1, "2. laplaceovým operátorom (8okolie)")}),
                          Item(Odstrenieumu1, "Odstráňenie šumu")}),
        Popup("Efe&kty",
              {Item(VytlaenvzorEmboss1, "Vytlačený vzor/Emboss"), Item(Premenatvorce1, "Premeň na pravouholníky..."),
               Item(pirly1, "Špirály"), Item(Okrhlafotografia1, "Okrúhla fotografia"), Item(Mozaika1, "Mozaika"),
               Item(Efektzemetrasenie1, "Efekt \"zemetrasenie\""), Item(Zvlnenieobrzku1, "Zvlnenie obrázku"),
               Item(Sieovwarping1, "Sieťový warping"), Item(Alfamieanie1, "Alfa miešanie"),
               Popup("Maliarske techniky", {Item(Pointilizmus1, "Pointilizmus"), Item(Malba1, "Maľba")}),
               Item(Aritmetickfunkcie1, "Aritmetické funkcie")}),
        Popup("&Nastavenie", {Item(Nastavenie2, "&Nastavenie"), Checked(Normlnalita1, "N&ormálna lišta"),
                              Checked(Warpinglita1, "&Warping lišta"), Item(Informanlita1, "&Informačná lišta"),
                              Item(Paleta1, "Paleta"), Item(Obbensbory1, "Obľúbené súbory", 'E')}),
        Popup("&Okno", {Item(Kaskda1, "Kaskáda"), Item(Dlaba1, "Dlažba"), Item(Zatvor1, "Zatvor"),
                        Item(Zatvorvetky1, "Zatvor všetky"), Item(Maximalizova1, "Maximalizovať"),
                        Item(Minimalizova1, "Minimalizovať"), Item(Minimalizujvetky1, "Minimalizuj všetky"),
                        Item(Usporiadajikonky1, "Usporiadaj ikonky"), Item(Zmedruhokna1, "Zmeň druh okna"),
                        Item(Sprvcaobrzkov2, "Správca obrázkov", 'B'), Item(Nradie1, "Náradie..."),
                        Item(Oknohistogramu1, "Histogram")}),
        Popup("Nápo&veda", {Item(Popisfunkci1, "&Popis funkcií"), Item(Autorovahomepage1, "&Autorova homepage"),
                            Item(Poliemailautorovi1, "Pošli e-mail autorovi..."), Item(Zaniupdate1, "Začni update"),
                            Item(Oprograme1, "&O programe")}),
    };
}

std::vector<MenuNode> BuildPopupMenu() {
    return {Item(Undokroksp2, "Undo/krok späť"),
            Item(Redoodstrkroksp2, "Redo/odstráň krok späť"),
            Item(Zatvorvetkyokn1, "Zatvor všetky okná"),
            Item(Koprovacopy2, "Kopírovať/copy", 'C'),
            Item(Vybracut2, "Vybrať/cut", 'X'),
            Popup("Vložiť/paste", {Item(Doaktulnehoobrzku2, "Do aktuálneho obrázku", 'E'),
                                   Item(Donovhoobrzku2, "Do nového obrázku", 'V')})};
}

std::vector<MenuNode> BuildSystemMenuAdditions() {
    return {Popup("Informácie", {Item(Oprograme2, "O programe"), Item(Autorovahomepage2, "Autorova homepage")}),
            Popup("Update", {Item(Zaniupdate2, "Začni update")})};
}

void CollectShortcuts(const std::vector<MenuNode>& tree, std::vector<ShortcutBinding>& out) {
    for (const MenuNode& n : tree) {
        if (n.shortcut) {
            bool taken = false;
            for (const ShortcutBinding& b : out) taken = taken || b.key == n.shortcut;
            if (!taken) out.push_back({n.shortcut, n.command});
        }
        CollectShortcuts(n.children, out);
    }
}

}  // namespace

const std::vector<MenuNode>& MainMenuTree() {
    static const std::vector<MenuNode> tree = BuildMainMenu();
    return tree;
}

const std::vector<MenuNode>& PopupMenuTree() {
    static const std::vector<MenuNode> tree = BuildPopupMenu();
    return tree;
}

const std::vector<MenuNode>& SystemMenuAdditions() {
    static const std::vector<MenuNode> tree = BuildSystemMenuAdditions();
    return tree;
}

std::string ShortcutText(char key) { return key ? std::string("Ctrl+") + key : std::string(); }

std::vector<ShortcutBinding> ShortcutBindings() {
    std::vector<ShortcutBinding> out;
    CollectShortcuts(MainMenuTree(), out);
    CollectShortcuts(PopupMenuTree(), out);
    return out;
}

const MenuNode* FindMenuNode(const std::vector<MenuNode>& tree, Command command) {
    for (const MenuNode& n : tree) {
        if (n.command == command && command != kNoCommand) return &n;
        if (const MenuNode* found = FindMenuNode(n.children, command)) return found;
    }
    return nullptr;
}

}  // namespace kelbo
