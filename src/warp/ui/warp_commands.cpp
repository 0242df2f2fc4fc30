#include "warp/ui/warp_commands.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <functional>
#include <utility>

#include "app/commands.h"
#include "app/settings.h"
#include "core/text_encoding.h"
#include "document/document_view.h"
#include "document/picture_dialog_texts.h"
#include "document/ui/child_win.h"
#include "document/ui/document_picture.h"
#include "document/ui/picture_preview.h"
#include "forms/dialogs.h"
#include "warp/mesh_check.h"
#include "warp/mesh_file.h"
#include "warp/morph.h"
#include "warp/movie_fields.h"

namespace kelbo {

namespace {

constexpr char kMeshFilter[] = "Súbor so warping-sieťou pre program Kelbo (*.kmw)|*.kmw|Všetky súbory (*.*)|*.*";
constexpr char kMeshExt[] = "kmw";
constexpr char kLoadMeshTitle[] = "Načítanie siete...";
constexpr char kSaveMeshTitle[] = "Uloženie siete....";
constexpr char kNoFrames[] = "Počet obrázkov musí byť aspoň 1.";
constexpr char kFoldsQuestion[] = "Sieť sa pri warpingu prekladá (trojuholníky s uzlami %s). Pokračovať aj tak?";
// Enough triangles to find the fault; a long mesh would not fit the box.
constexpr std::size_t kNamedFolds = 10;

forms::FileDialog MeshDialog(const char* title, bool open) {
    forms::FileDialog dialog;
    dialog.title = title;
    dialog.filter = kMeshFilter;
    dialog.defaultExt = kMeshExt;
    dialog.mustExist = open;
    return dialog;
}

// The hourglass for one long operation.
class WaitCursor {
public:
    WaitCursor() : old_(SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)))) {}
    ~WaitCursor() { SetCursor(old_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR old_;
};

// The warp advances its counter every 31 pixels; the status bar and the main
// window's repaint follow in steps of a five-hundredth of the maximum, so a
// large picture does not spend its time repainting.
class SteppedProgress : public Progress {
public:
    SteppedProgress(Progress& bar, std::function<void()> repaint) : bar_(bar), repaint_(std::move(repaint)) {}
    void SetMax(int max) noexcept override {
        step_ = std::max(1, max / 500);
        shown_ = 0;
        bar_.SetMax(max);
    }
    void SetPosition(int position) noexcept override {
        if (position != 0 && position < shown_ + step_ && position > shown_) return;
        shown_ = position;
        bar_.SetPosition(position);
        if (position == 0) return;
        try {
            repaint_();
        } catch (...) {  // a repaint that fails loses nothing
        }
    }

private:
    Progress& bar_;
    std::function<void()> repaint_;
    int step_ = 1;
    int shown_ = 0;
};

// "0-1-4, 2-3-5", ", ..." closing a list cut short.
std::string FoldList(const std::vector<FoldingTriangle>& folds) {
    std::string list;
    for (std::size_t i = 0; i < std::min(folds.size(), kNamedFolds); ++i) {
        const MeshTriangle& t = folds[i].nodes;
        list += (i ? ", " : "") + std::to_string(t[0]) + "-" + std::to_string(t[1]) + "-" + std::to_string(t[2]);
    }
    return folds.size() > kNamedFolds ? list + ", ..." : list;
}

ConstPixelView CleanView(const TWarpWin& window) {
    GdiFlush();
    return std::as_const(*window.Clean()).View();
}

}  // namespace

WarpCommands::WarpCommands(CommandHost& host, WarpHost& warpHost) : host_(host), warpHost_(warpHost) {
    host_.BindCommand(OtvorpreWarping1, [this] { Sieovwarping1Click(); });
    host_.BindCommand(Sieovwarping1, [this] { Sieovwarping1Click(); });
    host_.BindCommand(WarpButton, [this] { WarpButtonClick(); });
    host_.BindCommand(NoWarpButton, [this] { WarpButtonClick(); });
    host_.BindCommand(LoadButton, [this] { LoadButtonClick(); });
    host_.BindCommand(SaveItButton, [this] { SaveItButtonClick(); });
    host_.BindCommand(SpeedButton1, [this] { SpeedButton1Click(); });
    host_.BindCommand(EditDialButton, [this] { EditDialButtonClick(); });
    host_.BindCommand(WarpNowButton, [this] { WarpNowButtonClick(); });
    host_.BindCommand(MovieButton, [this] { MovieButtonClick(); });
    host_.BindCommand(Zmedruhokna1, [this] { Zmedruhokna1Click(); });
    reaper_.SetInterval(1);
    reaper_.OnTimer = [this] {
        reaper_.SetEnabled(false);
        closed_.clear();
    };
}

