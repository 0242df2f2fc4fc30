// The histogram window, equalization, the colour-count dialog and the
// number of used colours, driven through the main window's commands.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/menu.h"
#include "imaging/colour/ui/color_num_dialog.h"
#include "imaging/colour/ui/histo_win.h"
#include "main_window_fixture.h"
#include "modal_helpers.h"

namespace kelbo::testing {
namespace {

class Histogram : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        histo_ = modules_->Histogram().HistoWin();
        colorNum_ = modules_->Histogram().ColorNumDialog();
        form_->Inform = [this](std::string_view text) { informed_.emplace_back(text); };
    }

    TChildWin& FilledDocument(int width, int height, Color colour) {
        TChildWin& doc = AddDocument(width, height);
        doc.Image1.Picture()->View().Fill(colour);
        return doc;
    }

    Color PlotPixel(int x, int y) const { return histo_->Image1.Picture()->View().Pixel(x, y); }
    forms::Bounds HistoSize() const { return histo_->GetBounds(); }
    bool HistoItemChecked() const { return forms::ItemChecked(Menu(), Oknohistogramu1); }

    THistoWin* histo_ = nullptr;
    TColorNumDialog* colorNum_ = nullptr;
    std::vector<std::string> informed_;
};

void MoveMouse(HWND over, int x, int y, WPARAM keys = 0) { SendMessageW(over, WM_MOUSEMOVE, keys, MAKELPARAM(x, y)); }

TEST_F(Histogram, WindowStartsHiddenWithItsControls) {
    EXPECT_FALSE(histo_->Visible());
    EXPECT_FALSE(HistoItemChecked());
    const forms::Bounds b = HistoSize();
    EXPECT_EQ(b.width, 270);
    EXPECT_EQ(b.height, 203);
    EXPECT_EQ(b.left, modules_->Histogram().HistoLeft);
    EXPECT_EQ(b.top, modules_->Histogram().HistoTop);
    EXPECT_EQ(histo_->ClosePanel1.Text(), "Histogram        ");
    EXPECT_EQ(histo_->Image1.Width(), 256);
    EXPECT_EQ(histo_->Image1.Height(), 146);
    EXPECT_EQ(histo_->RefreshBtn.Text(), "Obnov ");
    for (const forms::CheckBox* c : {&histo_->RCheck, &histo_->GCheck, &histo_->BCheck}) EXPECT_TRUE(c->Checked());
    EXPECT_EQ(histo_->ICheck.Text(), "I");
    EXPECT_FALSE(histo_->ICheck.Checked());
    const LONG_PTR ex = GetWindowLongPtrW(histo_->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(histo_->Handle(), GWL_STYLE) & WS_CAPTION);
    // Below the visible area until a refresh shows it.
    EXPECT_GE(histo_->ProgressBar1.GetBounds().top, 203);
}

TEST_F(Histogram, CommandsToggleTheWindowAndItsCheckMark) {
    form_->RunCommand(Vytvor1);
    EXPECT_TRUE(HistoItemChecked());
    EXPECT_TRUE(histo_->Visible());
    form_->RunCommand(Oknohistogramu1);
    EXPECT_FALSE(HistoItemChecked());
    EXPECT_FALSE(histo_->Visible());
    form_->ToolBar1.OnButton(HistogramButton);
    EXPECT_TRUE(HistoItemChecked());
    EXPECT_TRUE(histo_->Visible());

    // The close button hides the window and clears the check mark.
    histo_->ClosePanel1.CloseButton.Click();
    EXPECT_FALSE(histo_->Visible());
    EXPECT_FALSE(HistoItemChecked());
}

