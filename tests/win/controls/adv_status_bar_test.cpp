#include "controls/adv_status_bar.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "controls/host_window.h"
#include "forms/controls.h"

namespace kelbo::controls {
namespace {

using testing::HostWindow;

forms::Bounds Inset(RECT r, int by) {
    return {r.left + by, r.top + by, r.right - r.left - 2 * by, r.bottom - r.top - 2 * by};
}

class AdvStatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar_.Create(host_.Handle());
        bar_.FitToParent();
        bar_.SetPanelWidths({60, 200, 100});
    }

    HostWindow host_{500, 300};
    TAdvStatusBar bar_;
};

TEST_F(AdvStatusBarTest, ClipsItsChildren) {
    EXPECT_TRUE(GetWindowLongPtrW(bar_.Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST_F(AdvStatusBarTest, PlacedChildFillsItsPanel) {
    forms::ProgressBar progress;
    progress.Create(host_.Handle(), {0, 0, 10, 10});
    bar_.PlaceInPanel(progress, 1);
    EXPECT_EQ(GetParent(progress.Handle()), bar_.Handle());
    EXPECT_TRUE(GetWindowLongW(progress.Handle(), GWL_STYLE) & WS_VISIBLE);
    const RECT panel = bar_.PanelRect(1);
    EXPECT_GT(panel.right - panel.left, 150);
    EXPECT_EQ(progress.GetBounds(), Inset(panel, 2));
}

TEST_F(AdvStatusBarTest, ChildFollowsItsPanelOnResize) {
    forms::ProgressBar progress;
    progress.Create(bar_.Handle(), {0, 0, 10, 10});
    bar_.PlaceInPanel(progress, 1, 3);
    const forms::Bounds first = progress.GetBounds();

    bar_.SetPanelWidths({80, 300, 100});
    const RECT moved = bar_.PanelRect(1);
    EXPECT_GT(moved.left, first.left);
    EXPECT_EQ(progress.GetBounds(), Inset(moved, 3));
    EXPECT_NE(progress.GetBounds(), first);

    MoveWindow(host_.Handle(), 50, 50, 700, 360, TRUE);
    bar_.FitToParent();
    EXPECT_EQ(progress.GetBounds(), Inset(bar_.PanelRect(1), 3));
}

TEST_F(AdvStatusBarTest, ChildInAMissingPanelIsEmptyAndDestroyedChildrenDropOut) {
    forms::ProgressBar progress;
    progress.Create(bar_.Handle(), {0, 0, 10, 10});
    bar_.PlaceInPanel(progress, 7);
    EXPECT_EQ(progress.GetBounds().width, 0);
    {
        forms::ProgressBar gone;
        gone.Create(bar_.Handle(), {0, 0, 10, 10});
        bar_.PlaceInPanel(gone, 0);
    }
    bar_.SetPanelWidths({60, 100, 100});  // must not touch the destroyed child
    bar_.PlaceInPanel(progress, 2);
    EXPECT_EQ(progress.GetBounds(), Inset(bar_.PanelRect(2), 2));
}

TEST_F(AdvStatusBarTest, UnplacedChildStaysPut) {
    forms::ProgressBar progress;
    progress.Create(bar_.Handle(), {0, 0, 10, 10});
    bar_.PlaceInPanel(progress, 1);
    const forms::Bounds placed = progress.GetBounds();
    bar_.Unplace(progress.Handle());
    bar_.SetPanelWidths({90, 250, 100});
    EXPECT_EQ(progress.GetBounds(), placed);
}

TEST_F(AdvStatusBarTest, ChildNotificationsReachTheirObjects) {
    forms::Button button;
    button.Create(bar_.Handle(), {0, 0, 40, 16}, "OK");
    bar_.PlaceInPanel(button, 2);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(AdvStatusBarTest, PanelTextsStillWork) {
    bar_.SetPanelText(0, "12 : 34");
    bar_.SetPanelText(2, "[640, 480]", true);
    EXPECT_EQ(bar_.PanelText(0), "12 : 34");
    EXPECT_EQ(bar_.PanelText(2), "[640, 480]");
}

}  // namespace
}  // namespace kelbo::controls
