// TViewForm: the program's main window, the MDI frame that owns every other
// window. Every command enters here.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/commands.h"
#include "app/menu_state.h"
#include "app/settings.h"
#include "app/ui/info_panel.h"
#include "codecs/jpeg_image.h"
#include "controls/adv_status_bar.h"
#include "controls/split_control.h"
#include "document/ui/child_win.h"
#include "document/ui/command_host.h"
#include "document/ui/document_host.h"
#include "forms/dialogs.h"
#include "forms/form.h"
#include "forms/handle.h"
#include "forms/status_bar.h"
#include "forms/timer.h"
#include "forms/toolbar.h"
#include "imaging/ui/live_preview.h"
#include "paint/ui/paint_host.h"
#include "warp/ui/warp_host.h"

namespace kelbo {

class FileCommands;

// The wake-up message a second copy posts to a hidden first one.
constexpr UINT kWakeUpMessage = WM_USER;

class TViewForm : public forms::Form, public DocumentHost, public CommandHost, public WarpHost, public PaintHost {
public:
    static constexpr const wchar_t* kClassName = L"TViewForm";

    explicit TViewForm(StartOptions options = {});
    ~TViewForm() override;

    // Creates the window hidden; throws std::runtime_error when Windows refuses.
    void Create();

    HWND ClientHandle() const { return mdiClient_; }
    // Runs the message loop until the main window is gone; returns the exit code.
    int RunMessageLoop() const;

    // Components.
    forms::UniqueMenu MainMenu1;
    forms::UniqueMenu PopupMenu1;
    forms::ToolBar ToolBar1;
    forms::ToolBar ToolBar2;
    forms::ToolBar ToolBar4;
    InfoPanel Panel1;
    controls::TAdvStatusBar StatusBar1;
    forms::ProgressBar StatusInfo;
    // The splitter drag working on this window, made with it (for the browser).
    std::unique_ptr<controls::TSplitControl> SplitControl;

    // State.
    std::uint8_t CurrentTool = 0;  // a ToolNumber: 0 arrow ... 7 text, 8 crop
    PaintStroke Stroke;
    WindowKindId ActiveKind = WindowKindId::kImage;
    TChildWin* CurrentDocument = nullptr;
    // The program's one JPEG picture, with the class defaults for the whole
    // run: every JPEG opened and saved takes its settings.
    TJPEGImage SharedJpeg;
    // The settings of "kelbo.ini", read at creation and written at destruction.
    Settings Options;

    void SetFgColor(Color color) override;
    void SetBgColor(Color color) override;
    int ChildCount() const;
    // A new image document on a picture (the creation paths' shared step).
    TChildWin& NewDocument(std::shared_ptr<forms::DibSection> picture, FrameKind frame);
    // The modules whose commands run in this window; they outlive it.
    void AddModule(CommandModule& module);
    void RemoveModules() { modules_.clear(); }
    // Where dropped files open and closing documents save.
    void SetFileCommands(FileCommands* files);
    // Opens a picture file as a new image document (dropped files, the start).
    void OpenPicture(const std::string& path);
    // Shows the window in the state the settings (or the first-run setup) ask for.
    void ShowAtStart();
    // A start with files shows no splash.
    void ClearFirstActivation() { firstActivation_ = false; }
    bool SplashShowing() const { return SplashPanel.Exists() && SplashPanel.Visible(); }

    forms::Panel SplashPanel;
    forms::PictureView Splash;
    forms::Timer SplashTimer;

    // DocumentHost
    HWND MdiClient() const override { return mdiClient_; }
    void SetMainTitle(std::string_view fileName) override;
    void SetStatusPanel(int panel, std::string_view text) override;
    void ShowColorInfo(Color color) override;
    void ResetProgress() override;
    void ImageDocumentActivated(TChildWin& document) override;
    void DocumentClosed(TChildWin& document) override;
    bool CloseQuestion() const override { return Options.CloseQuestion; }
    HCURSOR ToolCursor() const override;
    int Ask(std::string_view text, UINT buttons) override;
    bool SaveDocument(TChildWin& document) override;
    void ViewPointer(TChildWin& document, const ViewPointerEvent& event) override;

    // PaintHost
    ToolNumber ChosenTool() const override { return static_cast<ToolNumber>(CurrentTool); }
    PaintStroke& CurrentStroke() override { return Stroke; }
    Color FgColor() const override { return Options.FgColor; }
    Color BgColor() const override { return Options.BgColor; }
    void ChooseColor(bool foreground) override;

