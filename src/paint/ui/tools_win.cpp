#include "paint/ui/tools_win.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "app/settings.h"
#include "core/whole_number.h"
#include "forms/text.h"

namespace kelbo {

namespace {

constexpr const char* kShapeItems[] = {"elipsa",  "kružnica",         "obdĺžnik",
                                       "štvorec", "zrezaný obdĺžnik", "zrezaný štvorec"};
constexpr const char* kLineStyleItems[] = {"plná", "čiarko-čiarkovaná", "bodkovaná", "čiarko-bodkovaná",
                                           "čiarko-bodko-bodkovaná"};

void FillList(forms::ComboBox& list, const auto& items) {
    for (const char* item : items) list.Add(item);
    list.SetItemIndex(0);
    // The longest item is wider than the closed list.
    SendMessageW(list.Handle(), CB_SETDROPPEDWIDTH, 150, 0);
}

}  // namespace

TToolsWin::TToolsWin(HWND owner, Settings& settings) : settings_(settings) {
    CreateForm(L"TToolsWin", "Náradie", {0, 0, kWidth, kHeight}, WS_POPUP | WS_CLIPCHILDREN,
               WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, owner);
    ToolDlg = std::make_unique<TToolDlg>(Handle());
    // The creation steps that need the window in place.
    SetWindowPos(Handle(), nullptr, settings_.ToolsLeft, settings_.ToolsTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    title_.SetRolled(settings_.ToolsAutoRollType);
    if (settings_.ToolsVisible) ShowWindow(Handle(), SW_SHOWNA);
}

TToolsWin::~TToolsWin() = default;

void TToolsWin::FormCreate() {
    ClosePanel1.Create(Handle(), {0, 0, kWidth, controls::TClosePanel::kHeight});
    ClosePanel1.SetText("Náradie");
    title_.Attach();
    title_.OnMoved = [this](int left, int top) {
        settings_.ToolsLeft = left;
        settings_.ToolsTop = top;
    };
    title_.OnRolled = [this](bool rolled) { settings_.ToolsAutoRollType = rolled; };
    title_.OnClosed = [this] {
        if (OnClosed) OnClosed();
    };

    const int top = controls::TClosePanel::kHeight;
    PageControl1.Create(Handle(), {2, top + 2, kWidth - 4, kHeight - top - 4}, {"Typ", "Farby", "Útvar", "Dodatky"});
    // Narrower tabs, so that all four fit beside each other; the font set
    // again lays them out anew.
    SendMessageW(PageControl1.Handle(), TCM_SETMINTABWIDTH, 0, 20);
    SendMessageW(PageControl1.Handle(), TCM_SETPADDING, 0, MAKELPARAM(4, 3));
    SendMessageW(PageControl1.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(forms::DefaultFont()), FALSE);
    const RECT area = PageControl1.PageArea();
    const forms::Bounds page{area.left, area.top, area.right - area.left, area.bottom - area.top};
    for (forms::Panel* p : {&TypeSheet, &ColorsSheet, &ShapeSheet, &ExtrasSheet}) {
        p->Create(Handle(), page, {}, false);
        // Above the tab control, which would otherwise paint over the page.
        SetWindowPos(p->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    CreateTypePage();
    CreateColorsPage();
    CreateShapePage();
    CreateExtrasPage();
    PageControl1.OnChange = [this] { ShowPage(); };
    PageControl1.SetActivePage(0);
}

void TToolsWin::CreateTypePage() {
    const HWND p = TypeSheet.Handle();
    const int w = TypeSheet.Width();
    ShapeLabel.Create(p, {6, 10, 48, 16}, "typ :");
    ShapeList.Create(p, {56, 6, w - 62, 200});
    FillList(ShapeList, kShapeItems);
    PenWidthLabel.Create(p, {6, 42, 48, 16}, "hrúbka :");
    CreateNumberField(PenWidthEdit, PenWidthArrows, p, {56, 38, 50, 22}, "1", kMinPenWidth, kMaxPenWidth);
    PenWidthEdit.OnChange = [this] { PenWidthEditChange(); };
    PenWidthEdit.OnExit = [this] { PenWidthEditExit(); };
    LineStyleLabel.Create(p, {6, 74, 48, 16}, "čiara :");
    LineStyleList.Create(p, {56, 70, w - 62, 200});
    FillList(LineStyleList, kLineStyleItems);
    LineStyleList.OnChange = [this] { PenChanged(); };
    FillCheck.Create(p, {6, 104, w - 12, 20}, "Vyplniť útvar");
}

void TToolsWin::CreateColorsPage() {
    const HWND p = ColorsSheet.Handle();
    const int w = ColorsSheet.Width() - 8;
    struct Group {
        forms::GroupBox& group;
        const char* caption;
        ColourSwatch& box;
        Color color;
        forms::TrackBar& slider1;
        forms::TrackBar& slider2;
        std::function<void()>& click;
    };
    const Group groups[] = {
        {FgGroup, "Orámovanie, popredie", FgColorBox, settings_.FgColor, FgSlider1, FgSlider2, FgColorClick},
        {BgGroup, "Výplň, pozadie", BgColorBox, settings_.BgColor, BgSlider1, BgSlider2, BgColorClick}};
    int y = 2;
    for (const Group& g : groups) {
        g.group.Create(p, {4, y, w, 70}, g.caption);
        g.box.Create(p, {12, y + 20, 40, 40}, "", g.color);
        g.box.OnClick = [&click = g.click] {
            if (click) click();
        };
        g.slider1.Create(p, {58, y + 16, w - 60, 24}, 0, 100, 0);
        g.slider2.Create(p, {58, y + 42, w - 60, 24}, 0, 100, 0);
        y += 74;
    }
}

void TToolsWin::CreateShapePage() {
    const HWND p = ShapeSheet.Handle();
    const int w = ShapeSheet.Width() - 8;
    ShapeGroup.Create(p, {4, 2, w, 142}, "Útvar");
    ShapeText.Create(p, {12, 20, w - 16, 82}, "", ES_MULTILINE | ES_READONLY);
    ChangeBtn.Create(p, {12, 110, (w - 24) / 2, 25}, "Zmeň");
    DrawBtn.Create(p, {w - 4 - (w - 24) / 2, 110, (w - 24) / 2, 25}, "Kresli");
    ChangeBtn.OnClick = [this] { ChangeBtnClick(); };
    DrawBtn.OnClick = [this] { DrawBtnClick(); };
}

void TToolsWin::CreateExtrasPage() {
    const HWND p = ExtrasSheet.Handle();
    const int w = ExtrasSheet.Width() - 8;
    ExtrasGroup.Create(p, {4, 2, w, 56}, "Dodatky");
    AntialiasingCheck.Create(p, {14, 24, w - 20, 20}, "Antialiasing");
}

LRESULT TToolsWin::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (ClosePanel1.Exists()) ClosePanel1.SetBounds({0, 0, LOWORD(lParam), controls::TClosePanel::kHeight});
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

void TToolsWin::ShowPage() {
    const int active = PageControl1.ActivePage();
    forms::Panel* pages[] = {&TypeSheet, &ColorsSheet, &ShapeSheet, &ExtrasSheet};
    for (int i = 0; i < static_cast<int>(std::size(pages)); ++i) pages[i]->SetVisible(i == active);
}

DrawingAttributes TToolsWin::Attributes() const {
    DrawingAttributes a;
    a.shape = static_cast<ShapeKind>(
        std::clamp(ShapeList.ItemIndex(), 0, static_cast<int>(std::size(kShapeItems)) - 1));
    a.penWidth = PenWidthOf(PenWidthEdit.Text());
    a.lineStyle = static_cast<LineStyle>(
        std::clamp(LineStyleList.ItemIndex(), 0, static_cast<int>(std::size(kLineStyleItems)) - 1));
    a.fill = FillCheck.Checked();
    return a;
}

void TToolsWin::PenWidthEditChange() {
    // A number out of range is brought in at once; other text waits for the
    // field to lose the focus, so that it can be typed over.
    const std::string text = PenWidthEdit.Text();
    const std::optional<int> typed = ParseWholeNumber(text);
    if (typed && *typed != PenWidthOf(text)) {
        PenWidthEdit.SetText(std::to_string(PenWidthOf(text)));  // changes the field again
        return;
    }
    PenChanged();
}

void TToolsWin::PenWidthEditExit() {
    const std::string shown = std::to_string(PenWidthOf(PenWidthEdit.Text()));
    if (PenWidthEdit.Text() != shown) PenWidthEdit.SetText(shown);
}

void TToolsWin::PenChanged() {
    if (OnPenChanged) OnPenChanged(Attributes());
}

void TToolsWin::RepaintFgColor() {
    if (FgColor) FgColorBox.SetColor(FgColor());
}

void TToolsWin::RepaintBgColor() {
    if (BgColor) BgColorBox.SetColor(BgColor());
}

void TToolsWin::ChangeBtnClick() {
    const std::optional<ToolShape> chosen = ToolDlg->Choose();
    if (!chosen) return;
    shape_ = chosen;
    ShapeText.SetText(forms::WithLineFeeds(DescribeShape(*shape_)));
}

void TToolsWin::DrawBtnClick() {
    if (shape_ && OnDrawShape) OnDrawShape(*shape_);
}

}  // namespace kelbo
