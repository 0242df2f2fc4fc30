// The animation dialog's linked fields and frames, the mesh dialog and the warp command.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../imaging/modal_helpers.h"
#include "main_window_fixture.h"
#include "warp/ui/warp_commands.h"

namespace kelbo::testing {
namespace {

class WarpDialogs : public MainWindow {
protected:
    WarpCommands& Warp() { return modules_->Warp(); }

    TWarpWin& NewWindow() {
        const Bitmap24 picture(40, 30, Rgb(200, 100, 50));
        TWarpWin& w = Warp().NewWarpWindow(picture.ConstView(), "C:\\anim\\base.bmp");
        PumpMessages();
        return w;
    }

    static void Type(forms::Edit& field, const char* text) {
        field.SetFocus();
        field.SetText(text);
    }

    std::vector<std::string> PictureWindowCaptions() {
        PumpMessages();
        std::vector<std::string> captions;
        for (HWND h : forms::MdiChildren(form_->MdiClient()))
            if (ClassNameOf(h) == "TChildWin") captions.push_back(forms::WindowText(h));
        return captions;
    }
};

TEST_F(WarpDialogs, TheMovieFieldsFollowTheCountUntilTheLastIsTypedAndTheTimerCorrectsThem) {
    NewWindow();
    TMovieDialog& d = *Warp().MovieDialog();
    std::string base, followed, chosen, corrected;
    WhenModal([&] {
        base = d.Edit4.Text();
        Type(d.Edit1, "5");
        followed = d.Edit3.Text();
        Type(d.Edit3, "4");
        Type(d.Edit1, "7");
        chosen = d.Edit3.Text();
        Type(d.Edit1, "3");
        Type(d.Edit2, "5");
        d.Timer1Timer();
        corrected = d.Edit1.Text() + " " + d.Edit2.Text() + " " + d.Edit3.Text();
        ClickButton(d.CancelBtn.Handle());
    });
    form_->RunCommand(MovieButton);
    EXPECT_EQ(base, "C:\\anim\\base");
    EXPECT_EQ(followed, "5");
    EXPECT_EQ(chosen, "4");
    EXPECT_EQ(corrected, "3 2 3");
    EXPECT_TRUE(PictureWindowCaptions().empty());
}

TEST_F(WarpDialogs, RenderingTheDefaultsOpensTwoNamedFramesAndNoFramesAreRefused) {
    TWarpWin& w = NewWindow();
    TMovieDialog& d = *Warp().MovieDialog();
    WhenModal([&] { ClickButton(d.OKBtn.Handle()); });
    form_->RunCommand(MovieButton);
    std::vector<std::string> captions = PictureWindowCaptions();
    std::sort(captions.begin(), captions.end());
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0] + " " + captions[1], "C:\\anim\\base01.bmp C:\\anim\\base02.bmp");
    TChildWin* last = form_->ActiveImageDocument();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->FileName, "base02.bmp");
    EXPECT_EQ(last->FileDir, "C:\\anim\\");
    EXPECT_FALSE(last->Modified);
    EXPECT_EQ(last->Image1.Picture()->ToBitmap().ConstView().Pixel(10, 10), Rgb(200, 100, 50));
    EXPECT_EQ(w.Mesh.LinkCount, 4);

    SendMessageW(form_->MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(w.Handle()), 0);
    WhenModal([&] {
        Type(d.Edit1, "0");
        ClickButton(d.OKBtn.Handle());
    });
    form_->RunCommand(MovieButton);
    EXPECT_EQ(PictureWindowCaptions().size(), 2u);
    ASSERT_EQ(reportedErrors_.size(), 1u);
    EXPECT_EQ(reportedErrors_[0], "Počet obrázkov musí byť aspoň 1.");
}

TEST_F(WarpDialogs, TheMeshDialogShowsTheChosenLinkAndNodeWithTheCounts) {
    TWarpWin& w = NewWindow();
    TEditPointDial& d = *Warp().EditPointDial();
    std::string link, node, counts;
    WhenModal([&] {
        d.TrackBar1.SetPosition(3);
        link = d.Edit5.Text() + ": " + d.Edit3.Text() + " " + d.Edit1.Text() + " " + d.Edit2.Text() + " " +
               d.Edit4.Text() + " " + d.Edit6.Text() + " " + d.Edit7.Text();
        d.TrackBar2.SetPosition(2);
        node = d.Edit8.Text() + ": " + d.Edit9.Text() + " " + d.Edit10.Text();
        counts = d.Counts1.Text();
        ClickButton(d.CancelBtn.Handle());
    });
    form_->RunCommand(EditDialButton);
    EXPECT_EQ(link, "3: 2 39 29 3 0 29");
    EXPECT_EQ(node, "2: 39 0");
    EXPECT_EQ(counts, "celkový počet uzlov:  4\r\ncelkový počet spojov: 4");
    EXPECT_EQ(w.Mesh.LinkCount, 4);
}

TEST_F(WarpDialogs, WarpingOpensTheResultUnnamedAndKeepsTheMesh) {
    TWarpWin& w = NewWindow();
    form_->RunCommand(WarpNowButton);
    PumpMessages();
    TChildWin* result = form_->ActiveImageDocument();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->Text(), "nepomenovaný");
    EXPECT_EQ(result->PictureSize(), (Size{40, 30}));
    EXPECT_EQ(w.Mesh.LinkCount, 4);
    EXPECT_TRUE(reportedErrors_.empty());
}

}  // namespace
}  // namespace kelbo::testing

namespace kelbo::testing {
namespace {

TEST_F(WarpDialogs, WarpingAFoldingMeshAsksFirstAndNoRendersNothing) {
    TWarpWin& w = NewWindow();
    MakeTarget(w.Mesh);
    w.Mesh.TargetValid = true;
    MoveNode(w.Mesh, MeshSide::kTarget, 3, {60, 15});
    std::string question;
    form_->Answer = [&](std::string_view text, UINT) {
        question = text;
        return IDNO;
    };
    const std::vector<std::string> before = PictureWindowCaptions();
    form_->RunCommand(WarpNowButton);
    EXPECT_EQ(question, "Sieť sa pri warpingu prekladá (trojuholníky s uzlami 0-2-3). Pokračovať aj tak?");
    EXPECT_EQ(PictureWindowCaptions(), before);
}

}  // namespace
}  // namespace kelbo::testing
