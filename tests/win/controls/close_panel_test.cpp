#include "controls/close_panel.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "controls/layout/glyph_art.h"
#include "controls/host_window.h"
#include "forms/handle.h"

namespace kelbo::controls {
namespace {

using testing::HostWindow;
using testing::PumpFor;

constexpr COLORREF kSilver = RGB(192, 192, 192);

void Click(SpeedButton& button) {
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

// Every pixel black where the art is set, silver elsewhere.
void ExpectBitmapShowsArt(HBITMAP bitmap, const GlyphArt& art) {
    ASSERT_NE(bitmap, nullptr);
    const SIZE size = BitmapSize(bitmap);
    ASSERT_EQ(size.cx, art.width);
    ASSERT_EQ(size.cy, art.height);
    forms::UniqueDc dc(CreateCompatibleDC(nullptr));
    forms::SelectGuard select(dc.get(), bitmap);
    for (int y = 0; y < art.height; ++y)
        for (int x = 0; x < art.width; ++x)
            EXPECT_EQ(GetPixel(dc.get(), x, y), GlyphPixelSet(art, x, y) ? RGB(0, 0, 0) : kSilver)
                << art.name << " at " << x << "," << y;
}

class ClosePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel_.Create(host_.Handle(), {0, 0, 200, TClosePanel::kHeight});
        PumpFor(std::chrono::milliseconds(20));
    }