WarpCommands::~WarpCommands() {
    shuttingDown_ = true;
    windows_.clear();
    closed_.clear();
}

std::vector<WindowStep> WarpCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"TEditPointDial",
         [this, owner] {
             editPointDial_ = std::make_unique<TEditPointDial>(owner, [this]() -> const WarpMesh* {
                 TWarpWin* w = ActiveWarpWindow();
                 return w ? &w->Mesh : nullptr;
             });
         }},
        {"TMovieDialog",
         [this, owner] {
             movieDialog_ = std::make_unique<TMovieDialog>(owner, [this] {
                 TWarpWin* w = ActiveWarpWindow();
                 return w ? w->Text() : std::string();
             });
         }},
    };
}

TWarpWin* WarpCommands::ActiveWarpWindow() const {
    const HWND active = forms::ActiveMdiChild(host_.MdiClient());
    if (!active) return nullptr;
    for (const auto& w : windows_)
        if (w->Handle() == active) return w.get();
    return nullptr;
}

TWarpWin& WarpCommands::NewWarpWindow(ConstPixelView picture, std::string_view caption) {
    auto clean = std::make_shared<forms::DibSection>(picture);
    windows_.push_back(std::make_unique<TWarpWin>(warpHost_, host_.ProgramSettings(), gesture_,
                                                  [this](TWarpWin& w) { WindowClosed(w); }));
    TWarpWin& window = *windows_.back();
    window.SetText(caption);
    try {
        window.SetPicture(std::move(clean));
    } catch (...) {
        SendMessageW(host_.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window.Handle()), 0);
        throw;
    }
    warpHost_.SetMainTitle(SplitFilePath(caption).name);
    return window;
}

TWarpWin* WarpCommands::OpenWarpWindow(const std::string& path) {
    // Read first: a warp window without a picture could do nothing.
    forms::DibTarget target;
    try {
        const LoadedFormat loaded = ReadDocumentPicture(PathFromUtf8(path), target, host_.Codecs());
        if (!loaded.read || !target.dib) {
            host_.ReportError(forms::FormatOne(kNotAPicture, path));
            return nullptr;
        }
        GdiFlush();
        return &NewWarpWindow(std::as_const(*target.dib).View(), path);
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return nullptr;
    }
}

void WarpCommands::WindowClosed(TWarpWin& window) {
    if (shuttingDown_) return;
    for (auto it = windows_.begin(); it != windows_.end(); ++it) {
        if (it->get() == &window) {
            closed_.push_back(std::move(*it));
            windows_.erase(it);
            reaper_.SetEnabled(true);
            return;
        }
    }
}

void WarpCommands::Sieovwarping1Click() {
    forms::FileDialog dialog = PictureFileDialog(kOpenPictureTitle);
    if (!host_.ExecuteFileDialog(dialog, false)) return;
    if (OpenWarpWindow(dialog.fileName)) warpHost_.AddRecentFile(dialog.fileName);
}

void WarpCommands::WarpButtonClick() {
    forms::ToolBar& bar = warpHost_.WarpToolBar();
    const bool warp = bar.Down(WarpButton);
    // Warping mode moves nodes only.
    if (warp) {
        bar.SetDown(AddButton, false);
        bar.SetDown(DelButton, false);
        bar.SetDown(EditButton, true);
    }
    bar.SetButtonEnabled(AddButton, !warp);
    bar.SetButtonEnabled(DelButton, !warp);
    if (TWarpWin* w = ActiveWarpWindow()) w->Redraw();
}

void WarpCommands::LoadButtonClick() {
    TWarpWin* w = ActiveWarpWindow();
    if (!w) return;
    forms::FileDialog dialog = MeshDialog(kLoadMeshTitle, true);
    if (!host_.ExecuteFileDialog(dialog, false)) return;
    try {
        LoadMesh(w->Mesh, PathFromUtf8(dialog.fileName));
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return;
    }
    w->Redraw();
}

