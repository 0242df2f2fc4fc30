#include "browser/ui/browser_win.h"

#include <mmsystem.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "app/settings.h"
#include "browser/thumbnail.h"
#include "browser/thumbnail_layout.h"
#include "browser/tree_nodes.h"
#include "browser/ui/browser_images.h"
#include "browser/ui/disk_folder.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"
#include "forms/dib.h"
#include "forms/handle.h"
#include "forms/text.h"

namespace kelbo {
namespace {

constexpr int kTreeWidth = 193;
constexpr int kSplitterWidth = 2;
constexpr UINT kOpenItem = 1, kWarpItem = 2, kDeleteItem = 3, kRenameItem = 4, kCopyItem = 5, kHideItem = 6;

// The worker's hand-offs, as messages of the window's own dispatcher.
class DispatchExecutor : public UiExecutor {
public:
    explicit DispatchExecutor(controls::UiDispatcher& dispatcher) : dispatcher_(dispatcher) {}
    void Post(std::function<void()> fn) override { dispatcher_.Post(std::move(fn)); }

private:
    controls::UiDispatcher& dispatcher_;
};

// Read and shrunk on the worker thread, with a JPEG picture of its own.
Thumbnail MakeFileThumbnail(const std::string& filePath) {
    TJPEGImage jpeg;
    LoadedPicture picture = LoadPictureFile(PathFromUtf8(filePath), PictureCodecs{jpeg, nullptr});
    if (!picture.read) throw std::runtime_error(filePath + ": not a picture the browser can read");
    return {{picture.bitmap.Width(), picture.bitmap.Height()}, MakeThumbnail(picture.bitmap.View())};
}

// The system's words for the last failure (the run-time input/output error).
std::string LastErrorText() { return std::system_category().message(static_cast<int>(GetLastError())); }

}  // namespace

// --- ThumbnailBox -----------------------------------------------------------

void ThumbnailBox::Create(HWND parent, const forms::Bounds& b) {
    CreateHandle(L"KelboThumbnailBox", 0, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN, "", b, parent, nullptr,
                 forms::WindowKind::kPlain, CS_DBLCLKS, GetSysColorBrush(COLOR_WINDOW));
}

LRESULT ThumbnailBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_VSCROLL:
        if (OnScroll) OnScroll(LOWORD(wParam), 0);
        return 0;
    case WM_MOUSEWHEEL:
        if (OnScroll) OnScroll(-1, GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove();
        return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
}

// --- TBrowserButton ---------------------------------------------------------

TBrowserButton::TBrowserButton(TBrowserWin& browser, HWND parent, std::string filePath)
    : FilePath(std::move(filePath)), Browser(browser) {
    CreateHandle(L"TBrowserButton", 0, WS_CHILD, "", {0, 0, kThumbnailButtonSize.width, kThumbnailButtonSize.height},
                 parent, nullptr, forms::WindowKind::kPlain, CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
}

void TBrowserButton::SetGlyph(std::shared_ptr<forms::DibSection> glyph, Size picture) {
    glyph_ = std::move(glyph);
    PictureWidth = picture.width;
    PictureHeight = picture.height;
    Invalidate();
}

void TBrowserButton::Paint() {
    forms::PaintScope paint(Handle());
    RECT face{0, 0, kThumbnailButtonSize.width, kThumbnailButtonSize.height};
    FillRect(paint.dc(), &face, GetSysColorBrush(COLOR_BTNFACE));
    if (hot_) DrawEdge(paint.dc(), &face, BDR_RAISEDINNER, BF_RECT);
    if (glyph_ && !glyph_->Empty()) {
        // Glyph margin 3, vertically centred.
        glyph_->StretchTo(paint.dc(), 3, (kThumbnailButtonSize.height - glyph_->Height()) / 2, glyph_->Width(),
                          glyph_->Height());
    }
}

LRESULT TBrowserButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            Invalidate();
        }
        Browser.ButtonMouseMove(*this);
        return 0;
    case WM_MOUSELEAVE:
        hot_ = false;
        Invalidate();
        return 0;
    case WM_LBUTTONUP: Browser.ButtonClick(*this); return 0;
    case WM_CONTEXTMENU: Browser.ShowPopupMenu(*this, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
}

// --- TBrowserWin ------------------------------------------------------------

TBrowserWin::TBrowserWin(BrowserHost& host, const Settings& settings, HWND mdiClient, Progress& progress,
                         std::function<void(TBrowserWin&)> closed)
    : host_(host), settings_(settings), progress_(progress), closed_(std::move(closed)) {
    CreateHandle(kClassName, WS_EX_MDICHILD, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, "Browser",
                 {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, mdiClient, nullptr,
                 forms::WindowKind::kMdiChild);
}

TBrowserWin::~TBrowserWin() {
    worker_.reset();  // the fill stops before the buttons it fills go
    buttons_.clear();
    if (images_) ImageList_Destroy(images_);
}

void TBrowserWin::FormCreate() {
    SetClientSize(653, 329);
    dispatcher_ = std::make_unique<controls::UiDispatcher>([this](std::string_view m) { host_.ReportError(m); });
    executor_ = std::make_unique<DispatchExecutor>(*dispatcher_);
    ThumbnailSources sources;
    sources.list = ListFolder;
    sources.less = PictureNameLess;
    sources.make = MakeFileThumbnail;
    sources.threadStart = [] { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE); };
    ThumbnailPanel& panel = *this;
    worker_ = std::make_unique<ThumbnailWorker>(*executor_, panel, std::move(sources));

    const HWND h = Handle();
    TreePanel.Create(h, {0, 0, kTreeWidth, 329}, "", false);
    TreeView1.Create(TreePanel.Handle(), {0, 0, kTreeWidth, 329},
                     TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP);
    images_ = MakeBrowserImages();
    TreeView1.SetImageList(images_);
    TreeView1.SetIndent(19);
    TreeView1.OnDblClick = [this] { TreeView1DblClick(); };
    TreeView1.OnChange = [this] { TreeView1Change(); };
    TreeView1.OnCollapsed = [this](HTREEITEM item) { TreeView1Collapsed(item); };
    Splitter.Create(h, {kTreeWidth, 0, kSplitterWidth, 329}, "", false);
    Splitter.OnMouseDown = [this](forms::MouseButton b, WPARAM keys, int, int) {
        if (b == forms::MouseButton::kLeft && (keys & ~MK_LBUTTON) == 0) splitControl_.BeginDrag(Splitter, TreePanel);
    };
    Splitter.OnMouseMove = [this](WPARAM, int x, int y) {
        if (splitControl_.IsDragging()) splitControl_.MoveTo(x, y);
    };
    Splitter.OnMouseUp = [this](forms::MouseButton, WPARAM, int, int) {
        if (!splitControl_.IsDragging()) return;
        splitControl_.EndDrag();
        FormResize();
    };
    Panel2.Create(h, {kTreeWidth + kSplitterWidth, 0, 653 - kTreeWidth - kSplitterWidth, 329}, "", false);
    ScBox.Create(Panel2.Handle(), {0, 0, 653 - kTreeWidth - kSplitterWidth, 329});
    ScBox.OnScroll = [this](int code, int wheel) { Scroll(code, wheel); };
    ScBox.OnMouseMove = [this] { host_.SetStatusPanel(2, ""); };
    BuildDriveTree();
    FormResize();
}

void TBrowserWin::FormResize() {
    if (!TreePanel.Exists()) return;
    const SIZE client = ClientSize();
    const int tree = std::clamp(TreePanel.GetBounds().width, 0, static_cast<int>(client.cx));
    TreePanel.SetBounds({0, 0, tree, client.cy});
    TreeView1.SetBounds({0, 0, tree, client.cy});
    Splitter.SetBounds({tree, 0, kSplitterWidth, client.cy});
    const int rest = std::max(0, static_cast<int>(client.cx) - tree - kSplitterWidth);
    Panel2.SetBounds({tree + kSplitterWidth, 0, rest, client.cy});
    ScBox.SetBounds({0, 0, rest, client.cy});
    // ScBoxResize: a complete fill follows the new width.
    if (lastButton_ && buttonCount_ >= 1) {
        RECT inside{};
        GetClientRect(ScBox.Handle(), &inside);
        columns_ = ThumbnailColumns(inside.right);
        LayoutButtons();
    }
}

void TBrowserWin::FormClose() {
    host_.SetStatusPanel(2, "");
    SendMessageW(GetParent(Handle()), WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
}

void TBrowserWin::FormDestroy() {
    // However the window goes, its fill delivers nothing more.
    if (worker_) worker_->StopWorker();
}

LRESULT TBrowserWin::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        const LRESULT r = Form::HandleMessage(msg, wParam, lParam);
        if (closed_) closed_(*this);  // may free this object later, never now
        return r;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

void TBrowserWin::BuildDriveTree() {
    TreeView1.Clear();
    const HTREEITEM root = TreeView1.Add(nullptr, std::string(kComputerCaption), 0, kComputerImage, kComputerImage);
    for (const TreeNodeFacts& drive : DriveNodes([](char letter) {
             const wchar_t rootPath[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
             return static_cast<DriveType>(GetDriveTypeW(rootPath));
         }))
        TreeView1.Add(root, drive.caption, 0, drive.imageIndex, drive.imageIndex);
}

std::string TBrowserWin::SelectedFolder() const {
    std::vector<TreeNodeFacts> chain;
    for (HTREEITEM item = TreeView1.Selected(); item; item = TreeView1.Parent(item))
        chain.push_back({TreeView1.ItemText(item), TreeView1.ItemImage(item)});
    std::string path = NodePath(chain);
    if (!path.empty() && path.back() == '\\') path.pop_back();  // as every user of the path does
    return path;
}

void TBrowserWin::TreeView1DblClick() {
    const HTREEITEM node = TreeView1.Selected();
    if (!node) return;
    if (TreeView1.Expanded(node)) {
        // The tree's own double-click collapses an expanded node.
        TreeView1.CollapseAndReset(node);
        justCollapsed_ = true;
    }
    if (justCollapsed_) {
        justCollapsed_ = false;
        return;
    }
    const std::string path = SelectedFolder();
    if (!path.empty()) {
        for (const std::string& name : SubfolderNames(ListDiskFolder(path), settings_.ShowHiddenFiles))
            TreeView1.Add(node, name, 0, kClosedFolderImage, kOpenFolderImage);
    }
    TreeView1.Expand(node);
    InvalidateRect(TreeView1.Handle(), nullptr, TRUE);
}

void TBrowserWin::TreeView1Collapsed(HTREEITEM item) {
    justCollapsed_ = true;
    if (TreeView1.Parent(item)) TreeView1.CollapseAndReset(item);
}

void TBrowserWin::TreeView1Change() {
    const std::string path = SelectedFolder();
    if (path.empty()) return;
    ShowFolder(path);
}

void TBrowserWin::ShowFolder(const std::string& path) {
    folder_ = path;
    scrollTop_ = 0;
    worker_->ShowFolder(path);
}

void TBrowserWin::StopWorker() { worker_->StopWorker(); }

// --- the worker's steps -----------------------------------------------------

void TBrowserWin::ClearThumbnails() {
    for (TBrowserButton* b = lastButton_; b; b = b->PrevButton) hints_.Update(Handle(), b->Handle(), "");
    lastButton_ = nullptr;
    buttonCount_ = 0;
    buttons_.clear();
    UpdateScrollRange();
}

int TBrowserWin::StartFill(int count) {
    if (lastButton_) ClearThumbnails();
    progress_.SetMax(count);
    progress_.SetPosition(0);
    buttonCount_ = 0;
    RECT inside{};
    GetClientRect(ScBox.Handle(), &inside);
    columns_ = ThumbnailColumns(inside.right);
    return columns_;
}

void TBrowserWin::AddThumbnail(ThumbnailStep& step) {
    auto button = std::make_unique<TBrowserButton>(*this, ScBox.Handle(), step.filePath);
    button->PrevButton = lastButton_;
    if (lastButton_) lastButton_->NextButton = button.get();
    lastButton_ = button.get();
    const Point at = ThumbnailPosition(static_cast<std::size_t>(step.count), static_cast<std::uint8_t>(step.columns));
    button->SetBounds({at.x, at.y - scrollTop_, kThumbnailButtonSize.width, kThumbnailButtonSize.height});
    if (step.broken) {
        button->Broken = true;
        button->SetGlyph(MakeBrokenPictureGlyph(), {0, 0});
    } else {
        button->SetGlyph(std::make_shared<forms::DibSection>(step.thumbnail.glyph.View()), step.thumbnail.picture);
    }
    hints_.Add(Handle(), button->Handle(), step.name);
    button->SetVisible(true);
    buttons_.push_back(std::move(button));
    progress_.SetPosition(step.count + 1);
    UpdateScrollRange();
}

void TBrowserWin::FillComplete(int count) { buttonCount_ = count; }

void TBrowserWin::WorkerStopped(std::string_view error) {
    progress_.SetPosition(0);
    Repaint();
    if (!error.empty()) host_.ReportError(error);
}

// --- layout and scrolling ---------------------------------------------------

void TBrowserWin::LayoutButtons() {
    TBrowserButton* first = lastButton_;
    while (first && first->PrevButton) first = first->PrevButton;
    std::size_t i = 0;
    for (TBrowserButton* b = first; b; b = b->NextButton, ++i) {
        const Point at = ThumbnailPosition(i, static_cast<std::uint8_t>(columns_));
        b->SetBounds({at.x, at.y - scrollTop_, kThumbnailButtonSize.width, kThumbnailButtonSize.height});
    }
    UpdateScrollRange();
}

void TBrowserWin::UpdateScrollRange() {
    const std::size_t count = buttons_.size();
    const int rows = count == 0 ? 0 : static_cast<int>((count - 1) / static_cast<std::size_t>(columns_) + 1);
    RECT inside{};
    GetClientRect(ScBox.Handle(), &inside);
    SCROLLINFO info{sizeof(info),
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    0,
                    rows * 105 + 5,
                    static_cast<UINT>(inside.bottom),
                    scrollTop_,
                    0};
    SetScrollInfo(ScBox.Handle(), SB_VERT, &info, TRUE);
}

void TBrowserWin::Scroll(int code, int wheel) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(ScBox.Handle(), SB_VERT, &info);
    int top = scrollTop_;
    switch (code) {
    case -1: top -= wheel / WHEEL_DELTA * 105; break;
    case SB_LINEUP: top -= 20; break;
    case SB_LINEDOWN: top += 20; break;
    case SB_PAGEUP: top -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: top += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: top = info.nTrackPos; break;
    default: return;
    }
    top = std::clamp(top, 0, std::max(0, info.nMax - static_cast<int>(info.nPage)));
    if (top == scrollTop_) return;
    scrollTop_ = top;
    LayoutButtons();
}

// --- the thumbnail commands -------------------------------------------------

void TBrowserWin::ButtonMouseMove(const TBrowserButton& button) {
    host_.SetStatusPanel(2, button.Broken ? std::string("[?, ?]")
                                          : "[" + std::to_string(button.PictureWidth) + ", " +
                                                std::to_string(button.PictureHeight) + "]");
}

void TBrowserWin::ButtonClick(TBrowserButton& button) {
    const std::string path = button.FilePath;  // the button may go while the picture opens
    if (settings_.ClickSound && !settings_.ClickSoundPath.empty())
        PlaySoundW(forms::Wide(settings_.ClickSoundPath).c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    if (settings_.AutoMinimalize) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else if (settings_.AutoRestore) {
        ShowWindow(Handle(), SW_RESTORE);
    }
    host_.OpenPicture(path);
    SHAddToRecentDocs(SHARD_PATHW, forms::Wide(path).c_str());
    host_.AddRecentFile(path);
}

void TBrowserWin::WarpClick(TBrowserButton& button) {
    const std::string path = button.FilePath;
    if (settings_.AutoMinimalize) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else if (settings_.AutoRestore) {
        ShowWindow(Handle(), SW_RESTORE);
    }
    host_.OpenInWarpWindow(path);
    SHAddToRecentDocs(SHARD_PATHW, forms::Wide(path).c_str());
    host_.AddRecentFile(path);
}

void TBrowserWin::DeleteClick(TBrowserButton& button) {
    const std::string path = button.FilePath;
    if (host_.Ask("Chcete naozaj zmazať súbor " + path + "?", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (!DeleteFileW(forms::Wide(path).c_str())) {
        host_.ReportError(path + ": " + LastErrorText());
        return;
    }
    ShowFolder(folder_);
}

std::string TBrowserWin::AskFileName(const TBrowserButton& button, const char* title) {
    forms::FileDialog dialog;
    dialog.title = title;
    dialog.fileName = button.FilePath;
    if (!host_.ExecuteFileDialog(dialog, true) || dialog.fileName.empty() || dialog.fileName == button.FilePath)
        return {};
    return dialog.fileName;
}

void TBrowserWin::RenameClick(TBrowserButton& button) {
    const std::string from = button.FilePath;
    const std::string to = AskFileName(button, "Premenovať");
    if (to.empty()) return;
    if (!MoveFileW(forms::Wide(from).c_str(), forms::Wide(to).c_str())) {
        host_.ReportError(from + ": " + LastErrorText());
        return;
    }
    ShowFolder(folder_);
}

void TBrowserWin::CopyClick(TBrowserButton& button) {
    const std::string from = button.FilePath;
    const std::string to = AskFileName(button, "Skopírovať");
    if (to.empty()) return;
    // The save dialog asked before replacing a file; the copy never replaces one silently.
    if (!CopyFileW(forms::Wide(from).c_str(), forms::Wide(to).c_str(), TRUE)) {
        host_.ReportError(to + ": " + LastErrorText());
        return;
    }
    ShowFolder(folder_);
}

void TBrowserWin::HideClick(TBrowserButton& button) {
    const std::wstring path = forms::Wide(button.FilePath);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN)) {
        host_.ReportError(button.FilePath + ": " + LastErrorText());
        return;
    }
    ShowFolder(folder_);
}

void TBrowserWin::ShowPopupMenu(TBrowserButton& button, POINT screen) {
    forms::UniqueMenu menu(CreatePopupMenu());
    const auto add = [&](UINT id, const char* caption) {
        AppendMenuW(menu.get(), MF_STRING, id, forms::Wide(caption).c_str());
    };
    add(kOpenItem, "Otvoriť");
    add(kWarpItem, "Warping");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(kDeleteItem, "Zmazať");
    add(kRenameItem, "Premenovať");
    add(kCopyItem, "Skopírovať");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(kHideItem, "Skryť súbor");
    SetMenuDefaultItem(menu.get(), kOpenItem, FALSE);
    if (screen.x == -1 && screen.y == -1) {  // from the keyboard
        RECT r{};
        GetWindowRect(button.Handle(), &r);
        screen = {r.left, r.top};
    }
    const UINT chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(),
                                       nullptr);
    switch (chosen) {
    case kOpenItem: ButtonClick(button); break;
    case kWarpItem: WarpClick(button); break;
    case kDeleteItem: DeleteClick(button); break;
    case kRenameItem: RenameClick(button); break;
    case kCopyItem: CopyClick(button); break;
    case kHideItem: HideClick(button); break;
    default: break;
    }
}

}  // namespace kelbo
