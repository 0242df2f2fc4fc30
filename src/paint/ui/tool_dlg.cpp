#include "paint/ui/tool_dlg.h"

#include <iterator>

#include "imaging/ui/dial_parts.h"

namespace kelbo {

namespace {

constexpr int kGroupWidth = 108;

}  // namespace

Point TToolDlg::PointFields::Value() const { return {FieldValue(XEdit, 0), FieldValue(YEdit, 0)}; }

TToolDlg::TToolDlg(HWND owner) {
    CreateForm(L"TToolDlg", "Výber útvaru", {0, 0, 276, 206}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TToolDlg::FormCreate() {
    SetClientSize(260, 168);
    PageControl1.Create(Handle(), {8, 8, 244, 120}, {"Elipsa", "Obdĺžnik", "Čiara", "Bod"});
    const RECT area = PageControl1.PageArea();
    const forms::Bounds page{area.left, area.top, area.right - area.left, area.bottom - area.top};
    for (forms::Panel* p : {&EllipseSheet, &RectangleSheet, &LineSheet, &PointSheet}) {
        p->Create(Handle(), page, {}, false);
        // Above the tab control, which would otherwise paint over the page.
        SetWindowPos(p->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    const int second = page.width - 6 - kGroupWidth;
    CreateGroup(Centre, EllipseSheet, 6, "Stred");
    CreateGroup(Radius, EllipseSheet, second, "Polomer");
    CreateGroup(TopLeft, RectangleSheet, 6, "Ľavý horný roh");
    CreateGroup(BottomRight, RectangleSheet, second, "Pravý dolný roh");
    CreateGroup(LineStart, LineSheet, 6, "Začiatok");
    CreateGroup(LineEnd, LineSheet, second, "Koniec");
    CreateGroup(Coordinates, PointSheet, 6, "Súradnice");

    DrawBtn.Create(Handle(), {96, 136, 75, 25}, "Kresli", true);
    CloseBtn.Create(Handle(), {177, 136, 75, 25}, "Zatvor");
    DrawBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CloseBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    PageControl1.OnChange = [this] { ShowPage(); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    PageControl1.SetActivePage(0);
    CenterOnScreen();
}

void TToolDlg::CreateGroup(PointFields& fields, forms::Panel& sheet, int left, std::string_view caption) {
    const HWND p = sheet.Handle();
    fields.Group.Create(p, {left, 4, kGroupWidth, 82}, caption);
    fields.XLabel.Create(p, {left + 12, 26, 16, 16}, "X");
    fields.XEdit.Create(p, {left + 32, 22, 64, 22}, "0");
    fields.YLabel.Create(p, {left + 12, 56, 16, 16}, "Y");
    fields.YEdit.Create(p, {left + 32, 52, 64, 22}, "0");
}

void TToolDlg::ShowPage() {
    const int active = PageControl1.ActivePage();
    forms::Panel* pages[] = {&EllipseSheet, &RectangleSheet, &LineSheet, &PointSheet};
    for (int i = 0; i < static_cast<int>(std::size(pages)); ++i) pages[i]->SetVisible(i == active);
}

void TToolDlg::Timer1Timer() {
    for (PointFields* f : {&Centre, &Radius, &TopLeft, &BottomRight, &LineStart, &LineEnd, &Coordinates}) {
        ResetUnlessWhole(f->XEdit, "0");
        ResetUnlessWhole(f->YEdit, "0");
    }
}

ToolShape TToolDlg::Shape() const {
    using Kind = ToolShape::Kind;
    switch (PageControl1.ActivePage()) {
    case 1: return {Kind::kRectangle, TopLeft.Value(), BottomRight.Value()};
    case 2: return {Kind::kLine, LineStart.Value(), LineEnd.Value()};
    case 3: return {Kind::kPoint, Coordinates.Value(), {}};
    default: return {Kind::kEllipse, Centre.Value(), Radius.Value()};
    }
}

std::optional<ToolShape> TToolDlg::Choose() {
    if (ShowModal() != forms::mrOk) return std::nullopt;
    return Shape();
}

}  // namespace kelbo
