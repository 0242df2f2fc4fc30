// The dialogs of the point colour operations and of the HSL change, with
// their commands in the main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "imaging/colour/ui/cmy_dial.h"
#include "imaging/colour/ui/gama_dial.h"
#include "imaging/colour/ui/hsl_dial.h"
#include "imaging/colour/ui/rgb_dial.h"
#include "imaging/colour/ui/thres_dial.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

// Work for a modal dialog: it runs from the dialog's own message loop.
std::function<void()>& PendingWork() {
    static std::function<void()> work;
    return work;
}

void CALLBACK RunPendingWork(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> work = std::move(PendingWork());
    PendingWork() = nullptr;
    if (work) work();
}

void WhenModal(std::function<void()> work) {
    PendingWork() = std::move(work);
    SetTimer(nullptr, 0, 0, RunPendingWork);
}

void Click(const forms::Control& control) { SendMessageW(control.Handle(), BM_CLICK, 0, 0); }

LRESULT TextLimit(const forms::Edit& edit) { return SendMessageW(edit.Handle(), EM_GETLIMITTEXT, 0, 0); }

std::pair<int, int> Range(const forms::UpDown& arrows) {
    int low = 0;
    int high = 0;
    SendMessageW(arrows.Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    return {low, high};
}

void Fill(TChildWin& doc, Color color) { doc.Image1.Picture()->View().Fill(color); }

Color PixelOf(const TChildWin& doc, int x, int y) {
    GdiFlush();
    return doc.Image1.Picture()->View().Pixel(x, y);
}

bool UndoEnabled(HMENU menu) { return !(GetMenuState(menu, Undokroksp1, MF_BYCOMMAND) & MF_GRAYED); }

// A main window with one of the dialogs that live for the whole run.
template <typename Dialog>
class WithDialog : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        ColourCommands& colour = modules_->Colour();
        if constexpr (std::is_same_v<Dialog, TRGBDial>) dial_ = colour.RgbDial();
        if constexpr (std::is_same_v<Dialog, TCMYdial>) dial_ = colour.CmyDial();
        if constexpr (std::is_same_v<Dialog, TThresDial>) dial_ = colour.ThresDial();
        if constexpr (std::is_same_v<Dialog, THSLDial>) dial_ = colour.HslDial();
    }

    // Runs the command; `work` fills in the dialog once it is up.
    void RunWithDialog(Command command, std::function<void(Dialog&)> work) {
        bool ran = false;
        WhenModal([this, &ran, work] {
            ran = true;
            work(*dial_);
        });
        form_->RunCommand(command);
        EXPECT_TRUE(ran) << "the dialog did not come up";
    }

    Dialog* dial_ = nullptr;
};

// ---- "Zmeň farbu..."

using RgbDialog = WithDialog<TRGBDial>;

TEST_F(RgbDialog, FieldsAreCorrectedAsTheyChange) {
    TRGBDial& d = *dial_;
    EXPECT_EQ(d.Text(), "Zmeň farbu...");
    for (forms::Edit* e : {&d.Edit1, &d.Edit2, &d.Edit3}) {
        EXPECT_EQ(e->Text(), "100");
        EXPECT_EQ(TextLimit(*e), 3);
    }
    EXPECT_EQ(Range(d.UpDown1), std::make_pair(0, 300));
    EXPECT_EQ(Range(d.UpDown4), std::make_pair(0, 100));
    d.Edit2.SetText("1x");
    EXPECT_EQ(d.Edit2.Text(), "0");
    d.Edit3.SetText("");
    EXPECT_EQ(d.Edit3.Text(), "0");

    EXPECT_EQ(d.Edit4.Text(), "1");
    EXPECT_EQ(TextLimit(d.Edit4), 3);
    d.Edit4.SetText("300");
    EXPECT_EQ(d.Edit4.Text(), "255");
    d.Edit4.SetText("-");
    EXPECT_EQ(d.Edit4.Text(), "1");
}

TEST_F(RgbDialog, ExceptWhiteSwitchesTheRangeField) {
    TRGBDial& d = *dial_;
    EXPECT_FALSE(d.CheckBox1.Checked());
    EXPECT_FALSE(d.Edit4.Enabled());
    EXPECT_FALSE(d.Label4.Enabled());
    EXPECT_FALSE(d.UpDown4.Enabled());
    Click(d.CheckBox1);
    EXPECT_TRUE(d.CheckBox1.Checked());
    EXPECT_TRUE(d.Edit4.Enabled());
    EXPECT_TRUE(d.Label4.Enabled());
    EXPECT_TRUE(d.UpDown4.Enabled());
    EXPECT_TRUE(d.Values().exceptWhite);
}

