#include "app/menu_state.h"

namespace kelbo {

MenuState ComputeMenuState(const MenuStateInput& in) {
    MenuState s;
    s.workable = in.childCount > 0 && in.activeKind == WindowKindId::kImage;
    s.fastView = in.childCount > 0 && in.activeKind == WindowKindId::kBrowser;
    if (in.hasActiveChild) {
        s.undo = in.undoPosition != 0;
        s.redo = in.undoPosition < in.undoTop - 1;
    }
    return s;
}

const std::vector<Command>& WorkableCommands() {
    // clang-format off
    static const std::vector<Command> commands = {
        Ulo1, Uloako1, Kaskda1, Dlaba1, Zatvorvetky1, Maximalizova1, Minimalizova1, Zatvor1,
        Usporiadajikonky1, Minimalizujvetky1, Poetpouitchfarieb1, PocetFarieb1, Negativ1, Filtrovaniemedinom1,
        Pointilizmus1, ZmeRGB1, ZmeCMYK1, Premenatvorce1, VytlaenvzorEmboss1, Koprovacopy1, Vybracut1, Kopruj1,
        pirly1, Zmaza1, Gamakorekcia1, PrahovanieThresholding1, Lenodtieneedej1, Nradie1, Rotcia1,
        Zmenavekosti1, ZrkadlonaosiX1, ZrkadlonaosiY1, Skosenieobrzku1, Vytvor1, Ekvalizcia1, Odstrenieumu1,
        Okrhlafotografia1, Mozaika1, Malba1, Obyajnpriemerovanie1, Oknohistogramu1, Efektzemetrasenie1,
        Doaktulnehoobrzku1, Tapetauprostred1, Tapetavedaseba1, istitapetu1, Zvlnenieobrzku1, ZmeHSL1,
        Zobraznacelobrazovku1,
    };
    // clang-format on
    return commands;
}

}  // namespace kelbo
