// The warp window: mouse gestures on the mesh, the tool-bar swap, the change
// of window kind and the mesh files.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "main_window_fixture.h"
#include "warp/mesh_file.h"
#include "warp/ui/warp_commands.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

class WarpWindow : public MainWindow {
protected:
    WarpCommands& Warp() { return modules_->Warp(); }

    // A 100 x 50 picture in a new warp window: the rectangle mesh, nodes 0..3.
    TWarpWin& NewWindow(const char* caption = "C:\\obr\\base.bmp") {
        const Bitmap24 picture(100, 50, Rgb(10, 20, 30));
        TWarpWin& w = Warp().NewWarpWindow(picture.ConstView(), caption);
        PumpMessages();
        return w;
    }

    void Tool(UINT button) { form_->ToolBar4.SetDown(button, true); }
    void Mode(UINT button) {
        form_->ToolBar4.SetDown(button, true);
        form_->RunCommand(button);
    }

    static void Send(TWarpWin& w, UINT msg, int x, int y) {
        SendMessageW(w.Image2.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Drag(TWarpWin& w, MeshPoint from, MeshPoint to) {
        Send(w, WM_LBUTTONDOWN, from.x, from.y);
        Send(w, WM_MOUSEMOVE, (from.x + to.x) / 2, (from.y + to.y) / 2);
        Send(w, WM_MOUSEMOVE, to.x, to.y);
        Send(w, WM_LBUTTONUP, to.x, to.y);
    }
    static std::string Shown(const TChildWin& doc) { return doc.Text(); }
};

TEST_F(WarpWindow, AddingByDragMakesNewNodesOrSnapsToNodesAndShowsTheHover) {
    TWarpWin& w = NewWindow();
    Tool(AddButton);
    Drag(w, {2, 1}, {50, 25});    // from node 0 to a new node
    Drag(w, {30, 30}, {52, 27});  // from a new node to the node just made
    ASSERT_EQ(w.Mesh.LinkCount, 6);
    EXPECT_EQ(w.Mesh.NodeCount, 6);
    EXPECT_EQ(w.Mesh.SourceLinks[4], (TMeshLink{0, 0, 50, 25, 0, 4}));
    EXPECT_EQ(w.Mesh.SourceLinks[5], (TMeshLink{30, 30, 50, 25, 5, 4}));
    EXPECT_FALSE(w.Mesh.TargetValid);
    // The top link is drawn on the shown picture only.
    EXPECT_EQ(w.Image2.Picture()->ToBitmap().ConstView().Pixel(50, 0), Rgb(32, 32, 240));
    EXPECT_EQ(w.Clean()->ToBitmap().ConstView().Pixel(50, 0), Rgb(10, 20, 30));

    SendMessageW(w.Image2.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(53, 22));
    EXPECT_EQ(form_->Panel1.WarpInfo.Text(), "Uzol: 4\r\nX = 50\r\nY = 25");
    EXPECT_EQ(w.Hint(), "Uzol: 4");
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "50 : 25");
    // The colour of the clean picture, not of the mark drawn there.
    EXPECT_EQ(form_->Panel1.ColorInfo.Text().substr(0, 33), "farba: \r\nR = 10\r\nG = 20\r\nB = 30\r\n");
    SendMessageW(w.Image2.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(55, 25));  // 5 pixels off: nothing
    EXPECT_EQ(form_->Panel1.WarpInfo.Text(), "");
    EXPECT_EQ(w.Hint(), "");
    EXPECT_TRUE(reportedErrors_.empty());
}

TEST_F(WarpWindow, AFullMeshRefusesTheLinkAndKeepsItsNodeCount) {
    TWarpWin& w = NewWindow();
    Tool(AddButton);
    w.Mesh.LinkCount = MaxMeshLinks;
    Drag(w, {60, 30}, {70, 30});
    EXPECT_EQ(w.Mesh.LinkCount, MaxMeshLinks);
    EXPECT_EQ(w.Mesh.NodeCount, 4);
    ASSERT_EQ(reportedErrors_.size(), 1u);
    EXPECT_EQ(reportedErrors_[0], MeshFullError().what());
}

TEST_F(WarpWindow, WarpingModeMovesTheTargetOnlyAndNormalModeDiscardsIt) {
    TWarpWin& w = NewWindow();
    Mode(WarpButton);
    EXPECT_FALSE(w.Mesh.TargetValid);  // drawn from a copy, made for good by the mouse
    EXPECT_TRUE(form_->ToolBar4.Down(EditButton));
    EXPECT_FALSE(form_->ToolBar4.ButtonEnabled(AddButton));
    EXPECT_FALSE(form_->ToolBar4.ButtonEnabled(DelButton));
    Drag(w, {97, 47}, {80, 40});
    EXPECT_TRUE(w.Mesh.TargetValid);
    EXPECT_EQ(NodePosition(w.Mesh, MeshSide::kTarget, 2), (MeshPoint{80, 40}));
    EXPECT_EQ(NodePosition(w.Mesh, MeshSide::kSource, 2), (MeshPoint{99, 49}));

    Mode(NoWarpButton);
    EXPECT_TRUE(form_->ToolBar4.ButtonEnabled(AddButton));
    Drag(w, {0, 49}, {5, 40});  // the move tool stays chosen
    EXPECT_FALSE(w.Mesh.TargetValid);
    EXPECT_EQ(NodePosition(w.Mesh, MeshSide::kSource, 3), (MeshPoint{5, 40}));
}

TEST_F(WarpWindow, DeletingALinkKeepsTheNodesOtherLinksName) {
    TWarpWin& w = NewWindow();
    Tool(DelButton);
    Drag(w, {1, 1}, {98, 1});
    ASSERT_EQ(w.Mesh.LinkCount, 3);
    EXPECT_EQ(w.Mesh.NodeCount, 4);
    EXPECT_EQ(w.Mesh.SourceLinks[0], (TMeshLink{99, 0, 99, 49, 1, 2}));
    Drag(w, {50, 25}, {99, 49});  // not from a node: nothing
    EXPECT_EQ(w.Mesh.LinkCount, 3);
}

TEST_F(WarpWindow, TheWarpingBarStandsInForToolBar2WhileAWarpWindowIsActive) {
    NewWindow();
    EXPECT_TRUE(form_->WarpToolBarShown());
    EXPECT_TRUE(form_->ToolBar4.Visible());
    EXPECT_FALSE(form_->ToolBar2.Visible());
    EXPECT_EQ(form_->ActiveKind, WindowKindId::kWarp);
    EXPECT_EQ(form_->StatusBar1.PanelText(2), "[100, 50]");
    EXPECT_EQ(form_->Text(), "Kelbo [base.bmp]");
    AddDocument(20, 10);
    EXPECT_FALSE(form_->WarpToolBarShown());
    EXPECT_TRUE(form_->ToolBar2.Visible());
    EXPECT_FALSE(form_->ToolBar4.Visible());
    EXPECT_EQ(form_->ActiveKind, WindowKindId::kImage);
}

TEST_F(WarpWindow, ChangingTheKindCopiesThePictureBothWays) {
    TChildWin& doc = AddDocument(200, 120);
    doc.Image1.Picture()->View().SetPixel(3, 4, Rgb(1, 2, 3));
    doc.SetFilePath("C:\\obr\\prvý.bmp");
    form_->RunCommand(Zmedruhokna1);
    PumpMessages();
    TWarpWin* w = Warp().ActiveWarpWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Text(), "C:\\obr\\prvý.bmp");
    EXPECT_EQ(w->Mesh.LinkCount, 4);
    EXPECT_EQ(w->Clean()->ToBitmap().ConstView().Pixel(3, 4), Rgb(1, 2, 3));
    EXPECT_EQ(w->Width(), 208);