TEST_F(RgbDialog, OkScalesTheChannelsOfTheDocument) {
    TChildWin& doc = AddDocument(4, 3);
    Fill(doc, Rgb(100, 10, 10));
    RunWithDialog(ZmeRGB1, [](TRGBDial& d) {
        d.Edit1.SetText("300");
        d.Edit2.SetText("50");  // 10 * 50 div 100 = 5
        Click(d.OKBtn);
    });
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(255, 5, 10));
    EXPECT_EQ(PixelOf(doc, 3, 2), Rgb(255, 5, 10));
    EXPECT_EQ(doc.UndoPosition(), 1);
    EXPECT_TRUE(doc.Modified);
    EXPECT_TRUE(UndoEnabled(Menu()));
}

TEST_F(RgbDialog, OkKeepsNearWhitePixelsWhenAsked) {
    TChildWin& doc = AddDocument(2, 1);
    doc.Image1.Picture()->View().SetPixel(0, 0, Rgb(255, 255, 255));
    doc.Image1.Picture()->View().SetPixel(1, 0, Rgb(255, 255, 254));
    RunWithDialog(ZmeRGB1, [](TRGBDial& d) {
        d.Edit1.SetText("0");
        d.Edit2.SetText("100");
        d.Edit3.SetText("100");
        Click(d.CheckBox1);
        d.Edit4.SetText("1");
        Click(d.OKBtn);
    });
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(PixelOf(doc, 1, 0), Rgb(0, 255, 254));
}

TEST_F(RgbDialog, ZatvorLeavesTheDocumentAndItsUndoAlone) {
    TChildWin& doc = AddDocument(3, 3);
    Fill(doc, Rgb(100, 10, 10));
    RunWithDialog(ZmeRGB1, [](TRGBDial& d) {
        d.Edit1.SetText("300");
        Click(d.CancelBtn);
    });
    EXPECT_EQ(PixelOf(doc, 1, 1), Rgb(100, 10, 10));
    EXPECT_EQ(doc.UndoPosition(), 0);
    EXPECT_FALSE(doc.Modified);
    EXPECT_FALSE(UndoEnabled(Menu()));
}

TEST_F(RgbDialog, PreviewShowsTheResultAfterATickOnlyWithFastView) {
    // 288 x 214 fills the 144 x 107 thumbnail at half scale, edge to edge.
    TChildWin& doc = AddDocument(288, 214);
    Fill(doc, Rgb(100, 10, 10));
    form_->CurrentDocument = &doc;
    TRGBDial& d = *dial_;
    d.Edit1.SetText("0");
    d.Preview.Activate(form_->Imaging());
    ASSERT_TRUE(d.Preview.Image2.Picture());
    EXPECT_EQ(d.Preview.Image1.Picture()->View().Pixel(70, 50), Rgb(100, 10, 10));

    Click(d.Preview.FastView);
    EXPECT_FALSE(d.Preview.FastView.Checked());
    d.Preview.Tick();
    EXPECT_EQ(d.Preview.Image2.Picture()->View().Pixel(70, 50), Rgb(100, 10, 10));
    EXPECT_TRUE(d.Preview.OutOfDate());

    Click(d.Preview.FastView);
    d.Preview.Tick();
    EXPECT_EQ(d.Preview.Image2.Picture()->View().Pixel(70, 50), Rgb(0, 10, 10));
    EXPECT_EQ(d.Preview.Image1.Picture()->View().Pixel(70, 50), Rgb(100, 10, 10));
    EXPECT_FALSE(d.Preview.OutOfDate());
    d.Preview.Deactivate();
    // The preview never touches the document.
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(100, 10, 10));
}

// ---- "Zmeň CMY"

using CmyDialog = WithDialog<TCMYdial>;

TEST_F(CmyDialog, FieldsThatAreNoNumberBecome100OnTheTick) {
    TCMYdial& d = *dial_;
    EXPECT_EQ(d.Text(), "Zmeň CMY");
    EXPECT_EQ(Range(d.UpDown2), std::make_pair(0, 500));
    EXPECT_EQ(d.Edit3.Text(), "100");
    d.Edit1.SetText("abc");
    d.Edit2.SetText("");
    d.Edit3.SetText("250");
    EXPECT_EQ(d.Edit1.Text(), "abc");  // not before the tick
    d.Preview.Tick();
    EXPECT_EQ(d.Edit1.Text(), "100");
    EXPECT_EQ(d.Edit2.Text(), "100");
    EXPECT_EQ(d.Edit3.Text(), "250");
}