    HostWindow host_;
    TClosePanel panel_;
};

TEST_F(ClosePanelTest, CreationValues) {
    EXPECT_EQ(panel_.Height(), 17);
    EXPECT_EQ(panel_.Text(), "");
    EXPECT_FALSE(panel_.RollType());
    EXPECT_FALSE(panel_.Vertical());
    EXPECT_EQ(static_cast<COLORREF>(panel_.GetColor()), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(static_cast<COLORREF>(panel_.FontColor()), GetSysColor(COLOR_CAPTIONTEXT));
    EXPECT_EQ(GetParent(panel_.RollButton.Handle()), panel_.Handle());
    EXPECT_EQ(GetParent(panel_.CloseButton.Handle()), panel_.Handle());
    EXPECT_TRUE(GetWindowLongW(panel_.RollButton.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongW(panel_.CloseButton.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(IsWindowEnabled(panel_.CloseButton.Handle()));
    EXPECT_EQ(panel_.RollButton.GetBounds().width, 13);
    EXPECT_EQ(panel_.RollButton.GetBounds().height, 13);
    EXPECT_EQ(panel_.RollNumGlyphs(), 1);
    EXPECT_EQ(panel_.CloseNumGlyphs(), 1);
}

TEST_F(ClosePanelTest, MadeTwentyWideBecomesThirty) {
    panel_.SetBounds({0, 0, 20, 17});
    EXPECT_EQ(panel_.Width(), 30);
    EXPECT_EQ(panel_.CloseButton.GetBounds().left, 15);
    EXPECT_EQ(panel_.RollButton.GetBounds().left, 0);
}

TEST_F(ClosePanelTest, CreatedNarrowBecomesThirty) {
    TClosePanel narrow;
    narrow.Create(host_.Handle(), {0, 40, 10, 17});
    EXPECT_EQ(narrow.Width(), 30);
}

TEST_F(ClosePanelTest, ButtonsStandAtTheRight) {
    EXPECT_EQ(panel_.CloseButton.GetBounds(), (forms::Bounds{185, 2, 13, 13}));
    EXPECT_EQ(panel_.RollButton.GetBounds(), (forms::Bounds{170, 2, 13, 13}));
    panel_.SetBounds({0, 0, 120, 17});
    EXPECT_EQ(panel_.CloseButton.GetBounds().left, 105);
    EXPECT_EQ(panel_.RollButton.GetBounds().left, 90);
}

TEST_F(ClosePanelTest, VerticalStacksButtonsAtTheLeft) {
    panel_.SetBounds({0, 0, 17, 200});
    panel_.SetVertical(true);
    EXPECT_EQ(panel_.CloseButton.GetBounds(), (forms::Bounds{2, 2, 13, 13}));
    EXPECT_EQ(panel_.RollButton.GetBounds(), (forms::Bounds{2, 16, 13, 13}));
    panel_.SetBounds({0, 0, 17, 20});
    EXPECT_EQ(panel_.Height(), 30);
    EXPECT_EQ(panel_.Width(), 17);  // only the height has a minimum now
}

TEST_F(ClosePanelTest, TwoRollClicksRestoreRollTypeAndNotifyTwice) {
    int calls = 0;
    bool seen = false;
    panel_.OnRollClick = [&](TClosePanel& sender) {
        ++calls;
        EXPECT_EQ(&sender, &panel_);
        seen = sender.RollType();
    };
    Click(panel_.RollButton);
    EXPECT_TRUE(panel_.RollType());
    EXPECT_TRUE(seen);  // toggled before the notification
    ExpectBitmapShowsArt(panel_.RollGlyph(), kRollUpArt);
    Click(panel_.RollButton);
    EXPECT_FALSE(panel_.RollType());
    EXPECT_EQ(calls, 2);
    ExpectBitmapShowsArt(panel_.RollGlyph(), kRollDownArt);
}

TEST_F(ClosePanelTest, CloseClickNotifiesWithThePanel) {
    int calls = 0;
    panel_.OnCloseClick = [&](TClosePanel& sender) {
        ++calls;
        EXPECT_EQ(&sender, &panel_);
    };
    panel_.OnRollClick = [&](TClosePanel&) { ADD_FAILURE() << "roll"; };
    Click(panel_.CloseButton);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(panel_.RollType());
}

TEST_F(ClosePanelTest, ReleaseOutsideTheButtonIsNoClick) {
    int calls = 0;
    panel_.OnCloseClick = [&](TClosePanel&) { ++calls; };
    SendMessageW(panel_.CloseButton.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(panel_.CloseButton.Pressed());
    SendMessageW(panel_.CloseButton.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 5));
    EXPECT_FALSE(panel_.CloseButton.Pressed());
    SendMessageW(panel_.CloseButton.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
    EXPECT_EQ(calls, 0);
}

TEST_F(ClosePanelTest, PanelMouseEventsReachTheOwner) {
    int downX = -1, moveX = -1;
    panel_.OnMouseDown = [&](forms::MouseButton b, WPARAM, int x, int) {
        EXPECT_EQ(b, forms::MouseButton::kLeft);
        downX = x;
    };
    panel_.OnMouseMove = [&](WPARAM, int x, int) { moveX = x; };
    SendMessageW(panel_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 6));
    SendMessageW(panel_.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(44, 7));
    SendMessageW(panel_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(44, 7));
    EXPECT_EQ(downX, 30);
    EXPECT_EQ(moveX, 44);
}

TEST_F(ClosePanelTest, GlyphResourcesAreLinkedAndMatchTheArt) {
    for (const GlyphArt* art : kAllGlyphArt) {
        const std::wstring name(art->name.begin(), art->name.end());
        forms::UniqueBitmap bitmap(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap) << art->name;
        BITMAP info{};
        GetObjectW(bitmap.get(), sizeof info, &info);
        EXPECT_EQ(info.bmBitsPixel, 4) << art->name;  // 16 colours
        ExpectBitmapShowsArt(bitmap.get(), *art);
    }
}

TEST_F(ClosePanelTest, DrawnGlyphsMatchTheArt) {
    for (const GlyphArt* art : kAllGlyphArt) {
        forms::UniqueBitmap bitmap = DrawGlyph(*art);
        ExpectBitmapShowsArt(bitmap.get(), *art);
    }
}

TEST_F(ClosePanelTest, ButtonsStartWithTheirResourceGlyphs) {
    ExpectBitmapShowsArt(panel_.RollGlyph(), kRollDownArt);
    ExpectBitmapShowsArt(panel_.CloseGlyph(), kCrossArt);
}

TEST_F(ClosePanelTest, GivenGlyphIsUsedAndNoneLoadsTheResource) {
    HDC screen = GetDC(nullptr);
    HBITMAP own = CreateCompatibleBitmap(screen, 26, 13);
    ReleaseDC(nullptr, screen);
    panel_.SetCloseGlyph(forms::UniqueBitmap(own));
    panel_.SetCloseNumGlyphs(2);
    EXPECT_EQ(panel_.CloseGlyph(), own);
    EXPECT_EQ(panel_.CloseNumGlyphs(), 2);
    panel_.SetCloseGlyph({});
    EXPECT_EQ(panel_.CloseNumGlyphs(), 1);
    ExpectBitmapShowsArt(panel_.CloseGlyph(), kCrossArt);
}

TEST_F(ClosePanelTest, ButtonShowsItsGlyph) {
    host_.Show();
    panel_.Repaint();
    PumpFor(std::chrono::milliseconds(50));
    forms::WindowDc dc(panel_.CloseButton.Handle());
    // The 8 x 7 cross is centred on the 13 x 13 button: its top-left pixel at (2, 3).
    EXPECT_EQ(GetPixel(dc.get(), 2, 3), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 4, 3), GetSysColor(COLOR_BTNFACE));  // transparent
    forms::WindowDc title(panel_.Handle());
    EXPECT_EQ(GetPixel(title.get(), 60, 8), GetSysColor(COLOR_ACTIVECAPTION));
}

TEST_F(ClosePanelTest, HandlerMayDestroyThePanel) {
    auto owned = std::make_unique<TClosePanel>();
    owned->Create(host_.Handle(), {0, 40, 100, 17});
    SpeedButton& close = owned->CloseButton;
    const HWND closeHandle = close.Handle();
    owned->OnCloseClick = [&](TClosePanel&) { owned.reset(); };
    SendMessageW(closeHandle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(closeHandle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(owned, nullptr);
    EXPECT_FALSE(IsWindow(closeHandle));
}

}  // namespace
}  // namespace kelbo::controls
