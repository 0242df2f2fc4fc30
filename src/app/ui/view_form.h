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
#include "app/ui/imaging_dialogs.h"
#include "app/ui/info_panel.h"
#include "codecs/jpeg_image.h"
#include "controls/adv_status_bar.h"
#include "document/recent_files.h"
#include "document/ui/child_win.h"
#include "document/ui/document_host.h"
#include "forms/dialogs.h"
#include "forms/form.h"
#include "forms/handle.h"
#include "forms/status_bar.h"
#include "forms/timer.h"
#include "forms/toolbar.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TZoomDial;
class TAboutDial;
class TOptionsDial;
struct HistoHost;
class TGamaDial;

class TViewForm : public forms::Form, public DocumentHost {
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

    // State.
    std::uint8_t CurrentTool = 0;  // 0 arrow ... 8 crop
    bool StrokeInProgress = false;
    POINT StrokeStart{};
    POINT StrokeLast{};
    std::uint8_t PressedButton = 0;  // 0 left, 1 right
    WindowKindId ActiveKind = WindowKindId::kImage;
    TChildWin* CurrentDocument = nullptr;
    // The program's one JPEG picture, with the class defaults for the whole
    // run: every JPEG opened and saved takes its settings.
    TJPEGImage SharedJpeg;
    // The settings of "kelbo.ini", read at creation and written at destruction.
    Settings Options;

    void SetFgColor(Color color);
    void SetBgColor(Color color);
    void UpdateMenuItems();
    TChildWin* ActiveImageDocument() const;
    int ChildCount() const;
    // A new image document on a picture (the creation paths' shared step).
    TChildWin& NewDocument(std::shared_ptr<forms::DibSection> picture, FrameKind frame);
    void SetDialogs(TZoomDial* zoom, TAboutDial* about, TOptionsDial* options) {
        zoomDial_ = zoom;
        aboutDial_ = about;
        optionsDial_ = options;
    }
    void SetImagingDialogs(const ImagingDialogs& dialogs) { imaging_ = dialogs; }
    // The gamma dialog of the last "Gama korekcia", while it lives.
    TGamaDial* GammaDialog() const { return gamaDial_.get(); }
    // The current document's picture and the progress bar, for the dialogs
    // of the operations; lives as long as the main window.
    const ImagingContext& Imaging() const { return imagingContext_; }
    Progress& StatusProgress() { return statusProgress_; }

    // An operation's result in a new image document "nepomenovaný".
    TChildWin& OpenResultWindow(std::shared_ptr<forms::DibSection> picture);
    // The in-place pattern: the current document takes an undo snapshot
    // (when asked), the operation rewrites its picture with progress on
    // StatusInfo, and the view is repainted.
    void ChangeInPlace(TChildWin& doc, const std::function<void(PixelView, Progress*)>& operation,
                       bool snapshot = true);
    // The into-a-new-window pattern: the source is read, never changed; the
    // filter writes its result straight into the new document's picture.
    void FilterIntoNewWindow(TChildWin& source,
                             const std::function<void(ConstPixelView, PixelView, Progress*)>& filter);
    // Opens a picture file as a new image document.
    void OpenPicture(const std::string& path);
    // The recent-files list of the File menu (and the shell's recent documents).
    void AddRecentFile(const std::string& path);
    const RecentFiles& Recent() const { return recent_; }
    // Save and Save As of one document.
    void SaveDocument(TChildWin& doc);
    void SaveDocumentAs(TChildWin& doc);
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
    // Who answers the program's questions: a message box, or a test.
    std::function<int(std::string_view text, UINT buttons)> Answer;
    // Who fills in the open and save dialogs: the common dialogs, or a test.
    std::function<bool(forms::FileDialog& dialog, bool save)> FileDialogRunner;
    bool ExecuteFileDialog(forms::FileDialog& dialog, bool save);
    // Where failures go: the application's error box, or a test.
    std::function<void(std::string_view message)> ErrorBox;
    void ReportError(std::string_view message);
    // Where the program's information messages go: a message box, or a test.
    std::function<void(std::string_view text)> Inform;
    void ShowInformation(std::string_view text);

    // The histogram window's link to this window, its place and roll state.
    HistoHost HistogramHost();
    int HistoLeft = 100;
    int HistoTop = 100;
    bool HistoRolled = false;

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormResize() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    void FormDestroy() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
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

    // Handlers (menu items and buttons with the same meaning share them).
    void BindFileCommands();
    void BindColourCommands();     // view_form_colour.cpp
    void BindFilterCommands();     // view_form_filters.cpp
    void BindHistogramCommands();  // view_form_histogram.cpp
    void ShowRecentFiles();
    void RecentFileClick(int index);
    void Otvor1Click();
    void Ulo1Click();
    void Uloako1Click();
    void Ulovetky1Click();
    void Zmaza1Click();
    // Writes in the document's recorded format; false (error shown) on failure.
    bool WriteDocument(TChildWin& doc, const std::string& path);
    void UndoClick();
    void RedoClick();
    void ZoomTo(int percent);
    void Invekos1Click();
    void MaximButtonClick();
    void Wallpaper(bool tiled);
    void istitapetu1Click();
    void Priesvitnikony1Click();
    void Kaskda1Click();
    void Dlaba1Click();
    void Zatvor1Click();
    void Zatvorvetky1Click();
    void Maximalizova1Click();
    void Minimalizova1Click();
    void Minimalizujvetky1Click();
    void Usporiadajikonky1Click();
    void Informanlita1Click();
    void Popisfunkci1Click();
    void Autorovahomepage1Click();
    void Poliemailautorovi1Click();
    void Zaniupdate1Click();
    void Oprograme1Click();
    void ExitKoniec1Click();
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
    void RollUpHistogram();  // view_form_histogram.cpp
    void SplashTimerTimer();

    forms::UniqueAccel accelerators_;
    std::vector<std::unique_ptr<TChildWin>> documents_;
    std::vector<std::unique_ptr<TChildWin>> closed_;  // freed once their messages are done
    TZoomDial* zoomDial_ = nullptr;
    TAboutDial* aboutDial_ = nullptr;
    TOptionsDial* optionsDial_ = nullptr;
    forms::ErrorReporter previousReporter_;  // put back when this window goes
    ImagingDialogs imaging_;
    // Made anew at each use and shown without blocking the main window.
    std::unique_ptr<TGamaDial> gamaDial_;
    // The document whose undo snapshot the open gamma dialog took.
    TChildWin* gammaSnapshotOf_ = nullptr;
    ImagingContext imagingContext_;
    forms::BarProgress statusProgress_{StatusInfo};
    bool toolBar4Shown_ = false;
    bool firstActivation_ = false;
    bool maximiseAtStart_ = false;
    RecentFiles recent_;
    StartOptions options_;
};

}  // namespace kelbo