void WarpCommands::SaveItButtonClick() {
    TWarpWin* w = ActiveWarpWindow();
    if (!w) return;
    forms::FileDialog dialog = MeshDialog(kSaveMeshTitle, false);
    if (!host_.ExecuteFileDialog(dialog, true)) return;
    const std::filesystem::path path = PathFromUtf8(dialog.fileName);
    std::error_code ec;
    if (host_.ProgramSettings().SaveAsQuestion && std::filesystem::exists(path, ec) &&
        host_.Ask(forms::FormatOne(kOverwriteQuestion, dialog.fileName), MB_YESNO) != IDYES)
        return;
    try {
        SaveMesh(w->Mesh, path);
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
    }
}

void WarpCommands::SpeedButton1Click() {
    if (TWarpWin* w = ActiveWarpWindow()) SwapMeshes(w->Mesh);
}

void WarpCommands::EditDialButtonClick() {
    if (ActiveWarpWindow() && editPointDial_) editPointDial_->ShowModal();
}

WarpOptions WarpCommands::Options(Progress* progress) {
    WarpOptions options;
    options.changeNum = host_.ProgramSettings().ChangeNum;
    options.progress = progress;
    options.phase = [this](std::string_view text) { warpHost_.SetStatusPanel(2, text); };
    return options;
}

bool WarpCommands::FoldsAccepted(const WarpMesh& mesh, int frames, int first, int last) {
    const std::vector<FoldingTriangle> folds = FoldingTriangles(mesh, frames, first, last);
    return folds.empty() || host_.Ask(forms::FormatOne(kFoldsQuestion, FoldList(folds)), MB_YESNO) == IDYES;
}

void WarpCommands::WarpNowButtonClick() {
    TWarpWin* w = ActiveWarpWindow();
    if (!w) return;
    WaitCursor wait;
    SteppedProgress progress(host_.StatusProgress(), [this] { host_.RepaintFrame(); });
    try {
        if (!FoldsAccepted(w->Mesh, 1, 1, 1)) return;
        Bitmap24 result = WarpPicture(CleanView(*w), w->Mesh, Options(&progress));
        // The mesh is shown again, with the links the triangulation kept.
        w->Redraw();
        host_.OpenResultWindow(std::make_shared<forms::DibSection>(result.ConstView()));
        warpHost_.SetMainTitle(kUnnamed);
    } catch (const std::exception& e) {
        warpHost_.SetStatusPanel(2, "");
        host_.ReportError(e.what());
    }
}

void WarpCommands::MovieButtonClick() {
    TWarpWin* w = ActiveWarpWindow();
    if (!w || !movieDialog_) return;
    if (movieDialog_->ShowModal() != forms::mrOk) return;
    if (TWarpWin* still = ActiveWarpWindow()) RenderMovie(*still);
}

void WarpCommands::RenderMovie(TWarpWin& window) {
    TMovieDialog& d = *movieDialog_;
    MorphOptions options;
    options.frames = FieldWord(d.Edit1.Text());
    options.first = FieldWord(d.Edit2.Text());
    options.last = FieldWord(d.Edit3.Text());
    SteppedProgress progress(host_.StatusProgress(), [this] { host_.RepaintFrame(); });
    options.warp = Options(&progress);
    if (options.frames == 0) {
        host_.ReportError(kNoFrames);
        return;
    }
    const std::string base = d.Edit4.Text();
    const std::string extension = d.Extension();
    WaitCursor wait;
    try {
        if (!FoldsAccepted(window.Mesh, options.frames, options.first, options.last)) return;
        RenderMorph(CleanView(window), window.Mesh, options, [&](int k, Bitmap24 frame) {
            const std::string name = MovieFrameName(base, k, extension);
            TChildWin& doc = host_.OpenResultWindow(std::make_shared<forms::DibSection>(frame.ConstView()));
            doc.SetFilePath(name);
            doc.LoadedPixelFormat = PixelFormat::k24;
            warpHost_.SetMainTitle(name);
        });
    } catch (const std::exception& e) {
        warpHost_.SetStatusPanel(2, "");
        host_.ReportError(e.what());
    }
}

void WarpCommands::Zmedruhokna1Click() {
    try {
        if (TWarpWin* w = ActiveWarpWindow()) {
            host_.OpenResultWindow(std::make_shared<forms::DibSection>(CleanView(*w)));
            warpHost_.SetMainTitle(kUnnamed);
            return;
        }
        TChildWin* doc = host_.ActiveImageDocument();
        if (!doc || !doc->Image1.Picture() || doc->Image1.Picture()->Empty()) return;
        GdiFlush();
        NewWarpWindow(std::as_const(*doc->Image1.Picture()).View(), doc->Text());
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
    }
}

}  // namespace kelbo
