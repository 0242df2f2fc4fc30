#include "controls/split_control.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "controls/host_window.h"
#include "forms/panel.h"

namespace kelbo::controls {
namespace {

using testing::HostWindow;

// A target panel with a splitter along its right edge (vertical) and one
// along the bottom edge of another target (horizontal).
class SplitControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        left_.Create(host_.Handle(), {0, 0, 100, 200});
        vertical_.Create(host_.Handle(), {100, 0, 4, 200});
        top_.Create(host_.Handle(), {120, 0, 200, 80});
        horizontal_.Create(host_.Handle(), {120, 80, 200, 5});
    }

    HostWindow host_{500, 400};
    forms::Panel left_, vertical_, top_, horizontal_;
};

TEST_F(SplitControlTest, BeginDragSetsTheFields) {
    TSplitControl split(host_);
    EXPECT_FALSE(split.IsDragging());
    split.BeginDrag(vertical_, left_);
    EXPECT_TRUE(split.IsDragging());
    EXPECT_EQ(split.Splitter(), vertical_.Handle());
    EXPECT_EQ(split.Target(), left_.Handle());
    EXPECT_FALSE(split.Horizontal());
    EXPECT_EQ(split.Position().x, 0);
    EXPECT_EQ(split.Position().y, 0);
    EXPECT_EQ(GetCapture(), vertical_.Handle());
    split.EndDrag();
    EXPECT_FALSE(split.IsDragging());
    EXPECT_EQ(split.Splitter(), nullptr);
    EXPECT_NE(GetCapture(), vertical_.Handle());
}

TEST_F(SplitControlTest, ReleasedWhereItBeganLeavesTheTarget) {
    TSplitControl split(host_);
    split.BeginDrag(vertical_, left_);
    split.EndDrag();
    EXPECT_EQ(left_.GetBounds(), (forms::Bounds{0, 0, 100, 200}));

    split.BeginDrag(horizontal_, top_);
    EXPECT_TRUE(split.Horizontal());
    split.MoveTo(0, 30);
    split.MoveTo(0, 0);
    split.EndDrag();
    EXPECT_EQ(top_.GetBounds(), (forms::Bounds{120, 0, 200, 80}));
}

TEST_F(SplitControlTest, VerticalSplitterDraggedRightWidensTheTarget) {
    TSplitControl split(host_);
    split.BeginDrag(vertical_, left_);
    split.MoveTo(10, 50);
    split.MoveTo(40, 90);  // y is ignored by a vertical splitter
    EXPECT_EQ(split.Position().x, 40);
    EXPECT_EQ(split.Position().y, 0);
    split.EndDrag();
    EXPECT_EQ(left_.GetBounds(), (forms::Bounds{0, 0, 140, 200}));
}

TEST_F(SplitControlTest, HorizontalSplitterDraggedUpShortensTheTarget) {
    TSplitControl split(host_);
    split.BeginDrag(horizontal_, top_);
    split.MoveTo(70, -25);
    split.EndDrag();
    EXPECT_EQ(top_.GetBounds(), (forms::Bounds{120, 0, 200, 55}));
}

TEST_F(SplitControlTest, DragBeyondTheTargetsOriginGivesZeroNotNegative) {
    TSplitControl split(host_);
    split.BeginDrag(vertical_, left_);
    split.MoveTo(-500, 0);
    split.EndDrag();
    EXPECT_EQ(left_.Width(), 0);
}

// The line is drawn twice at each place (draw, erase), so the form's pixels
// come back as they were; while it shows, they are inverted.
TEST_F(SplitControlTest, TheLineIsExclusiveOrAndErasesItself) {
    host_.Show();
    forms::Panel splitter;
    splitter.Create(host_.Handle(), {200, 210, 6, 100}, "", false);
    RedrawWindow(host_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC probe = GetDC(host_.Handle());
    const COLORREF before = GetPixel(probe, 240, 250);
    TSplitControl split(host_);
    split.BeginDrag(splitter, left_);
    split.MoveTo(40, 0);
    const COLORREF during = GetPixel(probe, 240, 250);
    split.MoveTo(60, 0);
    const COLORREF moved = GetPixel(probe, 240, 250);
    split.EndDrag();
    ReleaseDC(host_.Handle(), probe);
    EXPECT_EQ(during, before ^ 0xFFFFFF);
    EXPECT_EQ(moved, before);
}

TEST_F(SplitControlTest, DestroyedMidDragLeavesTheTargetAndCapture) {
    {
        TSplitControl split(host_);
        split.BeginDrag(vertical_, left_);
        split.MoveTo(30, 0);
    }
    EXPECT_EQ(left_.Width(), 100);
    EXPECT_NE(GetCapture(), vertical_.Handle());
}

TEST_F(SplitControlTest, CallsWithoutADragDoNothing) {
    TSplitControl split(host_);
    split.MoveTo(10, 10);
    split.EndDrag();
    split.BeginDrag(nullptr, left_.Handle());
    EXPECT_FALSE(split.IsDragging());
    EXPECT_EQ(left_.Width(), 100);
}

}  // namespace
}  // namespace kelbo::controls