TEST_F(Histogram, OneColourDocumentDrawsThreeSpikesReachingTheTop) {
    FilledDocument(4, 3, Rgb(200, 100, 50));
    histo_->Refresh();
    EXPECT_EQ(histo_->Counts().red[200], 12u);
    EXPECT_EQ(histo_->Counts().green[100], 12u);
    EXPECT_EQ(histo_->Counts().blue[50], 12u);
    EXPECT_EQ(histo_->Counts().red[100], 0u);
    EXPECT_EQ(histo_->Counts().blue[200], 0u);
    EXPECT_EQ(HistoSize().height, 203);  // grown for the progress bar and back

    EXPECT_EQ(PlotPixel(200, 0), colors::kRed);
    EXPECT_EQ(PlotPixel(100, 0), colors::kGreen);
    EXPECT_EQ(PlotPixel(50, 0), colors::kBlue);
    // The base line at 142 and the opening stroke from below the plot carry
    // the last pen, blue; the rest is white.
    EXPECT_EQ(PlotPixel(10, 142), colors::kBlue);
    EXPECT_EQ(PlotPixel(0, 145), colors::kBlue);
    EXPECT_EQ(PlotPixel(10, 100), colors::kWhite);
    EXPECT_EQ(PlotPixel(10, 143), colors::kWhite);

    // Without the blue curve the green one lies on top of the base line.
    histo_->BCheck.SetChecked(false);
    histo_->Refresh();
    EXPECT_EQ(PlotPixel(10, 142), colors::kGreen);
    EXPECT_EQ(PlotPixel(50, 0), colors::kWhite);
}

TEST_F(Histogram, GreyDocumentShowsOneSpikeInTheLastPen) {
    FilledDocument(2, 2, Rgb(77, 77, 77));
    histo_->Refresh();
    EXPECT_EQ(PlotPixel(77, 0), colors::kBlue);
}

TEST_F(Histogram, RefreshWithoutADocumentKeepsThePlot) {
    TChildWin& doc = FilledDocument(4, 3, Rgb(200, 100, 50));
    histo_->Refresh();
    const Bitmap24 before = histo_->Image1.Picture()->ToBitmap();
    form_->Options.CloseQuestion = false;
    doc.Close();
    PumpMessages();
    ASSERT_EQ(form_->ActiveImageDocument(), nullptr);
    histo_->BCheck.SetChecked(false);  // would change the plot if it were drawn
    histo_->Refresh();
    EXPECT_TRUE(histo_->Image1.Picture()->ToBitmap() == before);
    EXPECT_EQ(histo_->Counts().red[200], 12u);
}

TEST_F(Histogram, PointerOverThePlotReadsTheCountsOut) {
    FilledDocument(4, 3, Rgb(0, 100, 50));
    histo_->Refresh();
    MoveMouse(histo_->Image1.Handle(), 0, 20);
    EXPECT_EQ(form_->Panel1.ColorInfo.Text(), "I=0\r\nR=12\r\nG=0\r\nB=0");
    MoveMouse(histo_->Image1.Handle(), 100, 20);
    EXPECT_EQ(form_->Panel1.ColorInfo.Text(), "I=100\r\nR=0\r\nG=12\r\nB=0");
    EXPECT_EQ(histo_->CountsText(50), "I=50\rR=0\rG=0\rB=12");
    // Anywhere else in the window the field empties.
    MoveMouse(histo_->Handle(), 5, 190);
    EXPECT_EQ(form_->Panel1.ColorInfo.Text(), "");
}

