// The painting tools driven by the pointer over a document's view.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "paint/ui/paint_commands.h"

namespace kelbo::testing {
namespace {

constexpr Color kFg = Rgb(200, 0, 0);
constexpr Color kBg = Rgb(0, 0, 250);

class PaintTools : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        form_->SetFgColor(kFg);
        form_->SetBgColor(kBg);
    }
    void Choose(UINT button) { form_->ToolBar2.OnButton(button); }
    void Attributes(int width, bool fill, int style = 0, int shape = 0) {
        TToolsWin& tools = *modules_->Painting().ToolsWin();
        tools.PenWidthEdit.SetText(std::to_string(width));
        tools.FillCheck.SetChecked(fill);
        tools.LineStyleList.SetItemIndex(style);
        tools.ShapeList.SetItemIndex(shape);
    }
    // Press at the first point, move through the others, release at the last.
    static void Drag(TChildWin& doc, const std::vector<Point>& path, bool right = false) {
        const HWND view = doc.Image1.Handle();
        const auto at = [](Point p) { return MAKELPARAM(p.x, p.y); };
        SendMessageW(view, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at(path.front()));
        for (const Point& p : path) SendMessageW(view, WM_MOUSEMOVE, right ? MK_RBUTTON : MK_LBUTTON, at(p));
        SendMessageW(view, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at(path.back()));
        PumpMessages();
    }
    static Bitmap24 PictureOf(const TChildWin& doc) {
        GdiFlush();
        return doc.Image1.Picture()->ToBitmap();
    }
    // The columns of row y that hold `colour`.
    static std::string Row(const Bitmap24& picture, int y, Color colour, int from, int to) {
        std::string row;
        for (int x = from; x <= to; ++x) row += picture.Pixel(x, y) == colour ? '#' : '.';
        return row;
    }
};

TEST_F(PaintTools, BrushLineAndFillPaintWhatTheyShould) {
    TChildWin& doc = AddDocument(40, 30);
    Choose(PenButton);
    Attributes(3, false);
    Drag(doc, {{10, 10}, {14, 10}, {20, 10}});
    Bitmap24 p = PictureOf(doc);
    for (int y : {9, 10, 11}) EXPECT_EQ(Row(p, y, kFg, 10, 20), std::string(11, '#')) << y;
    EXPECT_EQ(Row(p, 13, kFg, 0, 39), std::string(40, '.'));
    EXPECT_TRUE(doc.Modified);
    ASSERT_TRUE(doc.Undo());  // the whole stroke goes
    EXPECT_EQ(PictureOf(doc), Bitmap24(40, 30, colors::kWhite));

    Choose(LineButton);
    Attributes(1, false);
    Drag(doc, {{2, 20}, {30, 25}, {30, 20}}, true);  // the rubber band never touches the picture
    p = PictureOf(doc);
    EXPECT_EQ(Row(p, 20, kBg, 2, 29), std::string(28, '#'));
    EXPECT_EQ(Row(p, 22, kBg, 0, 39), std::string(40, '.'));

    // The fill repaints the connected area of the pen colour with the brush.
    Choose(FillButton);
    Attributes(1, true);
    Drag(doc, {{5, 20}});  // on the blue line, with the right button the pen is the background colour
    EXPECT_EQ(PictureOf(doc), p);
    Drag(doc, {{5, 20}}, true);
    EXPECT_EQ(Row(PictureOf(doc), 20, kFg, 2, 29), std::string(28, '#'));
}

TEST_F(PaintTools, ShapesCropAndZoom) {
    TChildWin& doc = AddDocument(40, 30);
    Choose(ShapeButton);
    Attributes(1, false, 0, 2);
    Drag(doc, {{5, 5}, {30, 28}, {15, 12}});
    Bitmap24 p = PictureOf(doc);
    EXPECT_EQ(Row(p, 5, kFg, 5, 14), std::string(10, '#'));
    EXPECT_EQ(Row(p, 8, kFg, 5, 14), "#........#");
    Attributes(1, true, 0, 2);
    Drag(doc, {{20, 15}, {26, 20}});
    p = PictureOf(doc);
    EXPECT_EQ(Row(p, 17, kBg, 20, 25), ".####.");

    Choose(CropButton);
    const Bitmap24 before = PictureOf(doc);
    Drag(doc, {{25, 18}, {3, 4}});
    const Bitmap24 backwards = PictureOf(doc);
    ASSERT_TRUE(doc.Undo());
    ASSERT_EQ(PictureOf(doc), before);
    Drag(doc, {{3, 4}, {25, 18}});
    EXPECT_EQ(doc.PictureSize(), (Size{22, 14}));
    EXPECT_EQ(PictureOf(doc), backwards);
    EXPECT_EQ(PictureOf(doc).Pixel(2, 1), before.Pixel(5, 5));

    Choose(ZoomButton);
    const Size view = doc.ViewSize();
    Drag(doc, {{1, 1}});
    Drag(doc, {{1, 1}});
    EXPECT_EQ(doc.ViewSize(), (Size{50, 32}));  // 22 → 33 → 49.5 → 50; 14 → 21 → 31.5 → 32
    Drag(doc, {{1, 1}}, true);
    EXPECT_EQ(doc.ViewSize(), (Size{33, 21}));
    EXPECT_EQ(doc.PictureSize(), (Size{22, 14}));
    EXPECT_NE(view, doc.ViewSize());
}

TEST_F(PaintTools, PickFollowsTheZoomedViewAndTheToolSetsThePointer) {
    TChildWin& doc = AddDocument(20, 10);
    doc.Image1.Picture()->View().SetPixel(15, 5, Rgb(1, 2, 3));
    doc.SetViewSize({40, 20});
    Choose(PickButton);
    Drag(doc, {{30, 10}});
    EXPECT_EQ(form_->Options.FgColor, Rgb(1, 2, 3));
    EXPECT_EQ(form_->CurrentTool, 2);
}

}  // namespace
}  // namespace kelbo::testing
