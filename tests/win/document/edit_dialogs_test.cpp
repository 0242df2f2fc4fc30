// The clipboard commands, the new-picture dialog and the text dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "codecs/bmp_info.h"
#include "core/text_encoding.h"
#include "imaging/modal_helpers.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kBlue = Rgb(0, 0, 255);

class EditDialogs : public MainWindow {
protected:
    static PixelView Pixels(TChildWin& doc) { return doc.Image1.Picture()->View(); }
    static void Fill(TChildWin& doc, Color c) { Pixels(doc).Fill(c); }
    static void EmptyTheClipboard() {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
    }
    // Every pixel of the document in one colour.
    static bool AllOf(TChildWin& doc, Color c) {
        const PixelView v = Pixels(doc);
        for (int y = 0; y < v.Height(); ++y)
            for (int x = 0; x < v.Width(); ++x)
                if (v.Pixel(x, y) != c) return false;
        return true;
    }
    TNewWinDial& NewWin() { return *modules_->Files().NewWinDial(); }
    TTextDial& Text() { return *modules_->Edit().TextDial(); }
    static void Click(HWND window, int x, int y) {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

TEST_F(EditDialogs, CutAtHalfZoomWhitensTheWholePictureWithoutUndoOrModified) {
    TChildWin& doc = AddDocument(41, 30);
    Fill(doc, kRed);
    form_->RunCommand(N501);
    ASSERT_EQ(doc.ViewSize(), (Size{20, 15}));
    form_->RunCommand(Vybracut1);
    EXPECT_TRUE(AllOf(doc, colors::kWhite));
    EXPECT_EQ(doc.UndoPosition(), 0);
    EXPECT_FALSE(doc.Modified);
    // What was cut is on the clipboard.
    form_->RunCommand(Donovhoobrzku1);
    TChildWin* pasted = form_->ActiveImageDocument();
    ASSERT_NE(pasted, &doc);
    EXPECT_EQ(pasted->PictureSize(), (Size{41, 30}));
    EXPECT_TRUE(AllOf(*pasted, kRed));
}

TEST_F(EditDialogs, PasteIntoTheCurrentPictureIsClippedToItsSize) {
    TChildWin& wide = AddDocument(200, 100);
    Fill(wide, kBlue);
    PixelView(Pixels(wide).Row(0), 100, 100, Pixels(wide).Stride()).Fill(kRed);
    form_->RunCommand(Koprovacopy1);
    TChildWin& doc = AddDocument(100, 100);
    form_->RunCommand(Doaktulnehoobrzku1);
    EXPECT_EQ(doc.PictureSize(), (Size{100, 100}));
    EXPECT_TRUE(AllOf(doc, kRed));
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(form_->ChildCount(), 2);
}

TEST_F(EditDialogs, PasteIntoANewPictureCopiesThePixelsOrOpensNothingWhenEmpty) {
    EmptyTheClipboard();
    form_->RunCommand(Donovhoobrzku1);
    EXPECT_EQ(form_->ChildCount(), 0);
    TChildWin& doc = AddDocument(150, 60);
    for (int x = 0; x < 150; ++x) Pixels(doc).SetPixel(x, x % 60, Rgb(x, 255 - x, 9));
    form_->RunCommand(Koprovacopy1);
    form_->RunCommand(Donovhoobrzku1);
    TChildWin* pasted = form_->ActiveImageDocument();
    ASSERT_NE(pasted, &doc);
    EXPECT_TRUE(SamePixels(Pixels(*pasted), Pixels(doc)));
    EXPECT_EQ(pasted->Text(), "nepomenovaný");
    EXPECT_EQ(pasted->Width(), 150 + 9);
    EXPECT_EQ(pasted->Height(), 60 + 28);
    EXPECT_TRUE(reportedErrors_.empty());
}

TEST_F(EditDialogs, ANewOneByOneRedPictureIsOneRedPixelAndTheDialogCloses) {
    TNewWinDial& d = NewWin();
    form_->RunCommand(Nov1);
    ASSERT_TRUE(d.Visible());
    EXPECT_EQ(d.EditX.Text() + d.EditY.Text(), "00");
    EXPECT_EQ(d.ChosenFormat(), PixelFormat::k24);
    d.EditX.SetText("1");
    d.EditY.SetText("1");
    Click(d.ColorGrid1.Handle(), 18 + 9, 18 * 2 + 9);  // third row, second cell: red
    ASSERT_EQ(d.StaticText3.GetColor(), kRed);
    ClickButton(d.OKBtn.Handle());
    PumpMessages();
    TChildWin* doc = form_->ActiveImageDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->PictureSize(), (Size{1, 1}));
    EXPECT_EQ(Pixels(*doc).Pixel(0, 0), kRed);
    EXPECT_FALSE(d.Visible());
}

TEST_F(EditDialogs, BadSizesAreReportedAndOpenNothingWhileZeroOpensAnEmptyWindow) {
    TNewWinDial& d = NewWin();
    const struct {
        const char* x;
        const char* y;
        const char* error;
    } cases[] = {
        {"1O", "5", "'1O' is not a valid integer value"},
        {"5", "", "'' is not a valid integer value"},
        {"-3", "5", "Obrázok nemôže mať zápornú šírku ani výšku."},
        {"5", "70000", "Obrázok môže mať najviac 65535 × 65535 bodov."},
    };
    for (const auto& c : cases) {
        reportedErrors_.clear();
        d.EditX.SetText(c.x);
        d.EditY.SetText(c.y);
        d.OKBtnClick();
        EXPECT_EQ(reportedErrors_, std::vector<std::string>{c.error}) << c.x << " x " << c.y;
        EXPECT_EQ(form_->ChildCount(), 0);
    }
    d.EditX.SetText("0");
    d.EditY.SetText("0");
    d.OKBtnClick();
    ASSERT_EQ(form_->ChildCount(), 1);
    EXPECT_EQ(form_->ActiveImageDocument()->PictureSize(), (Size{0, 0}));
}

TEST_F(EditDialogs, TheDepthItemsAndAGreyEightBitPictureSavedAsBmp) {
    TNewWinDial& d = NewWin();
    const char* expected[] = {
        "2 farby (čierna a biela, 1 bit) ", "2 rôzne farby (1 bit)", "16 farieb  (4 bity)",
        "16 odtieňov čiernej (4 bity)",     "256 farieb  (8 bitov)", "256 odtieňov čiernej (8 bitov)",
        "16.7 milióna farieb (24 bitov)"};
    for (int n = 0; n < 7; ++n) EXPECT_EQ(d.RadioItems[n].Text(), expected[n]);
    d.ColorPicker = [](Color& c) {
        EXPECT_EQ(c, Rgb(255, 255, 255));  // the main window's background colour
        c = Rgb(10, 20, 30);
        return true;
    };
    Click(d.StaticText3.Handle(), 3, 3);
    EXPECT_EQ(form_->Options.BgColor, Rgb(10, 20, 30));
    EXPECT_EQ(form_->Panel1.BgColor.GetColor(), Rgb(10, 20, 30));
    ClickButton(d.RadioItems[5].Handle());
    d.EditX.SetText("6");
    d.EditY.SetText("4");
    d.OKBtnClick();
    TChildWin& doc = *form_->ActiveImageDocument();
    EXPECT_EQ(Pixels(doc).Pixel(5, 3), Rgb(10, 20, 30));
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path path = std::filesystem::path(temp) / L"kelbo-novy-šedý.bmp";
    form_->FileDialogRunner = [&](forms::FileDialog& f, bool) {
        f.fileName = PathToUtf8(path);
        return true;
    };
    form_->RunCommand(Uloako1);
    const auto info = ReadBmpInfo(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(info.Ok());
    EXPECT_EQ(info.Value().bitsPerPixel, 8);
}

TEST_F(EditDialogs, CancellingTheTextDialogLeavesThePicture) {
    TChildWin& doc = AddDocument(60, 40);
    TTextDial& d = Text();
    bool okBefore = true, okAfter = false;
    std::string sample;
    WhenModal([&] {
        okBefore = d.OKBtn.Enabled();
        sample = d.PreView.Text();
        d.Edit1.SetText("Ahoj");
        okAfter = d.OKBtn.Enabled();
        ClickButton(d.CancelBtn.Handle());
    });
    EXPECT_FALSE(d.PlaceText(doc, 5, 5));
    EXPECT_FALSE(okBefore);
    EXPECT_TRUE(okAfter);
    EXPECT_EQ(sample, "AaBbCcDdEe");
    EXPECT_TRUE(AllOf(doc, colors::kWhite));
    EXPECT_FALSE(d.Visible());
}

TEST_F(EditDialogs, OkWritesTheTextInItsColourWithinItsExtentOnly) {
    TChildWin& doc = AddDocument(200, 80);
    form_->SetFgColor(kBlue);
    form_->SetBgColor(kRed);
    TTextDial& d = Text();
    Color afterBox2 = 0, afterBox1 = 0;
    WhenModal([&] {
        d.Edit1.SetText("Hlbočina");
        Click(d.StaticText2.Handle(), 3, 3);
        afterBox1 = d.PreView.FontColor();
        Click(d.StaticText1.Handle(), 3, 3);
        afterBox2 = d.PreView.FontColor();
        Click(d.StaticText2.Handle(), 3, 3);
        ClickButton(d.OKBtn.Handle());
    });
    ASSERT_TRUE(d.PlaceText(doc, 65536 + 10, 20));  // x taken as 16 bits: 10
    EXPECT_EQ(afterBox1, kRed);
    EXPECT_EQ(afterBox2, kBlue);
    EXPECT_EQ(std::wstring(d.PreView.Font().lfFaceName), L"Times New Roman");
    EXPECT_EQ(d.PreView.Font().lfCharSet, EASTEUROPE_CHARSET);
    // The text's box, measured in its own font.
    forms::UniqueDc dc(CreateCompatibleDC(nullptr));
    forms::UniqueFont font(CreateFontIndirectW(&d.PreView.Font()));
    SIZE extent{};
    {
        forms::SelectGuard selected(dc.get(), font.get());
        GetTextExtentPoint32W(dc.get(), L"Hlbočina", 8, &extent);
    }
    int inColour = 0, outside = 0;
    const PixelView v = Pixels(doc);
    for (int y = 0; y < v.Height(); ++y) {
        for (int x = 0; x < v.Width(); ++x) {
            const Color c = v.Pixel(x, y);
            const bool inside = x >= 10 && x < 10 + extent.cx && y >= 20 && y < 20 + extent.cy;
            if (c == kRed) ++inColour;
            if (!inside && c != colors::kWhite) ++outside;
        }
    }
    EXPECT_GT(inColour, 10);
    EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace kelbo::testing