TEST_F(CmyDialog, OkWithNoInkTurnsTheDocumentWhite) {
    TChildWin& doc = AddDocument(3, 2);
    Fill(doc, Rgb(100, 10, 200));
    RunWithDialog(ZmeCMYK1, [](TCMYdial& d) {
        for (forms::Edit* e : {&d.Edit1, &d.Edit2, &d.Edit3}) e->SetText("0");
        Click(d.OKBtn);
    });
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(PixelOf(doc, 2, 1), Rgb(255, 255, 255));
    EXPECT_EQ(doc.UndoPosition(), 1);
}

TEST_F(CmyDialog, OkScalesTheComplements) {
    TChildWin& doc = AddDocument(1, 1);
    Fill(doc, Rgb(100, 10, 200));
    RunWithDialog(ZmeCMYK1, [](TCMYdial& d) {
        d.Edit1.SetText("200");  // C 155 -> 255 (limited): R 0
        d.Edit2.SetText("50");   // M 245 -> 122: G 133
        d.Edit3.SetText("100");  // Y 55 stays: B 200
        Click(d.OKBtn);
    });
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(0, 133, 200));
}

// ---- "Gama korekcia"

class GammaDialog : public MainWindow {
protected:
    TGamaDial& Open() {
        form_->RunCommand(Gamakorekcia1);
        PumpMessages();
        TGamaDial* d = modules_->Colour().GammaDialog();
        if (!d) throw std::runtime_error("no gamma dialog");
        return *d;
    }
};

TEST_F(GammaDialog, LinkedTrackBarsMoveTogetherAndShowTwoDecimals) {
    AddDocument(2, 2);
    TGamaDial& d = Open();
    EXPECT_EQ(d.Text(), "Gama korekcia");
    EXPECT_TRUE(d.Visible());
    EXPECT_TRUE(d.CheckBox1.Checked());
    for (forms::TrackBar* t : {&d.TrackBar1, &d.TrackBar2, &d.TrackBar3}) {
        EXPECT_EQ(t->Position(), 100);
        EXPECT_EQ(SendMessageW(t->Handle(), TBM_GETRANGEMIN, 0, 0), 1);
        EXPECT_EQ(SendMessageW(t->Handle(), TBM_GETRANGEMAX, 0, 0), 250);
    }
    for (forms::Edit* e : {&d.Edit1, &d.Edit2, &d.Edit3}) {
        EXPECT_EQ(e->Text(), "1.00");
        EXPECT_EQ(TextLimit(*e), 4);
        EXPECT_TRUE(GetWindowLongW(e->Handle(), GWL_STYLE) & ES_READONLY);
    }

    d.TrackBar2.SetPosition(5);
    EXPECT_EQ(d.TrackBar1.Position(), 5);
    EXPECT_EQ(d.TrackBar3.Position(), 5);
    EXPECT_EQ(d.Edit1.Text(), "0.05");
    EXPECT_EQ(d.Edit2.Text(), "0.05");
    EXPECT_EQ(d.Edit3.Text(), "0.05");

    Click(d.CheckBox1);
    EXPECT_FALSE(d.CheckBox1.Checked());
    d.TrackBar3.SetPosition(250);
    EXPECT_EQ(d.Edit3.Text(), "2.50");
    EXPECT_EQ(d.TrackBar1.Position(), 5);
    EXPECT_EQ(d.Edit1.Text(), "0.05");
}

TEST_F(GammaDialog, SnapshotComesFirstAndOkChangesTheDocument) {
    TChildWin& doc = AddDocument(2, 1);
    doc.Image1.Picture()->View().SetPixel(0, 0, Rgb(100, 0, 255));
    doc.Image1.Picture()->View().SetPixel(1, 0, Rgb(4, 9, 16));
    TGamaDial& d = Open();
    // Taken as the dialog opened, before anything changed.
    EXPECT_EQ(doc.UndoPosition(), 1);
    EXPECT_TRUE(UndoEnabled(Menu()));
    d.TrackBar1.SetPosition(50);  // gamma 0.50 on every channel
    Click(d.OKBtn);
    PumpMessages();
    EXPECT_FALSE(d.Visible());
    // 100^0.5 = 10, 0 counts as 1, 255^0.5 = 15.97
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(10, 1, 16));
    EXPECT_EQ(PixelOf(doc, 1, 0), Rgb(2, 3, 4));
    EXPECT_EQ(doc.UndoPosition(), 1);
    EXPECT_TRUE(doc.Modified);
    // The snapshot holds the picture from before the dialog.
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(100, 0, 255));
}

