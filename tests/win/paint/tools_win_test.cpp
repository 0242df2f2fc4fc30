// The tools window "Náradie" and its shape dialog "Výber útvaru".
#include "paint/ui/tools_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/settings.h"
#include "controls/host_window.h"
#include "forms/text.h"
#include "imaging/modal_helpers.h"

namespace kelbo::testing {
namespace {

using Texts = std::vector<std::string>;

// The items of a list (CB_GETLBTEXT) or the tabs of a tab control.
Texts Items(HWND control, bool tabs) {
    Texts items;
    wchar_t text[64]{};
    TCITEMW tab{TCIF_TEXT, 0, 0, text, 64, 0, 0};
    const LPARAM into = tabs ? reinterpret_cast<LPARAM>(&tab) : reinterpret_cast<LPARAM>(text);
    for (int i = 0; i < SendMessageW(control, tabs ? TCM_GETITEMCOUNT : CB_GETCOUNT, 0, 0); ++i) {
        SendMessageW(control, tabs ? TCM_GETITEMW : CB_GETLBTEXT, i, into);
        items.push_back(forms::Narrow(text));
    }
    return items;
}

// The user's choice of a list item, with its notification.
void Choose(forms::ComboBox& list, int index) {
    list.SetItemIndex(index);
    SendMessageW(GetParent(list.Handle()), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list.Handle()));
}

// Left, top, width and height of a window.
std::vector<int> Place(const forms::Window& w) {
    const forms::Bounds b = w.GetBounds();
    return {b.left, b.top, b.width, b.height};
}

void Mouse(HWND over, UINT msg, WPARAM keys = 0) { SendMessageW(over, msg, keys, MAKELPARAM(20, 5)); }

class ToolsWin : public ::testing::Test {
protected:
    void SetUp() override {
        settings_.ToolsLeft = 120;
        settings_.ToolsTop = 90;
        tools_ = std::make_unique<TToolsWin>(owner_.Handle(), settings_);
        tools_->OnPenChanged = [this](const DrawingAttributes& a) { pen_.push_back({a.penWidth, int(a.lineStyle)}); };
    }

