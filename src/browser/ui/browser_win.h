// TBrowserWin ("Browser"): the drive and folder tree on the left, the
// thumbnails of the selected folder's pictures on the right, filled by the
// thumbnail worker while the window stays usable.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/thumbnail_worker.h"
#include "browser/ui/browser_host.h"
#include "controls/split_control.h"
#include "controls/ui_dispatch.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/hints.h"
#include "forms/panel.h"

namespace kelbo {

struct Settings;
class TBrowserWin;

// The scroll box of the thumbnails: a plain child with a vertical scroll bar.
class ThumbnailBox : public forms::Window {
public:
    void Create(HWND parent, const forms::Bounds& b);
    std::function<void(int code, int wheel)> OnScroll;
    std::function<void()> OnMouseMove;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// One picture's thumbnail: a flat 90 x 100 button with the glyph at its left.
class TBrowserButton : public forms::Window {
public:
    TBrowserButton(TBrowserWin& browser, HWND parent, std::string filePath);
    void SetGlyph(std::shared_ptr<forms::DibSection> glyph, Size picture);

    TBrowserButton* NextButton = nullptr;
    TBrowserButton* PrevButton = nullptr;
    std::string FilePath;
    TBrowserWin& Browser;
    int PictureWidth = 0;
    int PictureHeight = 0;
    bool Broken = false;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    std::shared_ptr<forms::DibSection> glyph_;
    bool hot_ = false;
};

class TBrowserWin : public forms::Form, private ThumbnailPanel {
public:
    static constexpr const wchar_t* kClassName = L"TBrowserWin";
    // `closed` runs when the window goes, so its owner can free it.
    TBrowserWin(BrowserHost& host, const Settings& settings, HWND mdiClient, Progress& progress,
                std::function<void(TBrowserWin&)> closed);
    ~TBrowserWin() override;

    forms::Panel TreePanel;
    forms::TreeView TreeView1;
    forms::Panel Splitter;
    forms::Panel Panel2;
    ThumbnailBox ScBox;

    // The folder of the selected node (NodePath without its trailing
    // backslash), "" for none or the root.
    std::string SelectedFolder() const;
    void ShowFolder(const std::string& path);
    void StopWorker();
    TBrowserButton* LastButton() const { return lastButton_; }
    int ButtonCount() const { return buttonCount_; }
    bool Filling() const { return worker_ && worker_->Running(); }

    // The thumbnail commands, on `button`.
    void ButtonClick(TBrowserButton& button);
    void WarpClick(TBrowserButton& button);
    void DeleteClick(TBrowserButton& button);
    void RenameClick(TBrowserButton& button);
    void CopyClick(TBrowserButton& button);
    void HideClick(TBrowserButton& button);
    void ButtonMouseMove(const TBrowserButton& button);
    void ShowPopupMenu(TBrowserButton& button, POINT screen);

protected:
    void FormCreate() override;
    void FormActivate() override { host_.BrowserActivated(); }
    void FormResize() override;
    void FormClose() override;
    void FormDestroy() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // ThumbnailPanel
    void ClearThumbnails() override;
    int StartFill(int count) override;
    void AddThumbnail(ThumbnailStep& step) override;
    void FillComplete(int count) override;
    void WorkerStopped(std::string_view error) override;

    void BuildDriveTree();
    void TreeView1DblClick();
    void TreeView1Change();
    void TreeView1Collapsed(HTREEITEM item);
    void LayoutButtons();
    void Scroll(int code, int wheel);
    void UpdateScrollRange();
    // A copy or a new name for the button's file, by the save dialog; "" when cancelled.
    std::string AskFileName(const TBrowserButton& button, const char* title);

    BrowserHost& host_;
    const Settings& settings_;
    Progress& progress_;
    std::function<void(TBrowserWin&)> closed_;
    HIMAGELIST images_ = nullptr;
    controls::TSplitControl splitControl_{*this};
    forms::Hints hints_;
    std::unique_ptr<controls::UiDispatcher> dispatcher_;
    std::unique_ptr<UiExecutor> executor_;
    std::unique_ptr<ThumbnailWorker> worker_;
    std::vector<std::unique_ptr<TBrowserButton>> buttons_;
    TBrowserButton* lastButton_ = nullptr;
    int buttonCount_ = 0;
    int columns_ = 1;
    int scrollTop_ = 0;
    bool justCollapsed_ = false;
    std::string folder_;
};

}  // namespace kelbo
