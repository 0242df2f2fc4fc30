// The image document window: sizes, zoom, pointer position, titles and the
// unsaved-changes question.
#include <gtest/gtest.h>

#include "app/ui/view_form.h"
#include "forms/menu.h"
#include "imaging/geometry/ui/zoom_dial.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

Size OuterSize(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

TEST_F(MainWindow, NewDocumentWindowIsPicturePlusFrame) {
    // Wide enough that the platform's minimum window width does not apply.
    TChildWin& doc = AddDocument(200, 80);
    EXPECT_EQ(doc.ViewSize(), (Size{200, 80}));
    EXPECT_EQ(OuterSize(doc.Handle()), (Size{208, 107}));
    EXPECT_EQ(form_->StatusBar1.PanelText(2), "[200, 80]");
    EXPECT_EQ(form_->CurrentDocument, &doc);
}

TEST_F(MainWindow, OtherZoomUsesThePercentOfTheDialog) {
    TZoomDial& zoom = *modules_->Geometry().ZoomDial();
    TChildWin& doc = AddDocument(100, 80);
    zoom.Edit1.SetText("150");
    // The dialog's OK button is pressed once its modal loop runs.
    PostMessageW(zoom.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(zoom.OKBtn.Handle()));
    form_->RunCommand(Invekos1);
    EXPECT_EQ(doc.ViewSize(), (Size{150, 120}));
    EXPECT_EQ(OuterSize(doc.Handle()), (Size{158, 147}));
}

TEST_F(MainWindow, ZoomDialogReplacesTextThatIsNotANumber) {
    TZoomDial zoom(form_->Handle());
    EXPECT_EQ(zoom.Edit1.Text(), "100");
    zoom.Edit1.SetText("abc");
    EXPECT_FALSE(zoom.Percent());
    zoom.Timer1.SetInterval(10);
    zoom.Timer1.SetEnabled(true);
    for (int i = 0; i < 50 && zoom.Edit1.Text() != "100"; ++i) {
        Sleep(10);
        PumpMessages();
    }
    EXPECT_EQ(zoom.Edit1.Text(), "100");
}

TEST_F(MainWindow, PointerPositionIsMappedThroughTheZoom) {
    TChildWin& doc = AddDocument(100, 80);
    form_->RunCommand(N2001);
    SendMessageW(doc.Image1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "5 : 5");
    SendMessageW(doc.Image1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 7));
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "2 : 4") << "2.5 rounds to 2, 3.5 to 4";
}

TEST_F(MainWindow, PointerShowsTheColourUnderIt) {
    TChildWin& doc = AddDocument(10, 10);
    SendMessageW(doc.Image1.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(form_->Panel1.ColorInfo.Text(), "farba: \r\nR = 255\r\nG = 255\r\nB = 255\r\nI = 255");
    EXPECT_TRUE(form_->Panel1.ColorBox.Visible());
}

TEST_F(MainWindow, TitlesFollowTheActiveDocument) {
    TChildWin& first = AddDocument(10, 10);
    first.SetFilePath("C:\\Obrázky\\prvý.bmp");
    EXPECT_EQ(first.Text(), "C:\\Obrázky\\prvý.bmp");
    EXPECT_EQ(first.FileName, "prvý.bmp");
    EXPECT_EQ(first.FileDir, "C:\\Obrázky\\");
    EXPECT_EQ(form_->Text(), "Kelbo [prvý.bmp]");
    TChildWin& second = AddDocument(10, 10);
    EXPECT_EQ(second.Text(), "nepomenovaný");
    SendMessageW(form_->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second.Handle()), 0);
    PumpMessages();
    EXPECT_EQ(form_->Text(), "Kelbo") << "a document without a file";
    SendMessageW(form_->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first.Handle()), 0);
    PumpMessages();
    EXPECT_EQ(form_->Text(), "Kelbo [prvý.bmp]");
    first.Close();
    PumpMessages();
    EXPECT_EQ(form_->ChildCount(), 1);
}

TEST_F(MainWindow, CloseQueryAsksOnlyForModifiedDocumentsWithTheOption) {
    int asked = 0;
    std::string question;
    form_->Answer = [&](std::string_view text, UINT) {
        ++asked;
        question = text;
        return IDCANCEL;
    };
    TChildWin& doc = AddDocument(10, 10);
    doc.SetFilePath("C:\\a\\b.bmp");
    doc.Modified = true;
    form_->Options.CloseQuestion = false;
    doc.Close();
    PumpMessages();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(form_->ChildCount(), 0) << "the option off never blocks closing";

    TChildWin& kept = AddDocument(10, 10);
    kept.SetFilePath("C:\\a\\b.bmp");
    kept.Modified = true;
    form_->Options.CloseQuestion = true;
    kept.Close();
    PumpMessages();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(question, "Chcete uložiť zmeny do súboru C:\\a\\b.bmp?");
    EXPECT_EQ(form_->ChildCount(), 1) << "Cancel keeps the window open";

    // Yes saves through the File menu's Save, then closes.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring saved = std::wstring(temp) + L"kelbo-close-save.bmp";
    DeleteFileW(saved.c_str());
    kept.SetFilePath(forms::Narrow(saved));
    kept.Modified = true;
    form_->Answer = [&](std::string_view, UINT) { return IDYES; };
    kept.Close();
    PumpMessages();
    EXPECT_NE(GetFileAttributesW(saved.c_str()), INVALID_FILE_ATTRIBUTES) << "the document was saved";
    DeleteFileW(saved.c_str());
    EXPECT_EQ(form_->ChildCount(), 0);
}