TEST_F(Histogram, RollsUpUnrollsUnderThePointerAndRollsBackOverTheMainWindow) {
    form_->RunCommand(Vytvor1);
    ASSERT_TRUE(histo_->Visible());
    histo_->ClosePanel1.RollButton.Click();
    EXPECT_TRUE(modules_->Histogram().HistoRolled);
    EXPECT_EQ(HistoSize().width, 80);
    EXPECT_EQ(HistoSize().height, 22);
    EXPECT_EQ(histo_->ClosePanel1.Width(), 80);

    // The pointer over the rolled title opens the window ...
    MoveMouse(histo_->ClosePanel1.Handle(), 5, 5);
    EXPECT_EQ(HistoSize().width, 270);
    EXPECT_EQ(HistoSize().height, 203);
    EXPECT_TRUE(histo_->Rolled());
    // ... and over the main window rolls it back.
    SendMessageW(form_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form_->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(HistoSize().width, 80);
    EXPECT_EQ(HistoSize().height, 22);

    histo_->ClosePanel1.RollButton.Click();
    EXPECT_FALSE(modules_->Histogram().HistoRolled);
    EXPECT_EQ(HistoSize().width, 270);
    EXPECT_EQ(HistoSize().height, 203);
    // Unrolled, the main window leaves it open.
    SendMessageW(form_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form_->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(HistoSize().height, 203);
}

TEST_F(Histogram, DraggingTheTitleMovesTheWindowAndStoresItsPlace) {
    form_->RunCommand(Vytvor1);
    const forms::Bounds start = HistoSize();
    SetCursorPos(300, 300);
    SendMessageW(histo_->ClosePanel1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    SetCursorPos(340, 320);
    MoveMouse(histo_->ClosePanel1.Handle(), 60, 25, MK_LBUTTON);
    SendMessageW(histo_->ClosePanel1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 25));
    EXPECT_EQ(HistoSize().left, start.left + 40);
    EXPECT_EQ(HistoSize().top, start.top + 20);
    EXPECT_EQ(modules_->Histogram().HistoLeft, start.left + 40);
    EXPECT_EQ(modules_->Histogram().HistoTop, start.top + 20);
}

TEST_F(Histogram, EqualizationChangesThePictureWithoutAnUndoSnapshot) {
    TChildWin& doc = AddDocument(4, 1);
    const PixelView view = doc.Image1.Picture()->View();
    view.SetPixel(0, 0, Rgb(50, 50, 50));
    view.SetPixel(1, 0, Rgb(50, 50, 50));
    view.SetPixel(2, 0, Rgb(60, 60, 60));
    view.SetPixel(3, 0, Rgb(60, 60, 60));
    const Bitmap24 before = Bitmap24::CopyOf(view);
    form_->RunCommand(Ekvalizcia1);
    EXPECT_FALSE(Bitmap24::CopyOf(view) == before);
    EXPECT_EQ(doc.UndoPosition(), 0);
    EXPECT_EQ(doc.UndoTop(), 0);
}

TEST_F(Histogram, ColourCountDialogHasItsItems) {
    EXPECT_EQ(colorNum_->Text(), "Zmena počtu farieb");
    EXPECT_EQ(colorNum_->RadioGroup1.Text(), "Počet farieb");
    const char* depths[] = {
        "2 farby (čierna a biela, 1 bit) ", "2 rôzne farby (1 bit)", "16 farieb  (4 bity)",
        "16 odtieňov čiernej (4 bity)",     "256 farieb  (8 bitov)", "256 odtieňov čiernej (8 bitov)",
        "16.7 milióna farieb (24 bitov)"};
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(colorNum_->DepthRadios[i].Text(), depths[i]);
    EXPECT_EQ(colorNum_->Depth(), ColourDepth::kTrueColour);
    EXPECT_EQ(colorNum_->RadioGroup2.Text(), "Metóda");
    const char* methods[] = {"Zaokrúhlenie", "Náhodné rozptýlenie", "Distribúcia chyby (Floyd-Steinberg)"};
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(colorNum_->MethodRadios[i].Text(), methods[i]);
    EXPECT_FALSE(colorNum_->Method().has_value());
    EXPECT_EQ(colorNum_->GroupBox1.Text(), "Informácie");
    EXPECT_EQ(colorNum_->Label1.Text(), "Počet farieb:");
    EXPECT_EQ(colorNum_->Label2.Text(), "Počet použitých farieb:");
    EXPECT_EQ(colorNum_->OKBtn.Text(), "OK");
    EXPECT_EQ(colorNum_->CancelBtn.Text(), "Zatvor");
    EXPECT_EQ(BitsText(1), "1 bit");
    EXPECT_EQ(BitsText(4), "4 bity");
    EXPECT_EQ(BitsText(24), "24 bitov");
}

TEST_F(Histogram, SixteenGreysByRoundingReduceInPlaceWithUndo) {
    // Every grey 0..255 once; the sixteen greys are the multiples of 17.
    TChildWin& doc = AddDocument(256, 1);
    const PixelView view = doc.Image1.Picture()->View();
    for (int x = 0; x < 256; ++x) view.SetPixel(x, 0, Rgb(x, x, x));
    const Bitmap24 before = Bitmap24::CopyOf(view);

    std::string shownDepth, shownCount;
    WhenModal([&] {
        shownDepth = colorNum_->DepthLabel.Text();
        shownCount = colorNum_->CountLabel.Text();
        colorNum_->SetDepth(ColourDepth::kSixteenGreys);
        colorNum_->SetMethod(ReductionMethod::kRounding);
        ClickButton(colorNum_->OKBtn.Handle());
    });
    form_->RunCommand(PocetFarieb1);
    EXPECT_EQ(shownDepth, "24 bitov");
    EXPECT_EQ(shownCount, "256");
    EXPECT_EQ(form_->ActiveImageDocument(), &doc);
    for (int x = 0; x < 256; ++x) {
        const int nearest = (x + 8) / 17 * 17;
        ASSERT_EQ(view.Pixel(x, 0), Rgb(nearest, nearest, nearest)) << x;
    }
    EXPECT_EQ(doc.LoadedPixelFormat, PixelFormat::k4);
    EXPECT_EQ(doc.LoadedPalette.size(), 16u);
    EXPECT_TRUE(doc.Modified);

    // The next opening shows the new depth.
    WhenModal([&] {
        shownDepth = colorNum_->DepthLabel.Text();
        shownCount = colorNum_->CountLabel.Text();
        ClickButton(colorNum_->CancelBtn.Handle());
    });
    form_->RunCommand(PocetFarieb1);
    EXPECT_EQ(shownDepth, "4 bity");
    EXPECT_EQ(shownCount, "16");

    form_->RunCommand(Undokroksp1);
    EXPECT_TRUE(Bitmap24::CopyOf(doc.Image1.Picture()->View()) == before);
}

TEST_F(Histogram, OkWithoutAMethodRoundsAndZatvorLeavesThePicture) {
    TChildWin& doc = AddDocument(3, 1);
    const PixelView view = doc.Image1.Picture()->View();
    view.SetPixel(0, 0, Rgb(20, 20, 20));
    view.SetPixel(1, 0, Rgb(120, 120, 120));
    view.SetPixel(2, 0, Rgb(250, 250, 250));
    const Bitmap24 before = Bitmap24::CopyOf(view);

    WhenModal([&] {
        colorNum_->SetDepth(ColourDepth::kBlackWhite);
        ClickButton(colorNum_->CancelBtn.Handle());
    });
    form_->RunCommand(PocetFarieb1);
    EXPECT_TRUE(Bitmap24::CopyOf(view) == before);
    EXPECT_EQ(doc.UndoPosition(), 0);
    EXPECT_EQ(doc.LoadedPixelFormat, PixelFormat::k24);

    WhenModal([&] {
        colorNum_->SetMethod(std::nullopt);
        ClickButton(colorNum_->OKBtn.Handle());
    });
    form_->RunCommand(PocetFarieb1);
    // The nearest of black and white.
    EXPECT_EQ(view.Pixel(0, 0), colors::kBlack);
    EXPECT_EQ(view.Pixel(1, 0), colors::kBlack);
    EXPECT_EQ(view.Pixel(2, 0), colors::kWhite);
    EXPECT_EQ(doc.LoadedPixelFormat, PixelFormat::k1);
}

TEST_F(Histogram, UsedColoursAreCountedInAMessage) {
    TChildWin& doc = AddDocument(5, 1);
    form_->RunCommand(Poetpouitchfarieb1);
    const PixelView view = doc.Image1.Picture()->View();
    view.SetPixel(0, 0, colors::kRed);
    view.SetPixel(1, 0, colors::kBlue);
    form_->RunCommand(Poetpouitchfarieb1);
    for (int x = 2; x < 5; ++x) view.SetPixel(x, 0, Rgb(x, 0, 0));
    form_->RunCommand(Poetpouitchfarieb1);
    ASSERT_EQ(informed_.size(), 3u);
    EXPECT_EQ(informed_[0], "Obrázok používa 1 farbu.");
    EXPECT_EQ(informed_[1], "Obrázok používa 3 farby.");
    EXPECT_EQ(informed_[2], "Obrázok používa 5 farieb.");
    EXPECT_EQ(doc.UndoPosition(), 0);
}

}  // namespace
}  // namespace kelbo::testing
