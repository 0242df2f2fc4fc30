// Identifiers of the main window's commands: menu items (named after their
// captions, as the program's items are) and tool-bar buttons.
#pragma once

namespace kelbo {

// A line of enumerators per menu, as the menus are read; the formatter keeps it.
// clang-format off
enum Command : unsigned {
    kNoCommand = 0,
    // "&Subor"
    Nov1 = 100, Otvor1, OtvorpreWarping1, Ulo1, Uloako1, Ulovetky1, Sprvcaobrzkov1, Rchleprezeranie1,
    Prehraakofilm1, Automatickspracovanie1, Konvertovanie1, Kopruj1, Premenuj1, Zmaza1, ExitKoniec1,
    // "&Edit"
    Undokroksp1, Redoodstrkroksp1, Zobraznacelobrazovku1, N501, N1001, N2001, N3001, Invekos1,
    Tapetavedaseba1, Tapetauprostred1, istitapetu1, Priesvitnikony1, Koprovacopy1, Vybracut1,
    Doaktulnehoobrzku1, Donovhoobrzku1,
    // "Ú&pravy"
    Rotcia1, Zmenavekosti1, Skosenieobrzku1, ZrkadlonaosiX1, ZrkadlonaosiY1, Pridajokraje1,
    // "F&arby"
    Negativ1, Lenodtieneedej1, PrahovanieThresholding1, Gamakorekcia1, Vytvor1, Ekvalizcia1, ZmeRGB1,
    ZmeCMYK1, ZmeHSL1, PocetFarieb1, Poetpouitchfarieb1,
    // "&Filtre"
    Obyajnpriemerovanie1, ZnenieGaussovhoumu1, Filtrovaniemedinom1, Robertsovmopertorom1,
    Laplaceovmopertorom2, Laplaceovmopertorom1, Sobelovmopertorom1, N2robertsovmopertorom1,
    N2laplaceovmopertorom4okolie1, N2laplaceovmopertorom8okolie1, Odstrenieumu1,
    // "Efe&kty"
    VytlaenvzorEmboss1, Premenatvorce1, pirly1, Okrhlafotografia1, Mozaika1, Efektzemetrasenie1,
    Zvlnenieobrzku1, Sieovwarping1, Alfamieanie1, Pointilizmus1, Malba1, Aritmetickfunkcie1,
    // "&Nastavenie"
    Nastavenie2, Normlnalita1, Warpinglita1, Informanlita1, Paleta1, Obbensbory1,
    // "&Okno"
    Kaskda1, Dlaba1, Zatvor1, Zatvorvetky1, Maximalizova1, Minimalizova1, Minimalizujvetky1,
    Usporiadajikonky1, Zmedruhokna1, Sprvcaobrzkov2, Nradie1, Oknohistogramu1,
    // "Nápo&veda"
    Popisfunkci1, Autorovahomepage1, Poliemailautorovi1, Zaniupdate1, Oprograme1,
    // pop-up menu
    Undokroksp2, Redoodstrkroksp2, Zatvorvetkyokn1, Koprovacopy2, Vybracut2, Doaktulnehoobrzku2,
    Donovhoobrzku2,
    // system-menu additions ("Informácie", "Update"): the system keeps the
    // low four bits of WM_SYSCOMMAND for itself, so these are multiples of 16
    Oprograme2 = 0x1000, Autorovahomepage2 = 0x1010, Zaniupdate2 = 0x1020,
    // ToolBar1
    NewButton = 400, OpenButton, WarpingButton, BrowserButton, SaveButton, SaveAsButton, UndoButton,
    RedoButton, CutButton, CopyButton, PasteButton, HistogramButton, ToolsButton, ViewButton, MaximButton,
    // ToolBar2
    ArrowButton, ZoomButton, PickButton, PenButton, LineButton, FillButton, ShapeButton, CropButton,
    TextButton,
    // ToolBar4
    AddButton, DelButton, EditButton, EditDialButton, NoWarpButton, WarpButton, WarpNowButton, MovieButton,
    LoadButton, SaveItButton, SpeedButton1,
    // recent files of the File menu take identifiers from here on
    kRecentFileFirst = 600,
};
// clang-format on

}  // namespace kelbo