    w->Image2.Picture()->View().SetPixel(5, 5, Rgb(9, 9, 9));  // drawn on, not clean
    form_->RunCommand(Zmedruhokna1);
    PumpMessages();
    TChildWin* back = form_->ActiveImageDocument();
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back, &doc);
    EXPECT_EQ(back->Text(), "nepomenovaný");
    EXPECT_EQ(back->PictureSize(), (Size{200, 120}));
    EXPECT_EQ(back->Image1.Picture()->ToBitmap().ConstView().Pixel(3, 4), Rgb(1, 2, 3));
    EXPECT_EQ(back->Image1.Picture()->ToBitmap().ConstView().Pixel(5, 5),
              w->Clean()->ToBitmap().ConstView().Pixel(5, 5));
    EXPECT_EQ(Warp().WarpWindowCount(), 1);
}

TEST_F(WarpWindow, MeshFilesAreSavedWholeAndDamagedOnesRefused) {
    TWarpWin& w = NewWindow();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path dir = fs::path(temp) / L"kelbo-mesh-ľ";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path saved = dir / "sieť.kmw";
    const fs::path damaged = dir / "zlá.kmw";
    std::ofstream(damaged, std::ios::binary) << std::string(50, 'x');
    std::string title, filter, ext, path = forms::Narrow(saved.wstring());
    form_->FileDialogRunner = [&](forms::FileDialog& d, bool) {
        title = d.title;
        filter = d.filter;
        ext = d.defaultExt;
        d.fileName = path;
        return true;
    };
    form_->RunCommand(SaveItButton);
    EXPECT_EQ(title, "Uloženie siete....");
    EXPECT_EQ(filter, "Súbor so warping-sieťou pre program Kelbo (*.kmw)|*.kmw|Všetky súbory (*.*)|*.*");
    EXPECT_EQ(ext, "kmw");
    EXPECT_EQ(fs::file_size(saved), 192u);

    const WarpMesh before = w.Mesh;
    path = forms::Narrow(damaged.wstring());
    form_->RunCommand(LoadButton);
    EXPECT_EQ(title, "Načítanie siete...");
    EXPECT_EQ(reportedErrors_.size(), 1u);
    EXPECT_EQ(w.Mesh.SourceLinks, before.SourceLinks);
    EXPECT_EQ(w.Mesh.LinkCount, 4);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace kelbo::testing