TEST_F(MainWindow, UnmodifiedDocumentClosesWithoutAQuestion) {
    int asked = 0;
    form_->Answer = [&](std::string_view, UINT) {
        ++asked;
        return IDCANCEL;
    };
    form_->Options.CloseQuestion = true;
    TChildWin& doc = AddDocument(10, 10);
    doc.Close();
    PumpMessages();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(form_->ChildCount(), 0);
}

TEST_F(MainWindow, NewUnsavedPaintedDocumentAsksWithAnEmptyName) {
    std::string question;
    form_->Answer = [&](std::string_view text, UINT) {
        question = text;
        return IDNO;
    };
    form_->Options.CloseQuestion = true;
    TChildWin& doc = AddDocument(10, 10);
    doc.Modified = true;
    doc.Close();
    PumpMessages();
    EXPECT_EQ(question, "Chcete uložiť zmeny do súboru ?");
}

TEST_F(MainWindow, WindowCommandsCloseAllFromTheLast) {
    AddDocument(10, 10);
    AddDocument(10, 10);
    AddDocument(10, 10);
    EXPECT_EQ(form_->ChildCount(), 3);
    form_->RunCommand(Zatvorvetky1);
    PumpMessages();
    EXPECT_EQ(form_->ChildCount(), 0);
    EXPECT_EQ(form_->Text(), "Kelbo");
}

}  // namespace
}  // namespace kelbo::testing

namespace kelbo::testing {
namespace {

void Paint(TChildWin& doc, Color c) {
    PixelView v = doc.Image1.Picture()->View();
    for (int y = 0; y < v.Height(); ++y)
        for (int x = 0; x < v.Width(); ++x) {
            std::uint8_t* p = v.Row(y) + 3 * x;
            p[0] = BlueOf(c);
            p[1] = GreenOf(c);
            p[2] = RedOf(c);
        }
}

Color PixelOf(const TChildWin& doc) {
    const std::uint8_t* p = doc.Image1.Picture()->View().Row(0);
    return Rgb(p[2], p[1], p[0]);
}

TEST_F(MainWindow, UndoAndRedoRestoreThePicture) {
    TChildWin& doc = AddDocument(30, 20);
    doc.TakeUndoSnapshot();
    Paint(doc, Rgb(255, 0, 0));
    doc.TakeUndoSnapshot();
    Paint(doc, Rgb(0, 0, 255));
    form_->RunCommand(Undokroksp1);
    EXPECT_EQ(PixelOf(doc), Rgb(255, 0, 0));
    SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(UndoButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form_->ToolBar1.Handle()));
    EXPECT_EQ(PixelOf(doc), Rgb(255, 255, 255));
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Undokroksp1));
    form_->RunCommand(Redoodstrkroksp2);  // the pop-up menu's Redo
    EXPECT_EQ(PixelOf(doc), Rgb(255, 0, 0));
}

TEST_F(MainWindow, TwoDocumentsKeepSeparateHistories) {
    TChildWin& first = AddDocument(30, 20);
    first.TakeUndoSnapshot();
    Paint(first, Rgb(0, 255, 0));
    TChildWin& second = AddDocument(30, 20);
    second.TakeUndoSnapshot();
    Paint(second, Rgb(0, 0, 255));
    form_->RunCommand(Undokroksp1);  // the second is active
    EXPECT_EQ(PixelOf(second), Rgb(255, 255, 255));
    EXPECT_EQ(PixelOf(first), Rgb(0, 255, 0));
    EXPECT_EQ(first.UndoPosition(), 1);
}

TEST_F(MainWindow, UndoOfAResizeBringsTheOldSizeBack) {
    TChildWin& doc = AddDocument(300, 200);
    doc.TakeUndoSnapshot();
    doc.SetPicture(std::make_shared<forms::DibSection>(150, 100), FrameKind::kStandard);
    form_->RunCommand(Undokroksp1);
    EXPECT_EQ(doc.PictureSize(), (Size{300, 200}));
    EXPECT_EQ(doc.ViewSize(), (Size{300, 200}));
}

TEST_F(MainWindow, AnOpenedDocumentHasNothingToUndo) {
    AddDocument(30, 20);
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Undokroksp1));
    EXPECT_FALSE(forms::ItemEnabled(Menu(), Redoodstrkroksp1));
}

}  // namespace
}  // namespace kelbo::testing
