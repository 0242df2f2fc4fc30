// The main window's own commands: the tool buttons' routing, the stretched
// window, the information panel and the colour boxes.
#include <windows.h>

#include "app/tools.h"
#include "app/ui/view_form.h"
#include "forms/dialogs.h"
#include "forms/menu.h"

namespace kelbo {

void TViewForm::BindCommands() {
    OnCommand(MaximButton, [this] { MaximButtonClick(); });
    OnCommand(Informanlita1, [this] { Informanlita1Click(); });
}

void TViewForm::ToolButtonClick(UINT command) {
    if (const std::optional<ToolNumber> tool = ToolOfButton(command)) {
        CurrentTool = static_cast<std::uint8_t>(*tool);
        RunCommand(command);  // the painting tools follow the choice
        return;
    }
    switch (command) {
    case NewButton: RunCommand(Nov1); return;
    case OpenButton: RunCommand(Otvor1); return;
    case WarpingButton: RunCommand(OtvorpreWarping1); return;
    case BrowserButton: RunCommand(Sprvcaobrzkov1); return;
    case SaveButton: RunCommand(Ulo1); return;
    case SaveAsButton: RunCommand(Uloako1); return;
    case UndoButton: RunCommand(Undokroksp1); return;
    case RedoButton: RunCommand(Redoodstrkroksp1); return;
    case CutButton: RunCommand(Vybracut1); return;
    case CopyButton: RunCommand(Koprovacopy1); return;
    case PasteButton: RunCommand(Doaktulnehoobrzku1); return;
    case HistogramButton: RunCommand(Vytvor1); return;
    case ToolsButton: RunCommand(Nradie1); return;
    case ViewButton: RunCommand(Zobraznacelobrazovku1); return;
    default: RunCommand(command); return;
    }
}

void TViewForm::MaximButtonClick() {
    if (!ToolBar1.Down(MaximButton)) return;  // raising the button does nothing else
    ShowWindow(Handle(), SW_MAXIMIZE);
    const forms::Bounds maximised = GetBounds();
    ShowWindow(Handle(), SW_RESTORE);
    SetWindowPos(Handle(), nullptr, -4, -22, maximised.width + 8, maximised.height + 140, SWP_NOZORDER);
    Repaint();
}

void TViewForm::Informanlita1Click() {
    const bool show = !forms::ItemChecked(MainMenu1.get(), Informanlita1);
    forms::SetItemChecked(MainMenu1.get(), Informanlita1, show);
    Panel1.SetVisible(show);
    LayoutChildren();
}

void TViewForm::ClosePanel1CloseClick() {
    forms::SetItemChecked(MainMenu1.get(), Informanlita1, false);
    Panel1.SetVisible(false);
    LayoutChildren();
}

void TViewForm::ClosePanel1RollClick() {
    // The title's button has switched the roll mode already.
    LayoutChildren();
}

void TViewForm::FgColorClick() {
    forms::ColorDialog dialog;
    dialog.color = Options.FgColor;
    if (dialog.ExecuteDialog(Handle())) SetFgColor(dialog.color);
}

void TViewForm::ChooseColor(bool foreground) {
    if (foreground) {
        FgColorClick();
    } else {
        BgColorClick();
    }
}

void TViewForm::BgColorClick() {
    forms::ColorDialog dialog;
    dialog.color = Options.BgColor;
    if (dialog.ExecuteDialog(Handle())) SetBgColor(dialog.color);
}

void TViewForm::Image1MouseDown(forms::MouseButton button, int x, int y) {
    const Color c = Panel1.ChartColorAt(x, y);
    if (button == forms::MouseButton::kLeft)
        SetFgColor(c);
    else if (button == forms::MouseButton::kRight)
        SetBgColor(c);
}

}  // namespace kelbo