    HostWindow owner_;
    Settings settings_;
    std::unique_ptr<TToolsWin> tools_;
    std::vector<std::vector<int>> pen_;  // width and style of each OnPenChanged
};

TEST_F(ToolsWin, StartsWithItsPagesControlsAndDefaults) {
    EXPECT_TRUE(tools_->Visible());
    EXPECT_EQ(Place(*tools_), (std::vector<int>{120, 90, 192, 195}));
    EXPECT_EQ(Items(tools_->PageControl1.Handle(), true), (Texts{"Typ", "Farby", "Útvar", "Dodatky"}));
    EXPECT_EQ(Items(tools_->ShapeList.Handle(), false),
              (Texts{"elipsa", "kružnica", "obdĺžnik", "štvorec", "zrezaný obdĺžnik", "zrezaný štvorec"}));
    EXPECT_EQ(Items(tools_->LineStyleList.Handle(), false),
              (Texts{"plná", "čiarko-čiarkovaná", "bodkovaná", "čiarko-bodkovaná", "čiarko-bodko-bodkovaná"}));
    Texts captions{tools_->Text(), tools_->ClosePanel1.Text()};
    for (const forms::Control* c : std::initializer_list<const forms::Control*>{
             &tools_->ShapeLabel, &tools_->PenWidthLabel, &tools_->PenWidthEdit, &tools_->LineStyleLabel,
             &tools_->FillCheck, &tools_->FgGroup, &tools_->BgGroup, &tools_->ShapeGroup, &tools_->ShapeText,
             &tools_->ChangeBtn, &tools_->DrawBtn, &tools_->ExtrasGroup, &tools_->AntialiasingCheck})
        captions.push_back(c->Text());
    EXPECT_EQ(captions,
              (Texts{"Náradie", "Náradie", "typ :", "hrúbka :", "1", "čiara :", "Vyplniť útvar", "Orámovanie, popredie",
                     "Výplň, pozadie", "Útvar", "", "Zmeň", "Kresli", "Dodatky", "Antialiasing"}));
    const DrawingAttributes a = tools_->Attributes();
    EXPECT_EQ((std::vector<int>{int(a.shape), a.penWidth, int(a.lineStyle), a.fill}), (std::vector<int>{0, 1, 0, 0}));
}

TEST_F(ToolsWin, AttributesFollowTheControlsAndPenChangesAreReported) {
    Choose(tools_->ShapeList, 4);
    tools_->FillCheck.SetChecked(true);
    EXPECT_TRUE(pen_.empty());  // neither is a pen change
    tools_->PenWidthEdit.SetText("7");
    Choose(tools_->LineStyleList, 3);
    tools_->PenWidthEdit.SetText("80");  // brought into range: one change, to 50
    tools_->PenWidthEdit.SetText("0");
    Choose(tools_->LineStyleList, 4);
    EXPECT_EQ(pen_, (std::vector<std::vector<int>>{{7, 0}, {7, 3}, {50, 3}, {1, 3}, {1, 4}}));
    EXPECT_EQ(tools_->PenWidthEdit.Text(), "1");
    const DrawingAttributes a = tools_->Attributes();
    EXPECT_EQ((std::vector<int>{int(a.shape), a.penWidth, int(a.lineStyle), a.fill}), (std::vector<int>{4, 1, 4, 1}));
}

TEST_F(ToolsWin, RollsDragsAndCloses) {
    tools_->ClosePanel1.RollButton.Click();
    EXPECT_TRUE(settings_.ToolsAutoRollType);
    EXPECT_EQ(Place(*tools_), (std::vector<int>{120, 90, 80, 22}));
    Mouse(tools_->ClosePanel1.Handle(), WM_MOUSEMOVE);  // the pointer over the rolled title opens it
    EXPECT_EQ(Place(*tools_), (std::vector<int>{120, 90, 192, 195}));
    tools_->PointerOverFrame();
    EXPECT_EQ(Place(*tools_), (std::vector<int>{120, 90, 80, 22}));
    tools_->ClosePanel1.RollButton.Click();
    tools_->PointerOverFrame();  // unrolled, it stays open
    EXPECT_FALSE(settings_.ToolsAutoRollType);
    EXPECT_EQ(Place(*tools_), (std::vector<int>{120, 90, 192, 195}));
    SetCursorPos(300, 300);
    Mouse(tools_->ClosePanel1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON);
    SetCursorPos(340, 320);
    Mouse(tools_->ClosePanel1.Handle(), WM_MOUSEMOVE, MK_LBUTTON);
    Mouse(tools_->ClosePanel1.Handle(), WM_LBUTTONUP);
    EXPECT_EQ(Place(*tools_), (std::vector<int>{160, 110, 192, 195}));
    EXPECT_EQ((std::vector<int>{settings_.ToolsLeft, settings_.ToolsTop}), (std::vector<int>{160, 110}));
    int closed = 0;
    tools_->OnClosed = [&] { ++closed; };
    tools_->ClosePanel1.CloseButton.Click();
    EXPECT_EQ((std::vector<int>{tools_->Visible(), closed}), (std::vector<int>{0, 1}));
    settings_.ToolsVisible = false;  // created hidden and rolled, as the settings say
    settings_.ToolsAutoRollType = true;
    TToolsWin rolled(owner_.Handle(), settings_);
    EXPECT_FALSE(rolled.Visible());
    EXPECT_EQ(Place(rolled), (std::vector<int>{160, 110, 80, 22}));
}

TEST_F(ToolsWin, ShapeDialogDescribesTheActivePagesShapeAndKresliDrawsIt) {
    TToolDlg& d = *tools_->ToolDlg;
    std::vector<std::string> drawn;
    tools_->OnDrawShape = [&](const ToolShape& s) { drawn.push_back(DescribeShape(s)); };
    tools_->DrawBtnClick();
    EXPECT_TRUE(drawn.empty());  // nothing entered yet
    TToolDlg::PointFields* groups[] = {&d.Centre,    &d.Radius,  &d.TopLeft,    &d.BottomRight,
                                       &d.LineStart, &d.LineEnd, &d.Coordinates};
    // Each page's groups (from 2 × page on): caption, X, Y; then the description.
    const std::pair<Texts, std::string> pages[] = {
        {{"Stred", "10", "-20", "Polomer", "30", "4"}, "Elipsa\rStred [10,-20]\rPolomer [30,4]"},
        {{"Ľavý horný roh", "1", "2", "Pravý dolný roh", "300", "400"},
         "Obdĺžnik\rPrvý vrchol [1,2]\rDruhý vrchol [300,400]"},
        {{"Začiatok", "5", "x", "Koniec", "99999", ""}, "Čiara\rZačiatok [5,0]\rKoniec [99999,0]"},
        {{"Súradnice", "7", "8"}, "Bod\rSúradnice [7,8]"}};
    for (int page = 0; page < 4; ++page) {
        const auto& [fields, description] = pages[page];
        for (size_t i = 0; i < fields.size(); i += 3) {
            TToolDlg::PointFields& f = *groups[static_cast<size_t>(2 * page) + i / 3];
            EXPECT_EQ(f.Group.Text() + f.XLabel.Text() + f.YLabel.Text(), fields[i] + "XY");
            f.XEdit.SetText(fields[i + 1]);
            f.YEdit.SetText(fields[i + 2]);
        }
        WhenModal([&d, page] {
            d.PageControl1.SetActivePage(page);
            ClickButton(d.DrawBtn.Handle());
        });
        tools_->ChangeBtnClick();
        EXPECT_EQ(tools_->ShapeText.Text(), forms::WithLineFeeds(description));
        tools_->DrawBtnClick();
        ASSERT_EQ(drawn.size(), static_cast<size_t>(page + 1));
        EXPECT_EQ(drawn.back(), description);
    }
    WhenModal([&d] { ClickButton(d.CloseBtn.Handle()); });  // "Zatvor" changes nothing
    tools_->ChangeBtnClick();
    EXPECT_EQ(tools_->ShapeText.Text(), "Bod\r\nSúradnice [7,8]");
}

}  // namespace
}  // namespace kelbo::testing
