// The tools window "Náradie" and its shape dialog "Výber útvaru".
#include "paint/ui/tools_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "controls/host_window.h"
#include "forms/text.h"
#include "imaging/modal_helpers.h"

namespace kelbo::testing {
namespace {

std::string ListItem(const forms::ComboBox& list, int index) {
    wchar_t text[64]{};
    SendMessageW(list.Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return forms::Narrow(text);
}

std::vector<std::string> ListItems(const forms::ComboBox& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(ListItem(list, i));
    return items;
}

std::string TabText(const forms::TabControl& tabs, int index) {
    wchar_t text[64]{};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs.Handle(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return forms::Narrow(text);
}

// The list's choice as the user makes it, with its notification.
void Choose(forms::ComboBox& list, int index) {
    list.SetItemIndex(index);
    SendMessageW(GetParent(list.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list.Handle()));
}

class ToolsWin : public ::testing::Test {
protected:
    void SetUp() override {
        settings_.ToolsLeft = 120;
        settings_.ToolsTop = 90;
        tools_ = std::make_unique<TToolsWin>(owner_.Handle(), settings_);
        tools_->OnPenChanged = [this](const DrawingAttributes& a) { penChanges_.push_back(a); };
    }
    forms::Bounds Bounds() const { return tools_->GetBounds(); }

    HostWindow owner_;
    Settings settings_;
    std::unique_ptr<TToolsWin> tools_;
    std::vector<DrawingAttributes> penChanges_;
};

TEST_F(ToolsWin, StartsWithItsPagesControlsAndDefaults) {
    EXPECT_TRUE(tools_->Visible());
    EXPECT_EQ(Bounds().left, 120);
    EXPECT_EQ(Bounds().top, 90);
    RECT client{};
    GetClientRect(tools_->Handle(), &client);
    EXPECT_EQ(client.right, 192);
    EXPECT_EQ(client.bottom, 195);
    EXPECT_TRUE(GetWindowLongPtrW(tools_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(tools_->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_EQ(tools_->Text(), "Náradie");
    EXPECT_EQ(tools_->ClosePanel1.Text(), "Náradie");
    EXPECT_EQ(tools_->ClosePanel1.Width(), 192);
    const std::vector<std::string> tabs{"Typ", "Farby", "Útvar", "Dodatky"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(TabText(tools_->PageControl1, i), tabs[static_cast<size_t>(i)]);
    EXPECT_EQ(ListItems(tools_->ShapeList), (std::vector<std::string>{"elipsa", "kružnica", "obdĺžnik", "štvorec",
                                                                      "zrezaný obdĺžnik", "zrezaný štvorec"}));
    EXPECT_EQ(ListItems(tools_->LineStyleList),
              (std::vector<std::string>{"plná", "čiarko-čiarkovaná", "bodkovaná", "čiarko-bodkovaná",
                                        "čiarko-bodko-bodkovaná"}));
    const std::pair<const forms::Control*, const char*> captions[] = {{&tools_->ShapeLabel, "typ :"},
                                                                      {&tools_->PenWidthLabel, "hrúbka :"},
                                                                      {&tools_->LineStyleLabel, "čiara :"},
                                                                      {&tools_->PenWidthEdit, "1"},
                                                                      {&tools_->FillCheck, "Vyplniť útvar"},
                                                                      {&tools_->FgGroup, "Orámovanie, popredie"},
                                                                      {&tools_->BgGroup, "Výplň, pozadie"},
                                                                      {&tools_->ShapeGroup, "Útvar"},
                                                                      {&tools_->ShapeText, ""},
                                                                      {&tools_->ChangeBtn, "Zmeň"},
                                                                      {&tools_->DrawBtn, "Kresli"},
                                                                      {&tools_->ExtrasGroup, "Dodatky"},
                                                                      {&tools_->AntialiasingCheck, "Antialiasing"}};
    for (const auto& [control, caption] : captions) EXPECT_EQ(control->Text(), caption);
    for (const forms::TrackBar* s : {&tools_->FgSlider1, &tools_->FgSlider2, &tools_->BgSlider1, &tools_->BgSlider2})
        EXPECT_EQ(SendMessageW(s->Handle(), TBM_GETRANGEMAX, 0, 0), 100);
    int low = 0, high = 0;
    SendMessageW(tools_->PenWidthArrows.Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 50);
    const DrawingAttributes a = tools_->Attributes();
    EXPECT_EQ(a.shape, ShapeKind::kEllipse);
    EXPECT_EQ(a.penWidth, 1);
    EXPECT_EQ(a.lineStyle, LineStyle::kSolid);
    EXPECT_FALSE(a.fill);
    EXPECT_FALSE(tools_->EnteredShape());
}

TEST_F(ToolsWin, AttributesFollowTheControlsAndPenChangesAreReported) {
    Choose(tools_->ShapeList, 4);
    tools_->FillCheck.SetChecked(true);
    EXPECT_TRUE(penChanges_.empty());  // neither is a pen change
    struct Step {
        const char* width;  // nullptr: choose line style instead
        int style;
        int expectedWidth;
        LineStyle expectedStyle;
    };
    const Step steps[] = {{"7", 0, 7, LineStyle::kSolid},
                          {nullptr, 3, 7, LineStyle::kDashDot},
                          {"80", 0, 50, LineStyle::kDashDot},
                          {"0", 0, 1, LineStyle::kDashDot},
                          {nullptr, 4, 1, LineStyle::kDashDotDot}};
    for (const Step& s : steps) {
        penChanges_.clear();
        if (s.width)
            tools_->PenWidthEdit.SetText(s.width);
        else
            Choose(tools_->LineStyleList, s.style);
        ASSERT_EQ(penChanges_.size(), 1u) << (s.width ? s.width : "style");
        EXPECT_EQ(penChanges_[0].penWidth, s.expectedWidth);
        EXPECT_EQ(penChanges_[0].lineStyle, s.expectedStyle);
        EXPECT_EQ(tools_->PenWidthEdit.Text(), std::to_string(s.expectedWidth));
    }
    const DrawingAttributes a = tools_->Attributes();
    EXPECT_EQ(a.shape, ShapeKind::kRoundRectangle);
    EXPECT_EQ(a.penWidth, 1);
    EXPECT_EQ(a.lineStyle, LineStyle::kDashDotDot);
    EXPECT_TRUE(a.fill);
}

TEST_F(ToolsWin, ColourBoxesShowTheColoursAndPassOnTheirClicks) {
    EXPECT_EQ(tools_->FgColorBox.GetColor(), settings_.FgColor);
    EXPECT_EQ(tools_->BgColorBox.GetColor(), settings_.BgColor);
    tools_->FgColor = [] { return Rgb(200, 10, 20); };
    tools_->BgColor = [] { return Rgb(1, 2, 3); };
    tools_->RepaintFgColor();
    tools_->RepaintBgColor();
    EXPECT_EQ(tools_->FgColorBox.GetColor(), Rgb(200, 10, 20));
    EXPECT_EQ(tools_->BgColorBox.GetColor(), Rgb(1, 2, 3));
    std::string clicks;
    tools_->FgColorClick = [&] { clicks += "F"; };
    tools_->BgColorClick = [&] { clicks += "B"; };
    for (HWND box : {tools_->BgColorBox.Handle(), tools_->FgColorBox.Handle()}) {
        SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    EXPECT_EQ(clicks, "BF");
}

TEST_F(ToolsWin, RollsUpUnrollsUnderThePointerAndRecordsItsMode) {
    tools_->ClosePanel1.RollButton.Click();
    EXPECT_TRUE(settings_.ToolsAutoRollType);
    EXPECT_EQ(Bounds().width, 80);
    EXPECT_EQ(Bounds().height, 22);
    EXPECT_EQ(tools_->ClosePanel1.Width(), 80);
    SendMessageW(tools_->ClosePanel1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Bounds().width, 192);
    EXPECT_EQ(Bounds().height, 195);
    EXPECT_EQ(tools_->ClosePanel1.GetColor(), static_cast<Color>(GetSysColor(COLOR_ACTIVECAPTION)));
    tools_->PointerOverFrame();
    EXPECT_EQ(Bounds().width, 80);
    EXPECT_EQ(Bounds().height, 22);
    tools_->ClosePanel1.RollButton.Click();
    EXPECT_FALSE(settings_.ToolsAutoRollType);
    EXPECT_EQ(Bounds().width, 192);
    EXPECT_EQ(Bounds().height, 195);
    tools_->PointerOverFrame();  // unrolled, it stays open
    EXPECT_EQ(Bounds().height, 195);

    // Created in roll mode, rolled up.
    settings_.ToolsAutoRollType = true;
    settings_.ToolsVisible = false;
    TToolsWin rolled(owner_.Handle(), settings_);
    EXPECT_TRUE(rolled.Rolled());
    EXPECT_FALSE(rolled.Visible());
    EXPECT_EQ(rolled.GetBounds().width, 80);
    EXPECT_EQ(rolled.GetBounds().height, 22);
}

TEST_F(ToolsWin, CloseHidesTheWindowAndTellsItsOwner) {
    int closed = 0;
    tools_->OnClosed = [&] { ++closed; };
    tools_->ClosePanel1.CloseButton.Click();
    EXPECT_FALSE(tools_->Visible());
    EXPECT_EQ(closed, 1);
}

TEST_F(ToolsWin, DraggingTheTitleMovesTheWindowAndRecordsItsPlace) {
    SetCursorPos(300, 300);
    SendMessageW(tools_->ClosePanel1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    SetCursorPos(340, 320);
    SendMessageW(tools_->ClosePanel1.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 25));
    SendMessageW(tools_->ClosePanel1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 25));
    EXPECT_EQ(Bounds().left, 160);
    EXPECT_EQ(Bounds().top, 110);
    EXPECT_EQ(settings_.ToolsLeft, 160);
    EXPECT_EQ(settings_.ToolsTop, 110);
    // After the release the pointer moves nothing.
    SetCursorPos(400, 400);
    SendMessageW(tools_->ClosePanel1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 25));
    EXPECT_EQ(settings_.ToolsLeft, 160);
}

TEST_F(ToolsWin, ShapeDialogDescribesTheActivePagesShapeAndKresliDrawsIt) {
    TToolDlg& dlg = *tools_->ToolDlg;
    EXPECT_EQ(dlg.Text(), "Výber útvaru");
    EXPECT_EQ(dlg.DrawBtn.Text(), "Kresli");
    EXPECT_EQ(dlg.CloseBtn.Text(), "Zatvor");
    std::vector<ToolShape> drawn;
    tools_->OnDrawShape = [&](const ToolShape& s) { drawn.push_back(s); };
    tools_->DrawBtnClick();
    EXPECT_TRUE(drawn.empty());  // nothing entered yet

    struct Page {
        std::vector<TToolDlg::PointFields*> fields;
        std::vector<const char*> groups;
        const char* texts[4];
        const char* description;
        ToolShape shape;
    };
    using Kind = ToolShape::Kind;
    const Page pages[] = {
        {{&dlg.Centre, &dlg.Radius},
         {"Stred", "Polomer"},
         {"10", "-20", "30", "4"},
         "Elipsa\r\nStred [10,-20]\r\nPolomer [30,4]",
         {Kind::kEllipse, {10, -20}, {30, 4}}},
        {{&dlg.TopLeft, &dlg.BottomRight},
         {"Ľavý horný roh", "Pravý dolný roh"},
         {"1", "2", "300", "400"},
         "Obdĺžnik\r\nPrvý vrchol [1,2]\r\nDruhý vrchol [300,400]",
         {Kind::kRectangle, {1, 2}, {300, 400}}},
        {{&dlg.LineStart, &dlg.LineEnd},
         {"Začiatok", "Koniec"},
         {"5", "x", "99999", "0"},
         "Čiara\r\nZačiatok [5,0]\r\nKoniec [99999,0]",
         {Kind::kLine, {5, 0}, {99999, 0}}},
        {{&dlg.Coordinates}, {"Súradnice"}, {"7", "8", "", ""}, "Bod\r\nSúradnice [7,8]", {Kind::kPoint, {7, 8}, {}}},
    };
    for (int page = 0; page < 4; ++page) {
        const Page& p = pages[page];
        for (size_t g = 0; g < p.fields.size(); ++g) {
            EXPECT_EQ(p.fields[g]->Group.Text(), p.groups[g]);
            EXPECT_EQ(p.fields[g]->XLabel.Text(), "X");
            p.fields[g]->XEdit.SetText(p.texts[2 * g]);
            p.fields[g]->YEdit.SetText(p.texts[2 * g + 1]);
        }
        WhenModal([&dlg, page] {
            dlg.PageControl1.SetActivePage(page);
            ClickButton(dlg.DrawBtn.Handle());
        });
        tools_->ChangeBtnClick();
        EXPECT_FALSE(dlg.Visible());
        EXPECT_EQ(tools_->ShapeText.Text(), p.description) << page;
        tools_->DrawBtnClick();
        ASSERT_EQ(drawn.size(), static_cast<size_t>(page + 1));
        EXPECT_EQ(drawn.back().kind, p.shape.kind);
        EXPECT_EQ(drawn.back().a, p.shape.a);
        EXPECT_EQ(drawn.back().b, p.shape.b);
    }

    // "Zatvor" leaves the entered shape as it was.
    WhenModal([&dlg] {
        dlg.PageControl1.SetActivePage(0);
        ClickButton(dlg.CloseBtn.Handle());
    });
    tools_->ChangeBtnClick();
    EXPECT_EQ(tools_->ShapeText.Text(), "Bod\r\nSúradnice [7,8]");
    EXPECT_EQ(tools_->EnteredShape()->kind, Kind::kPoint);
}

}  // namespace
}  // namespace kelbo::testing