TEST_F(GammaDialog, OkChangesTheDocumentActiveAtThatMoment) {
    TChildWin& first = AddDocument(1, 1);
    Fill(first, Rgb(100, 100, 100));
    Open();
    TChildWin& second = AddDocument(1, 1);
    Fill(second, Rgb(4, 4, 4));
    TGamaDial& d = *modules_->Colour().GammaDialog();
    d.TrackBar1.SetPosition(200);  // 4^2 = 16
    Click(d.OKBtn);
    PumpMessages();
    EXPECT_EQ(PixelOf(first, 0, 0), Rgb(100, 100, 100));
    EXPECT_EQ(PixelOf(second, 0, 0), Rgb(16, 16, 16));
    // The changed document can go back, too.
    EXPECT_EQ(second.UndoPosition(), 1);
}

TEST_F(GammaDialog, EachUseStartsAtOneAndZatvorChangesNothing) {
    TChildWin& doc = AddDocument(1, 1);
    Fill(doc, Rgb(9, 9, 9));
    TGamaDial& first = Open();
    first.TrackBar1.SetPosition(150);
    Click(first.CancelBtn);
    PumpMessages();
    EXPECT_FALSE(first.Visible());
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(9, 9, 9));
    TGamaDial& second = Open();
    EXPECT_EQ(second.TrackBar1.Position(), 100);
    EXPECT_EQ(second.Edit1.Text(), "1.00");
    EXPECT_EQ(second.Values().red, 100);
    Click(second.CancelBtn);
}

// ---- "Prahovanie / Thresholding"

using ThresholdDialog = WithDialog<TThresDial>;

TEST_F(ThresholdDialog, TimerResetsFieldsAndKeepsTheBoundsInOrder) {
    TThresDial& d = *dial_;
    EXPECT_EQ(d.Text(), "Prahovanie / Thresholding");
    EXPECT_EQ(Range(d.UpDown3), std::make_pair(0, 100));
    EXPECT_EQ(d.Label4.Text(), "Hodnota na <0,0>");
    EXPECT_EQ(d.Label5.Text(), "Hodnota na <0,0>");
    EXPECT_EQ(d.StaticText1.Text(), "Farba");

    d.Edit1.SetText("x");
    d.Edit2.SetText("200");
    d.Edit3.SetText("250");
    d.Timer1Timer();
    EXPECT_EQ(d.Edit1.Text(), "0");
    EXPECT_EQ(d.Edit3.Text(), "200");
    EXPECT_EQ(d.Label4.Text(), "Hodnota na <0,200>");
    EXPECT_EQ(d.Label5.Text(), "Hodnota na <200,200>");

    d.Edit1.SetText("100");
    d.Edit2.SetText("20");
    d.Edit3.SetText("5");
    d.Timer1Timer();
    EXPECT_EQ(d.Edit2.Text(), "100");
    EXPECT_EQ(d.Edit3.Text(), "100");
    EXPECT_EQ(d.Label4.Text(), "Hodnota na <100,100>");
    EXPECT_EQ(d.Label5.Text(), "Hodnota na <100,100>");
}