    // CommandHost
    HWND Owner() const override { return Handle(); }
    void BindCommand(UINT command, std::function<void()> handler) override;
    bool ItemChecked(UINT command) const override;
    void SetItemChecked(UINT command, bool checked) override;
    HMENU MainMenu() const override { return MainMenu1.get(); }
    void UpdateMenuItems() override;
    void RepaintFrame() override { Repaint(); }
    TChildWin* ActiveImageDocument() const override;
    TChildWin* Current() const override { return CurrentDocument; }
    void SetCurrent(TChildWin* document) override { CurrentDocument = document; }
    TChildWin& NewImageDocument(std::shared_ptr<forms::DibSection> picture) override;
    TChildWin& OpenResultWindow(std::shared_ptr<forms::DibSection> picture) override;
    void ChangeInPlace(TChildWin& doc, const InPlaceOperation& operation, bool snapshot = true) override;
    void FilterIntoNewWindow(TChildWin& source, const IntoNewWindowFilter& filter,
                             GrowingRepaints repaints = {}) override;
    void RenderIntoNewWindow(TChildWin& source, Size size, const IntoNewWindowFilter& filter,
                             GrowingRepaints repaints = {}, FrameKind frame = FrameKind::kScreenFormat) override;
    bool RenderNewPicture(Size size, const IntoNewPicture& render, GrowingRepaints repaints = {}) override;
    void ReportError(std::string_view message) override;
    void ShowInformation(std::string_view text) override;
    bool ExecuteFileDialog(forms::FileDialog& dialog, bool save) override;
    void ShowInfoText(std::string_view text) override;
    Progress& StatusProgress() override { return statusProgress_; }
    const ImagingContext& Imaging() const override { return imagingContext_; }
    Settings& ProgramSettings() override { return Options; }
    PictureCodecs Codecs() override { return PictureCodecs{SharedJpeg, &statusProgress_}; }

    // WarpHost
    forms::ToolBar& WarpToolBar() override { return ToolBar4; }
    void ShowWarpToolBar() override;
    void WarpWindowActivated() override;
    // A browser window became active: the menus follow window kind 2.
    void BrowserWindowActivated();
    void ShowWarpInfo(std::string_view text) override;
    void AddRecentFile(const std::string& path) override;
    bool WarpToolBarShown() const { return toolBar4Shown_; }

    // Who answers the program's questions: a message box, or a test.
    std::function<int(std::string_view text, UINT buttons)> Answer;
    // Who fills in the open and save dialogs: the common dialogs, or a test.
    std::function<bool(forms::FileDialog& dialog, bool save)> FileDialogRunner;
    // Where failures go: the application's error box, or a test.
    std::function<void(std::string_view message)> ErrorBox;
    // Where the program's information messages go: a message box, or a test.
    std::function<void(std::string_view text)> Inform;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormResize() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    void FormDestroy() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The result window opens on makeResult(source picture) and the filter
    // writes into it as it grows; on failure the window goes again.
    void GrowIntoNewWindow(TChildWin& source,
                           const std::function<std::shared_ptr<forms::DibSection>(ConstPixelView)>& makeResult,
                           FrameKind frame, const IntoNewWindowFilter& filter, GrowingRepaints repaints);
    // The window opens on `result` and `render` writes into it as it grows.
    bool GrowResult(std::shared_ptr<forms::DibSection> result, FrameKind frame, const IntoNewPicture& render,
                    GrowingRepaints repaints);
    void CreateMenus();
    void ReadSettingsFile();
    void ApplySettings();
    void WriteSettingsFile();
    void ApplyWindowState();
    void CreateToolBars();
    void CreateStatusBar();
    void BindCommands();
    void LayoutChildren();
    void ShowNormalToolBar();

    // The frame's own handlers (view_form_frame.cpp).
    void MaximButtonClick();
    void Informanlita1Click();
    void FgColorClick();
    void BgColorClick();
    void Image1MouseDown(forms::MouseButton button, int x, int y);
    void ClosePanel1CloseClick();
    void ClosePanel1RollClick();
    void ToolButtonClick(UINT command);
    void FilesDropped(HDROP drop);
    void PrepareSplash();
    // The pointer is over the main window itself or its tool bars.
    void PointerOverFrame();
    void UnrollInfoPanel();
    void SplashTimerTimer();

    forms::UniqueAccel accelerators_;
    std::vector<std::unique_ptr<TChildWin>> documents_;
    std::vector<std::unique_ptr<TChildWin>> closed_;  // freed once their messages are done
    forms::ErrorReporter previousReporter_;           // put back when this window goes
    std::vector<CommandModule*> modules_;
    FileCommands* files_ = nullptr;
    ImagingContext imagingContext_;
    forms::BarProgress statusProgress_{StatusInfo};
    bool toolBar4Shown_ = false;
    bool firstActivation_ = false;
    bool maximiseAtStart_ = false;
    StartOptions options_;
};

}  // namespace kelbo
