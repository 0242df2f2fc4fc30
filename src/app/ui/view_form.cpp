#include "app/ui/view_form.h"

#include <shellapi.h>

#include <stdexcept>

#include "app/glyphs.h"
#include "app/main_menu.h"
#include "app/ui/about_dial.h"
#include "app/ui/first_run.h"
#include "app/ui/settings_location.h"
#include "core/ini_file.h"
#include "paint/ui/tool_cursors.h"
#include "core/text_encoding.h"
#include "forms/dialogs.h"
#include "forms/menu.h"
#include "forms/text.h"

namespace kelbo {

namespace {

constexpr UINT kReapClosedDocuments = WM_APP + 1;

void BuildMenu(HMENU menu, const std::vector<MenuNode>& nodes) {
    for (const MenuNode& n : nodes) {
        if (n.IsSeparator()) {
            forms::AppendSeparator(menu);
        } else if (n.IsPopup()) {
            BuildMenu(forms::AppendSubmenu(menu, n.caption), n.children);
        } else {
            forms::AppendItem(menu, n.command, n.caption, ShortcutText(n.shortcut));
            if (n.checked) forms::SetItemChecked(menu, n.command, true);
        }
    }
}

Bitmap24 StripOf(std::initializer_list<Glyph> glyphs) {
    const std::vector<Glyph> list(glyphs);
    return GlyphStrip(list);
}

}  // namespace

TViewForm::TViewForm(StartOptions options) : options_(std::move(options)) {
    imagingContext_.currentPicture = [this]() -> std::shared_ptr<forms::DibSection> {
        return CurrentDocument ? CurrentDocument->Image1.Picture() : nullptr;
    };
    imagingContext_.progress = &statusProgress_;
}

TViewForm::~TViewForm() {
    forms::SetErrorReporter(std::move(previousReporter_));
    documents_.clear();
    Destroy();
}

void TViewForm::Create() {
    // What escapes a handler is shown as every other error of the program.
    previousReporter_ = forms::SetErrorReporter([this](HWND, std::string_view message) { ReportError(message); });
    CreateHandle(kClassName, WS_EX_ACCEPTFILES, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, "Kelbo", {100, 100, 450, 300},
                 nullptr, nullptr, forms::WindowKind::kMdiFrame, CS_DBLCLKS,
                 reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    if (!mdiClient_) throw std::runtime_error("Cannot create the main window");
}

void TViewForm::FormCreate() {
    CreateMenus();
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 0xFF00;
    mdiClient_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                 WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                                 Handle(), nullptr, forms::ModuleInstance(), &ccs);
    CreateToolBars();
    Panel1.Create(Handle());
    Panel1.FgColor.OnClick = [this] { FgColorClick(); };
    Panel1.BgColor.OnClick = [this] { BgColorClick(); };
    Panel1.FgColor.OnMouseMove = [this](WPARAM, int, int) { ShowColorInfo(Options.FgColor); };
    Panel1.BgColor.OnMouseMove = [this](WPARAM, int, int) { ShowColorInfo(Options.BgColor); };
    Panel1.Image1.OnMouseMove = [this](WPARAM, int x, int y) { ShowColorInfo(Panel1.ChartColorAt(x, y)); };
    Panel1.Image1.OnMouseDown = [this](forms::MouseButton b, WPARAM, int x, int y) { Image1MouseDown(b, x, y); };
    Panel1.OnMouseMove = [this](WPARAM, int, int) {
        Panel1.ClearColor();
        SetStatusPanel(0, "");
    };
    Panel1.ClosePanel1.OnCloseClick = [this](controls::TClosePanel&) { ClosePanel1CloseClick(); };
    Panel1.ClosePanel1.OnRollClick = [this](controls::TClosePanel&) { ClosePanel1RollClick(); };
    Panel1.ClosePanel1.OnMouseMove = [this](WPARAM, int, int) { UnrollInfoPanel(); };
    CreateStatusBar();
    BindCommands();
    forms::SetMainAccelerators(Handle(), accelerators_.get(), mdiClient_);

    if (!options_.noSettings) ReadSettingsFile();
    ApplySettings();
    if (!options_.noSplash) PrepareSplash();
    SetText("Kelbo");
    if (!options_.noSetup) {
        RunFirstRunSetup(
            CurrentPaths(), [this](const std::string& message) { forms::ShowError(Handle(), message); },
            [this] { maximiseAtStart_ = true; });
    }
    SplitControl = std::make_unique<controls::TSplitControl>(Handle());
    LayoutChildren();
    UpdateMenuItems();
    firstActivation_ = true;
}

void TViewForm::ReadSettingsFile() {
    try {
        Options = ReadSettings(IniFile(SettingsFilePath()));
    } catch (const std::exception& e) {
        // An unreadable file leaves the defaults; the user learns why.
        forms::ShowError(Handle(), e.what());
    }
}

void TViewForm::ApplySettings() {
    SetFgColor(Options.FgColor);
    SetBgColor(Options.BgColor);
    Panel1.SetRolled(Options.InfoAutoRollType);
    Panel1.SetVisible(Options.InfoVisible);
    forms::SetItemChecked(MainMenu1.get(), Informanlita1, Options.InfoVisible);
    forms::SetItemChecked(MainMenu1.get(), Paleta1, Options.PaletteVisible);
    forms::SetItemChecked(MainMenu1.get(), Nradie1, Options.ToolsVisible);
    if (!options_.noSettings) SetCurrentDirectoryW(forms::Wide(Options.Directory).c_str());  // failure is ignored
    if (Options.WindowState != 1)
        SetWindowPos(Handle(), nullptr, Options.Left, Options.Top, Options.Width, Options.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TViewForm::ShowAtStart() {
    int show = SW_SHOWNORMAL;
    if (Options.WindowState == 2) show = SW_SHOWMINIMIZED;
    if (Options.WindowState == 1 || maximiseAtStart_) show = SW_SHOWMAXIMIZED;
    ShowWindow(Handle(), show);
    SetForegroundWindow(Handle());
}

void TViewForm::WriteSettingsFile() {
    Settings s = Options;
    wchar_t dir[MAX_PATH]{};
    if (GetCurrentDirectoryW(MAX_PATH, dir)) s.Directory = forms::Narrow(dir);
    s.WindowState = IsZoomed(Handle()) ? 1 : IsIconic(Handle()) ? 2 : 0;
    // The restored bounds, so that a maximised or minimised window comes back
    // at its normal place.
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (GetWindowPlacement(Handle(), &wp)) {
        s.Left = wp.rcNormalPosition.left;
        s.Top = wp.rcNormalPosition.top;
        s.Width = wp.rcNormalPosition.right - wp.rcNormalPosition.left;
        s.Height = wp.rcNormalPosition.bottom - wp.rcNormalPosition.top;
    }
    s.InfoVisible = forms::ItemChecked(MainMenu1.get(), Informanlita1);
    s.PaletteVisible = forms::ItemChecked(MainMenu1.get(), Paleta1);
    s.ToolsVisible = forms::ItemChecked(MainMenu1.get(), Nradie1);
    s.InfoAutoRollType = Panel1.Rolled();
    try {
        IniFile ini(SettingsFilePath());
        WriteSettings(s, ini);
        ini.Save();
    } catch (const std::exception& e) {
        forms::ShowError(nullptr, e.what());
    }
}

void TViewForm::PrepareSplash() {
    auto picture = LoadSplashPicture();
    if (!picture) return;  // no splash; the rest of the start goes on
    const Point at = SplashPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), picture->Width(),
                                    picture->Height());
    // Named so that outside tools can tell it from the other panels.
    SplashPanel.Create(Handle(), {at.x, at.y, picture->Width(), picture->Height()}, "Splash", false);
    SplashPanel.SetVisible(false);
    Splash.Create(SplashPanel.Handle(), {0, 0, picture->Width(), picture->Height()});
    Splash.SetPicture(std::move(picture));
    SplashTimer.SetInterval(5000);
    SplashTimer.OnTimer = [this] { SplashTimerTimer(); };
}

void TViewForm::FormActivate() {
    if (!firstActivation_) return;
    firstActivation_ = false;
    if (!SplashPanel.Exists()) return;
    SetWindowPos(SplashPanel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SplashTimer.SetEnabled(true);
}

void TViewForm::SplashTimerTimer() {
    SplashTimer.SetEnabled(false);
    Splash.Destroy();
    SplashPanel.Destroy();
}

void TViewForm::CreateMenus() {
    MainMenu1.reset(CreateMenu());
    BuildMenu(MainMenu1.get(), MainMenuTree());
    SetMenu(Handle(), MainMenu1.get());
    forms::SetItemChecked(MainMenu1.get(), Informanlita1, true);
    PopupMenu1.reset(CreatePopupMenu());
    BuildMenu(PopupMenu1.get(), PopupMenuTree());
    HMENU system = GetSystemMenu(Handle(), FALSE);
    forms::AppendSeparator(system);
    BuildMenu(system, SystemMenuAdditions());
    std::vector<forms::Accelerator> keys;
    for (const ShortcutBinding& b : ShortcutBindings()) keys.push_back({b.key, b.command});
    accelerators_ = forms::MakeAccelerators(keys);
}

void TViewForm::CreateToolBars() {
    using B = forms::ToolButton;
    const std::vector<B> bar1 = {
        {NewButton, B::kButton, "Vytvoriť nový obrázok"},
        {OpenButton, B::kButton, "Otvoriť súbor s obrázkom"},
        {WarpingButton, B::kButton, "Otvoriť súbor s okne pre Warping"},
        {BrowserButton, B::kButton, "Správca obrázkov"},
        {0, B::kSeparator, ""},
        {SaveButton, B::kButton, "Uložiť súbor"},
        {SaveAsButton, B::kButton, "Uložiť súbor pod iným názvom..."},
        {0, B::kSeparator, ""},
        {UndoButton, B::kButton, "Krok späť, odstráni poslednú funkciu"},
        {RedoButton, B::kButton, "Zruš krok späť"},
        {0, B::kSeparator, ""},
        {CutButton, B::kButton, "Vybrať/cut"},
        {CopyButton, B::kButton, "Copy/kopírovať"},
        {PasteButton, B::kButton, "Vložiť/paste, do aktuálneho obrázku..."},
        {0, B::kSeparator, ""},
        {HistogramButton, B::kButton, "Otvoriť okno histogramu"},
        {ToolsButton, B::kButton, "Otvoriť okno s náradím"},
        {ViewButton, B::kButton, "Zobrazenie obrázku na celú obrazovku..."},
        {MaximButton, B::kCheck, "Natiahnutie programu na celú obrazovku"},
    };
    const Bitmap24 glyphs1 = StripOf({Glyph::kNew, Glyph::kOpen, Glyph::kWarping, Glyph::kBrowser, Glyph::kSave,
                                      Glyph::kSaveAs, Glyph::kUndo, Glyph::kRedo, Glyph::kCut, Glyph::kCopy,
                                      Glyph::kPaste, Glyph::kHistogram, Glyph::kTools, Glyph::kView, Glyph::kMaxim});
    ToolBar1.Create(Handle(), bar1, glyphs1.ConstView(), kGlyphMaskColor);

    const std::vector<B> bar2 = {
        {ArrowButton, B::kGroup, "Žiadna funkcia"},
        {ZoomButton, B::kGroup, "Zväčšenie/zmenšenie obrázku"},
        {PickButton, B::kGroup, "Vyber farbu z obrázku"},
        {PenButton, B::kGroup, "Štetec"},
        {LineButton, B::kGroup, "Čiara"},
        {FillButton, B::kGroup, "Vypĺňanie plôch"},
        {ShapeButton, B::kGroup, "Rôzne geomtrické útvary (elipsa, kružnica, obdĺžnik...)"},
        {CropButton, B::kGroup, "Orezanie obrázku"},
        {TextButton, B::kGroup, "Text"},
    };
    const Bitmap24 glyphs2 = StripOf({Glyph::kArrow, Glyph::kZoom, Glyph::kPick, Glyph::kPen, Glyph::kLine,
                                      Glyph::kFill, Glyph::kShape, Glyph::kCrop, Glyph::kText});
    ToolBar2.Create(Handle(), bar2, glyphs2.ConstView(), kGlyphMaskColor);
    ToolBar2.SetDown(ArrowButton, true);

    const std::vector<B> bar4 = {
        {AddButton, B::kGroup, "Pridaj bod siete"},
        {DelButton, B::kGroup, "Uber bod siete"},
        {EditButton, B::kGroup, "Edituj alebo zvoľ bod"},
        {0, B::kSeparator, ""},
        {EditDialButton, B::kButton, "Otvor editačné okno..."},
        {0, B::kSeparator, ""},
        {NoWarpButton, B::kGroup, "Prepni sa do normálneho módu"},
        {WarpButton, B::kGroup, "Prepni sa do Warping-módu"},
        {0, B::kSeparator, ""},
        {WarpNowButton, B::kButton, "Vykonaj warping..."},
        {MovieButton, B::kButton, "Vytvorenie animácie..."},
        {0, B::kSeparator, ""},
        {LoadButton, B::kButton, "Načítaj sieť z disku"},
        {SaveItButton, B::kButton, "Ulož sieť na disk..."},
        {SpeedButton1, B::kButton, "Ulož sieť na disk..."},
    };
    const Bitmap24 glyphs4 = StripOf({Glyph::kAdd, Glyph::kDel, Glyph::kEdit, Glyph::kEditDial, Glyph::kNoWarp,
                                      Glyph::kWarp, Glyph::kWarpNow, Glyph::kMovie, Glyph::kLoad, Glyph::kSaveIt,
                                      Glyph::kSwap});
    ToolBar4.Create(Handle(), bar4, glyphs4.ConstView(), kGlyphMaskColor);
    ToolBar4.SetDown(AddButton, true);
    ToolBar4.SetDown(NoWarpButton, true);
    ToolBar4.SetVisible(false);

    for (forms::ToolBar* bar : {&ToolBar1, &ToolBar2, &ToolBar4})
        bar->OnButton = [this](UINT command) { ToolButtonClick(command); };
}

void TViewForm::CreateStatusBar() {
    StatusBar1.Create(Handle());
    StatusInfo.Create(StatusBar1.Handle(), {0, 0, 0, 0});
    StatusInfo.SetMax(100);
    StatusInfo.SetPosition(0);
}

void TViewForm::LayoutChildren() {
    if (!mdiClient_) return;
    const SIZE client = ClientSize();
    StatusBar1.FitToParent();
    const int statusHeight = StatusBar1.IdealHeight();
    // Panel 1 takes what panels 0 (60) and 2 (100) leave; StatusInfo fills it less 4.
    const int middle = std::max(0, static_cast<int>(client.cx) - 60 - 100);
    StatusBar1.SetPanelWidths({60, middle, 100});
    // StatusInfo is panel 1's width less 4, inside the panel's frame.
    const RECT p1 = StatusBar1.PanelRect(1);
    StatusInfo.SetBounds({p1.left + 1, p1.top + 1, std::max(0, middle - 4), p1.bottom - p1.top - 2});

    int top = 0;
    const int barHeight = ToolBar1.IdealHeight();
    ToolBar1.SetBounds({0, top, client.cx, barHeight});
    top += barHeight;
    forms::ToolBar& tools = toolBar4Shown_ ? ToolBar4 : ToolBar2;
    tools.SetBounds({0, top, client.cx, barHeight});
    top += barHeight;

    const int bottom = client.cy - statusHeight;
    int right = client.cx;
    if (Panel1.Visible()) {
        if (Panel1.Rolled()) {
            Panel1.SetBounds({client.cx - InfoPanel::kWidth, top, InfoPanel::kWidth, InfoPanel::kRolledHeight});
        } else {
            Panel1.SetBounds({client.cx - InfoPanel::kWidth, top, InfoPanel::kWidth, std::max(0, bottom - top)});
            right -= InfoPanel::kWidth;
        }
    }
    MoveWindow(mdiClient_, 0, top, std::max(0, right), std::max(0, bottom - top), TRUE);
    if (Panel1.Visible() && Panel1.Rolled())
        SetWindowPos(Panel1.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TViewForm::FormResize() { LayoutChildren(); }

int TViewForm::RunMessageLoop() const {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (forms::PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

TChildWin* TViewForm::ActiveImageDocument() const {
    const HWND active = forms::ActiveMdiChild(mdiClient_);
    if (!active) return nullptr;
    for (const auto& d : documents_)
        if (d->Handle() == active) return d.get();
    return nullptr;
}

int TViewForm::ChildCount() const { return static_cast<int>(forms::MdiChildren(mdiClient_).size()); }

TChildWin& TViewForm::NewDocument(std::shared_ptr<forms::DibSection> picture, FrameKind frame) {
    auto doc = std::make_unique<TChildWin>(*this);
    TChildWin& ref = *doc;
    documents_.push_back(std::move(doc));
    ref.SetPicture(std::move(picture), frame);
    CurrentDocument = &ref;
    UpdateMenuItems();
    return ref;
}

void TViewForm::UpdateMenuItems() {
    HMENU menu = MainMenu1.get();
    if (!menu) return;
    TChildWin* active = ActiveImageDocument();
    MenuStateInput in;
    in.childCount = ChildCount();
    in.activeKind = ActiveKind;
    in.hasActiveChild = active != nullptr;
    if (active) {
        in.undoPosition = active->UndoPosition();
        in.undoTop = active->UndoTop();
    }
    const MenuState s = ComputeMenuState(in);
    for (Command c : WorkableCommands()) forms::SetItemEnabled(menu, c, s.workable);
    forms::SetItemEnabled(menu, Rchleprezeranie1, s.fastView);
    ToolBar1.SetButtonEnabled(UndoButton, s.undo);
    ToolBar1.SetButtonEnabled(RedoButton, s.redo);
    forms::SetItemEnabled(menu, Undokroksp1, s.undo);
    forms::SetItemEnabled(menu, Redoodstrkroksp1, s.redo);
    DrawMenuBar(Handle());
}

void TViewForm::SetMainTitle(std::string_view fileName) {
    const std::string title = MainTitle(fileName);
    SetText(title);
}

void TViewForm::SetStatusPanel(int panel, std::string_view text) { StatusBar1.SetPanelText(panel, text, panel == 2); }

void TViewForm::ShowColorInfo(Color color) { Panel1.ShowColor(color); }

void TViewForm::ResetProgress() { StatusInfo.SetPosition(0); }

void TViewForm::ImageDocumentActivated(TChildWin& document) {
    ShowNormalToolBar();
    ActiveKind = WindowKindId::kImage;
    CurrentDocument = &document;
    UpdateMenuItems();
}

void TViewForm::ShowNormalToolBar() {
    if (!toolBar4Shown_) return;
    toolBar4Shown_ = false;
    ToolBar4.SetVisible(false);
    ToolBar2.SetVisible(true);
    LayoutChildren();
}

void TViewForm::ShowWarpToolBar() {
    if (toolBar4Shown_) return;
    toolBar4Shown_ = true;
    ToolBar2.SetVisible(false);
    ToolBar4.SetVisible(true);
    LayoutChildren();
}

void TViewForm::BrowserWindowActivated() {
    ActiveKind = WindowKindId::kBrowser;
    UpdateMenuItems();
}

void TViewForm::WarpWindowActivated() {
    ActiveKind = WindowKindId::kWarp;
    UpdateMenuItems();
}

void TViewForm::DocumentClosed(TChildWin& document) {
    if (CurrentDocument == &document) CurrentDocument = nullptr;
    for (CommandModule* module : modules_) module->DocumentClosed(document);
    for (auto it = documents_.begin(); it != documents_.end(); ++it) {
        if (it->get() == &document) {
            closed_.push_back(std::move(*it));
            documents_.erase(it);
            break;
        }
    }
    if (Exists()) {
        PostMessageW(Handle(), kReapClosedDocuments, 0, 0);
        UpdateMenuItems();
    }
}

HCURSOR TViewForm::ToolCursor() const { return kelbo::ToolCursor(static_cast<ToolNumber>(CurrentTool)); }

void TViewForm::ViewPointer(TChildWin& document, const ViewPointerEvent& event) {
    for (CommandModule* module : modules_) module->ViewPointer(document, event);
}

void TViewForm::SetFgColor(Color color) {
    Options.FgColor = color;
    if (Panel1.FgColor.Exists()) Panel1.FgColor.SetColor(color);
    for (CommandModule* module : modules_) module->ColorsChanged();
}

void TViewForm::SetBgColor(Color color) {
    Options.BgColor = color;
    if (Panel1.BgColor.Exists()) Panel1.BgColor.SetColor(color);
    for (CommandModule* module : modules_) module->ColorsChanged();
}

bool TViewForm::FormCloseQuery() {
    if (!Options.ExitQuestion) return true;
    return Ask("Chcete naozaj vypnúť tento program ?", MB_YESNO) == IDYES;
}

void TViewForm::FormClose() {
    // Each document asks its own question; one that refuses keeps the program open.
    for (HWND h : forms::MdiChildren(mdiClient_)) {
        if (!IsWindow(h)) continue;
        SendMessageW(h, WM_CLOSE, 0, 0);
        if (IsWindow(h)) return;
    }
    DestroyWindow(Handle());
}

void TViewForm::FormDestroy() {
    WinHelpW(Handle(), nullptr, HELP_QUIT, 0);
    if (!options_.noSettings) WriteSettingsFile();
    forms::SetMainAccelerators(nullptr, nullptr, nullptr);
    PostQuitMessage(0);
}

LRESULT TViewForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        // The frame places its client itself; DefFrameProc would stretch it over the bars.
        LayoutChildren();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) < 0xF000 && RunCommand(static_cast<UINT>(wParam & 0xFFF0))) return 0;
        break;
    case WM_CONTEXTMENU: {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        TrackPopupMenu(PopupMenu1.get(), TPM_RIGHTBUTTON, pt.x, pt.y, 0, Handle(), nullptr);
        return 0;
    }
    case WM_DROPFILES: FilesDropped(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_SETCURSOR:
        if (HIWORD(lParam) == WM_MOUSEMOVE) {
            const auto over = reinterpret_cast<HWND>(wParam);
            if (over == Handle() || over == mdiClient_ || over == ToolBar1.Handle() || over == ToolBar2.Handle() ||
                over == ToolBar4.Handle())
                PointerOverFrame();
        }
        break;
    case kWakeUpMessage: ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW); return 0;
    case kReapClosedDocuments:
        closed_.clear();
        UpdateMenuItems();
        return 0;
    case WM_NCDESTROY: documents_.clear(); break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

void TViewForm::FilesDropped(HDROP drop) {
    std::wstring first;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        first.resize(DragQueryFileW(drop, 0, nullptr, 0) + 1);
        const UINT n = DragQueryFileW(drop, 0, first.data(), static_cast<UINT>(first.size()));
        first.resize(n);
    }
    DragFinish(drop);
    if (!first.empty()) OpenPicture(forms::Narrow(first));
}

void TViewForm::PointerOverFrame() {
    Panel1.ClearColor();
    SetStatusPanel(0, "");
    Stroke.inProgress = false;
    Stroke.button = 0;
    // A rolled-up information panel that was opened by the pointer rolls up again.
    if (Panel1.Rolled() && Panel1.Visible() && Panel1.Height() != InfoPanel::kRolledHeight) LayoutChildren();
    for (CommandModule* module : modules_) module->PointerOverFrame();
}

void TViewForm::UnrollInfoPanel() {
    if (!Panel1.Rolled()) return;
    const SIZE client = ClientSize();
    const forms::Bounds b = Panel1.GetBounds();
    Panel1.SetBounds({b.left, b.top, b.width, static_cast<int>(client.cy) - b.top});
}

}  // namespace kelbo