TEST_F(ThresholdDialog, ClickingASwatchPicksItsColour) {
    TThresDial& d = *dial_;
    Color offered = 0;
    bool confirm = true;
    d.ColorPicker = [&](Color& c) {
        offered = c;
        if (!confirm) return false;
        c = Rgb(1, 2, 3);
        return true;
    };
    const Color before = d.StaticText2.GetColor();
    SendMessageW(d.StaticText1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(d.StaticText1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(d.StaticText1.GetColor(), Rgb(1, 2, 3));
    confirm = false;
    SendMessageW(d.StaticText2.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(d.StaticText2.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(offered, before);  // preset with the swatch's colour
    EXPECT_EQ(d.StaticText2.GetColor(), before);
}

// What the screen shows at a point of a window's client area.
Color ScreenColourAt(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return static_cast<Color>(c);
}

TEST_F(ThresholdDialog, TheSwatchesShowTheirColoursInsideTheirGroup) {
    AddDocument(2, 2);
    Color shown1 = 0, shown2 = 0;
    RunWithDialog(PrahovanieThresholding1, [&](TThresDial& d) {
        d.StaticText1.SetColor(Rgb(200, 0, 0));
        d.StaticText2.SetColor(Rgb(0, 0, 200));
        RedrawWindow(d.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        // Wine hands a window's drawing to the X server a moment later.
        for (int i = 0; i < 5; ++i) {
            PumpMessages();
            Sleep(40);
        }
        shown1 = ScreenColourAt(d.StaticText1.Handle(), 6, 6);
        shown2 = ScreenColourAt(d.StaticText2.Handle(), 6, 6);
        Click(d.CancelBtn);
    });
    EXPECT_EQ(shown1, Rgb(200, 0, 0));
    EXPECT_EQ(shown2, Rgb(0, 0, 200));
}

TEST_F(ThresholdDialog, OkPaintsBothIntervalsWithTheSwatchColours) {
    const int greys[] = {0, 1, 127, 128, 129, 254, 255};
    TChildWin& doc = AddDocument(7, 1);
    for (int x = 0; x < 7; ++x) {
        const auto g = static_cast<std::uint8_t>(greys[x]);
        doc.Image1.Picture()->View().SetPixel(x, 0, Rgb(g, g, g));
    }
    const Color lower = Rgb(200, 0, 0);
    const Color upper = Rgb(0, 0, 200);
    RunWithDialog(PrahovanieThresholding1, [&](TThresDial& d) {
        d.Edit1.SetText("0");
        d.Edit2.SetText("255");
        d.Edit3.SetText("128");
        Color next = lower;
        d.ColorPicker = [&next](Color& c) {
            c = next;
            return true;
        };
        SendMessageW(d.StaticText1.Handle(), WM_LBUTTONUP, 0, 0);
        next = upper;
        SendMessageW(d.StaticText2.Handle(), WM_LBUTTONUP, 0, 0);
        Click(d.OKBtn);
    });
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(PixelOf(doc, 1, 0), lower);
    EXPECT_EQ(PixelOf(doc, 2, 0), lower);
    EXPECT_EQ(PixelOf(doc, 3, 0), Rgb(128, 128, 128));
    EXPECT_EQ(PixelOf(doc, 4, 0), upper);
    EXPECT_EQ(PixelOf(doc, 5, 0), upper);
    EXPECT_EQ(PixelOf(doc, 6, 0), Rgb(255, 255, 255));
    EXPECT_EQ(doc.UndoPosition(), 1);
    EXPECT_TRUE(doc.Modified);
}

TEST_F(ThresholdDialog, ZatvorStillLeavesTheSnapshot) {
    TChildWin& doc = AddDocument(2, 2);
    Fill(doc, Rgb(50, 60, 70));
    RunWithDialog(PrahovanieThresholding1, [](TThresDial& d) {
        d.Edit2.SetText("255");
        d.Edit3.SetText("200");
        Click(d.CancelBtn);
    });
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(50, 60, 70));
    EXPECT_EQ(doc.UndoPosition(), 1);
    EXPECT_TRUE(UndoEnabled(Menu()));
}

// ---- "Zmena HSL..."

using HslDialog = WithDialog<THSLDial>;

TEST_F(HslDialog, FieldsThatAreNoNumberBecomeZeroOnTheTick) {
    THSLDial& d = *dial_;
    EXPECT_EQ(d.Text(), "Zmena HSL...");
    EXPECT_EQ(Range(d.UpDown1), std::make_pair(-100, 100));
    EXPECT_EQ(d.Edit2.Text(), "0");
    d.Edit1.SetText("-");
    d.Edit3.SetText("-40");
    d.Preview.Tick();
    EXPECT_EQ(d.Edit1.Text(), "0");
    EXPECT_EQ(d.Edit3.Text(), "-40");
    EXPECT_EQ(d.Values().lightness, -40);
}

TEST_F(HslDialog, OkWithoutSaturationLeavesTheGreyOfTheLightness) {
    TChildWin& doc = AddDocument(2, 2);
    Fill(doc, Rgb(255, 0, 0));  // H 0, S 240, L 120
    RunWithDialog(ZmeHSL1, [](THSLDial& d) {
        d.Edit2.SetText("-100");
        Click(d.OKBtn);
    });
    // Round(120 / 240 * 255) = Round(127.5) = 128
    EXPECT_EQ(PixelOf(doc, 1, 1), Rgb(128, 128, 128));
    EXPECT_EQ(doc.UndoPosition(), 1);
}

TEST_F(HslDialog, OkWithoutLightnessTurnsTheDocumentBlack) {
    TChildWin& doc = AddDocument(2, 1);
    Fill(doc, Rgb(200, 100, 50));
    RunWithDialog(ZmeHSL1, [](THSLDial& d) {
        d.Edit2.SetText("0");
        d.Edit3.SetText("-100");
        Click(d.OKBtn);
    });
    EXPECT_EQ(PixelOf(doc, 0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(PixelOf(doc, 1, 0), Rgb(0, 0, 0));
}

}  // namespace
}  // namespace kelbo::testing
