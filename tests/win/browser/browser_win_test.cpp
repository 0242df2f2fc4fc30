// The browser window over real folders: the tree, fills by the worker while
// the window keeps answering, fills replaced or abandoned half-way, and the
// thumbnail commands.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/commands.h"
#include "app/settings.h"
#include "browser/ui/browser_commands.h"
#include "browser/ui/fast_view_commands.h"
#include "codecs/bmp_writer.h"
#include "imaging/filters/filter_pictures.h"
#include "main_window_fixture.h"

namespace kelbo::testing {
namespace {

namespace fs = std::filesystem;

class Browser : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        fs::remove_all(root_);
        fs::create_directories(root_ / L"few");
        fs::create_directories(root_ / L"many");
        for (const wchar_t* name : {L"c.bmp", L"a.bmp", L"B.BMP"})
            WriteBmp24(root_ / L"few" / name, RandomPicture(120, 90, 1).View());
        WriteBmp24(root_ / L"few" / L"hidden.bmp", RandomPicture(30, 40, 2).View());
        SetFileAttributesW((root_ / L"few" / L"hidden.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
        std::ofstream(root_ / L"few" / L"broken.jpg") << "not a picture at all";
        std::ofstream(root_ / L"few" / L"notes.txt") << "text";
        for (int i = 0; i < 300; ++i)
            WriteBmp24(root_ / L"many" / (L"p" + std::to_wstring(i) + L".bmp"), RandomPicture(64, 48, i).View());
    }
    void TearDown() override {
        MainWindow::TearDown();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    std::string Folder(const wchar_t* name) const { return forms::Narrow((root_ / name).wstring()); }
    // Pumps until the fill is over, while another thread sends the window a
    // message every 10 ms; returns the longest wait for an answer.
    static std::chrono::milliseconds WaitForFill(TBrowserWin& browser) {
        using Clock = std::chrono::steady_clock;
        std::atomic<bool> done = false, finished = false;
        std::atomic<long long> longest = 0;
        const HWND window = browser.Handle();
        std::thread asker([&] {
            while (!done) {
                const auto start = Clock::now();
                DWORD_PTR ignored = 0;
                SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
                const long long took =
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
                longest = std::max(longest.load(), took);
                Sleep(10);
            }
            finished = true;
        });
        const auto end = Clock::now() + std::chrono::seconds(60);
        while (browser.Filling() && Clock::now() < end) {
            PumpMessages();
            Sleep(1);
        }
        done = true;
        while (!finished) {
            PumpMessages();  // the asker may be waiting for an answer
            Sleep(1);
        }
        asker.join();
        PumpMessages();
        return std::chrono::milliseconds(longest.load());
    }
    static std::vector<std::string> Names(const TBrowserWin& browser) {
        std::vector<std::string> names;
        TBrowserButton* first = browser.LastButton();
        while (first && first->PrevButton) first = first->PrevButton;
        for (TBrowserButton* b = first; b; b = b->NextButton)
            names.push_back(fs::path(forms::Wide(b->FilePath)).filename().string());
        return names;
    }
    static std::vector<HTREEITEM> Children(const TBrowserWin& browser, HTREEITEM node) {
        std::vector<HTREEITEM> children;
        const HWND tree = browser.TreeView1.Handle();
        for (HTREEITEM c = TreeView_GetChild(tree, node); c; c = TreeView_GetNextSibling(tree, c))
            children.push_back(c);
        return children;
    }
    static std::vector<std::string> Captions(const TBrowserWin& browser, HTREEITEM node) {
        std::vector<std::string> captions;
        for (HTREEITEM c : Children(browser, node)) captions.push_back(browser.TreeView1.ItemText(c));
        return captions;
    }
    // Selects the child of `node` whose caption starts with or, for a drive, ends in `name`.
    static HTREEITEM SelectChild(TBrowserWin& browser, HTREEITEM node, const std::string& name) {
        for (HTREEITEM c : Children(browser, node)) {
            const std::string caption = browser.TreeView1.ItemText(c);
            if (_stricmp(caption.c_str(), name.c_str()) == 0 || caption.ends_with("(" + name + ")")) {
                browser.TreeView1.Select(c);
                PumpMessages();
                return c;
            }
        }
        ADD_FAILURE() << name << " is not in the tree";
        return nullptr;
    }
    const fs::path root_ = fs::temp_directory_path() / L"kelbo-browser";
};

TEST_F(Browser, FillsTheFolderInNameOrderWithHiddenAndBrokenPictures) {
    TBrowserWin& browser = modules_->Browsing().OpenBrowser();
    PumpMessages();
    EXPECT_EQ(browser.TreeView1.ItemText(browser.TreeView1.Selected() ? browser.TreeView1.Selected()
                                                                      : TreeView_GetRoot(browser.TreeView1.Handle())),
              "Môj počítač");
    browser.ShowFolder(Folder(L"few"));
    WaitForFill(browser);
    EXPECT_EQ(Names(browser), (std::vector<std::string>{"a.bmp", "B.BMP", "broken.jpg", "c.bmp", "hidden.bmp"}));
    EXPECT_EQ(browser.ButtonCount(), 5);
    TBrowserButton* last = browser.LastButton();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ((Size{last->PictureWidth, last->PictureHeight}), (Size{30, 40}));
    EXPECT_TRUE(last->PrevButton->PrevButton->Broken);
    browser.ButtonMouseMove(*last->PrevButton->PrevButton);
    EXPECT_EQ(form_->StatusBar1.PanelText(2), "[?, ?]");
    browser.ButtonMouseMove(*last);
    EXPECT_EQ(form_->StatusBar1.PanelText(2), "[30, 40]");

    // Deleting a thumbnail's file rebuilds the panel without it.
    form_->Answer = [](std::string_view, UINT) { return IDYES; };
    browser.DeleteClick(*last->PrevButton);  // c.bmp
    WaitForFill(browser);
    EXPECT_EQ(Names(browser), (std::vector<std::string>{"a.bmp", "B.BMP", "broken.jpg", "hidden.bmp"}));
    EXPECT_FALSE(fs::exists(root_ / L"few" / L"c.bmp"));

    // Rename and copy by the save dialog, hide in place; each refreshes the panel.
    std::string answer;
    form_->FileDialogRunner = [&](forms::FileDialog& d, bool save) {
        d.fileName = Folder(L"few") + answer;
        return save;
    };
    answer = "\\z.bmp";
    browser.RenameClick(*browser.LastButton()->PrevButton->PrevButton->PrevButton);  // a.bmp
    WaitForFill(browser);
    answer = "\\y.bmp";
    browser.CopyClick(*browser.LastButton());  // z.bmp
    WaitForFill(browser);
    EXPECT_EQ(Names(browser), (std::vector<std::string>{"B.BMP", "broken.jpg", "hidden.bmp", "y.bmp", "z.bmp"}));
    browser.HideClick(*browser.LastButton());
    WaitForFill(browser);
    EXPECT_TRUE(GetFileAttributesW((root_ / L"few" / L"z.bmp").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(browser.ButtonCount(), 5) << "a hidden picture keeps its button";
}

TEST_F(Browser, StaysResponsiveAndSurvivesAFillReplacedOrAbandoned) {
    TBrowserWin& browser = modules_->Browsing().OpenBrowser();
    browser.ShowFolder(Folder(L"many"));
    const auto longest = WaitForFill(browser);
    EXPECT_EQ(browser.ButtonCount(), 300);
    EXPECT_LT(longest.count(), 50) << "the UI thread waited too long between two messages";

    browser.ShowFolder(Folder(L"many"));
    for (int i = 0; i < 20; ++i) PumpMessages();
    browser.ShowFolder(Folder(L"few"));  // mid-fill: nothing of the old fill stays
    WaitForFill(browser);
    EXPECT_EQ(Names(browser).size(), 5u);

    TBrowserWin& second = modules_->Browsing().OpenBrowser();
    second.ShowFolder(Folder(L"many"));
    for (int i = 0; i < 20; ++i) PumpMessages();
    SendMessageW(second.Handle(), WM_CLOSE, 0, 0);
    for (int i = 0; i < 200; ++i) {
        PumpMessages();
        Sleep(1);
    }
    EXPECT_EQ(modules_->Browsing().Browsers().size(), 1u);
}

// Down the tree by double-clicks to the folder, its hidden subfolder shown
// only by the setting; then the fast view over the folder the tree selects.
TEST_F(Browser, TheTreeOpensFoldersByDoubleClickAndTheFastViewTakesItsFolder) {
    for (const wchar_t* name : {L"zeta", L"Alpha", L".secret"}) fs::create_directories(root_ / name);
    SetFileAttributesW((root_ / L".secret").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    TBrowserWin& browser = modules_->Browsing().OpenBrowser();
    PumpMessages();
    const std::wstring full = fs::absolute(root_).wstring();
    HTREEITEM node = TreeView_GetRoot(browser.TreeView1.Handle());
    for (const fs::path& part : fs::path(full)) {
        if (part.empty() || part == part.root_directory()) continue;
        node = SelectChild(browser, node, forms::Narrow(part.wstring()));
        ASSERT_NE(node, nullptr);
        browser.TreeView1.OnDblClick();
    }
    EXPECT_EQ(browser.SelectedFolder(), forms::Narrow(full));
    EXPECT_EQ(Captions(browser, node), (std::vector<std::string>{"Alpha", "few", "many", "zeta"}));

    // A double-click on the open folder closes it; the next opens it again,
    // with the hidden folder now that the setting asks for it.
    form_->ProgramSettings().ShowHiddenFiles = true;
    browser.TreeView1.OnDblClick();
    EXPECT_FALSE(browser.TreeView1.Expanded(node));
    EXPECT_TRUE(Captions(browser, node).empty());
    browser.TreeView1.OnDblClick();
    EXPECT_EQ(Captions(browser, node), (std::vector<std::string>{".secret", "Alpha", "few", "many", "zeta"}));

    SelectChild(browser, node, "few");
    EXPECT_EQ(browser.SelectedFolder(), Folder(L"few"));
    WaitForFill(browser);
    EXPECT_EQ(browser.ButtonCount(), 5) << "selecting a node shows its folder";
    form_->ProgramSettings().DefaultOptions = true;
    form_->ProgramSettings().IncludeSubDirs = false;
    SendMessageW(form_->Handle(), WM_COMMAND, Rchleprezeranie1, 0);
    PumpMessages();
    TFastViewFrm& view = *modules_->FastView().FastViewFrm();
    ASSERT_TRUE(IsWindowVisible(view.Handle()));
    EXPECT_EQ(view.Files().size(), 5u) << "the hidden picture too, now that the setting shows it";
    EXPECT_EQ(view.Files().front(), Folder(L"few") + "\\a.bmp");
    view.Close();
}

}  // namespace
}  // namespace kelbo::testing
