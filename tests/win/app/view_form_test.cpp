#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_menu.h"
#include "forms/menu.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

TEST_F(MainWindow, HasItsClassCaptionBarsAndEmptyMdiClient) {
    HWND frame = form_->Handle();
    EXPECT_EQ(ClassNameOf(frame), "TViewForm");
    EXPECT_EQ(form_->Text(), "Kelbo");
    EXPECT_EQ(FindWindowW(L"TViewForm", L"Kelbo"), frame);
    HWND client = form_->ClientHandle();
    ASSERT_TRUE(IsWindow(client));
    EXPECT_EQ(_stricmp(ClassNameOf(client).c_str(), "MDICLIENT"), 0);
    EXPECT_EQ(GetWindow(client, GW_CHILD), nullptr) << "no document is open at start";
    EXPECT_TRUE(form_->ToolBar1.Visible());
    EXPECT_TRUE(form_->ToolBar2.Visible());
    EXPECT_FALSE(form_->ToolBar4.Visible()) << "the warping bar is hidden at start";
    EXPECT_TRUE(form_->ToolBar2.Down(ArrowButton));
    EXPECT_TRUE(form_->ToolBar4.Down(AddButton));
    EXPECT_TRUE(form_->ToolBar4.Down(NoWarpButton));
}

TEST_F(MainWindow, ToolBarsHaveTheirHintsAndButtons) {
    EXPECT_EQ(form_->ToolBar1.ButtonCount(), 19);  // 15 buttons and 4 separators
    EXPECT_EQ(form_->ToolBar2.ButtonCount(), 9);
    EXPECT_EQ(form_->ToolBar1.Hint(WarpingButton), "Otvoriť súbor s okne pre Warping");
    EXPECT_EQ(form_->ToolBar1.Hint(MaximButton), "Natiahnutie programu na celú obrazovku");
    EXPECT_EQ(form_->ToolBar2.Hint(ShapeButton), "Rôzne geomtrické útvary (elipsa, kružnica, obdĺžnik...)");
    EXPECT_EQ(form_->ToolBar4.Hint(SpeedButton1), "Ulož sieť na disk...");
}

TEST_F(MainWindow, TheSplitControlIsMadeWithTheWindowAndWorksOnIt) {
    ASSERT_NE(form_->SplitControl, nullptr);
    EXPECT_EQ(form_->SplitControl->Form(), form_->Handle());
    EXPECT_FALSE(form_->SplitControl->IsDragging());
}

TEST_F(MainWindow, ToolButtonsOfBar2ChooseTheTool) {
    form_->ToolBar2.SetDown(FillButton, true);
    SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(FillButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form_->ToolBar2.Handle()));
    EXPECT_EQ(form_->CurrentTool, 5);
    EXPECT_FALSE(form_->ToolBar2.Down(ArrowButton)) << "one group: only one button down";
    // The crop button stands before the text button, but text is tool 7 and crop 8.
    for (auto [button, tool] : {std::pair{TextButton, 7}, std::pair{CropButton, 8}}) {
        SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form_->ToolBar2.Handle()));
        EXPECT_EQ(form_->CurrentTool, tool);
    }
}

TEST_F(MainWindow, StatusBarPanelsFollowTheWidth) {
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    const RECT p0 = form_->StatusBar1.PanelRect(0);
    const RECT p1 = form_->StatusBar1.PanelRect(1);
    const RECT p2 = form_->StatusBar1.PanelRect(2);
    EXPECT_EQ(p0.right - p0.left, 60);
    RECT client{};
    GetClientRect(form_->Handle(), &client);
    EXPECT_EQ(p1.right - p0.right, client.right - 160);
    EXPECT_GE(p2.right - p1.right, 100 - 4);  // the last panel ends at the size grip
    const forms::Bounds info = form_->StatusInfo.GetBounds();
    EXPECT_EQ(info.width, client.right - 160 - 4);
}

TEST_F(MainWindow, ColorSettersPaintTheBoxes) {
    form_->SetFgColor(Rgb(255, 0, 0));
    form_->SetBgColor(Rgb(0, 0, 255));
    EXPECT_EQ(form_->Panel1.FgColor.GetColor(), Rgb(255, 0, 0));
    EXPECT_EQ(form_->Panel1.BgColor.GetColor(), Rgb(0, 0, 255));
}

TEST_F(MainWindow, ColorChartPressSetsForegroundAndBackground) {
    // Row 0 is red; column 22 holds the full colour.
    SendMessageW(form_->Panel1.Image1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(22, 0));
    SendMessageW(form_->Panel1.Image1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(22, 0));
    EXPECT_EQ(form_->Options.FgColor, Rgb(255, 0, 0));
    SendMessageW(form_->Panel1.Image1.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(0, 50));
    SendMessageW(form_->Panel1.Image1.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(0, 50));
    EXPECT_EQ(form_->Options.BgColor, Rgb(0, 0, 0)) << "the left column is black";
}

TEST_F(MainWindow, InformationPanelMenuItemTogglesThePanel) {
    ASSERT_TRUE(forms::ItemChecked(Menu(), Informanlita1));
    form_->RunCommand(Informanlita1);
    EXPECT_FALSE(forms::ItemChecked(Menu(), Informanlita1));
    EXPECT_FALSE(form_->Panel1.Visible());
    form_->RunCommand(Informanlita1);
    EXPECT_TRUE(form_->Panel1.Visible());
}

TEST_F(MainWindow, ClosingAsksOnlyWithExitQuestion) {
    int asked = 0;
    form_->Answer = [&](std::string_view text, UINT) {
        ++asked;
        EXPECT_EQ(text, "Chcete naozaj vypnúť tento program ?");
        return IDNO;
    };
    form_->Options.ExitQuestion = true;
    form_->Close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form_->Exists()) << "No keeps the program running";
    form_->Options.ExitQuestion = false;
    form_->Close();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(form_->Exists());
}

TEST(ViewFormLoop, DestroyingTheWindowEndsTheMessageLoop) {
    TViewForm form(StartOptions{true, true, true, {}});
    form.Create();
    PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form.RunMessageLoop(), 0);
    EXPECT_FALSE(form.Exists());
}

}  // namespace
}  // namespace kelbo::testing
