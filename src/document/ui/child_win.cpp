#include "document/ui/child_win.h"

#include <algorithm>
#include <optional>

#include "forms/dialogs.h"
#include "forms/window.h"

namespace kelbo {

namespace {

const wchar_t kClassName[] = L"TChildWin";
constexpr char kSaveQuestion[] = "Chcete uložiť zmeny do súboru %s?";

}  // namespace

TChildWin::TChildWin(DocumentHost& host) : host_(host) {
    CreateHandle(kClassName, WS_EX_MDICHILD,
                 WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, kUnnamed,
                 {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, host.MdiClient(), nullptr,
                 forms::WindowKind::kMdiChild);
}

TChildWin::~TChildWin() = default;

void TChildWin::FormCreate() {
    Image1.Create(Handle(), {0, 0, 0, 0});
    Image1.OnMouseMove = [this](WPARAM, int x, int y) {
        Image1MouseMove(x, y);
        host_.ViewPointer(*this, {ViewPointerEvent::Kind::kMove, 0, {x, y}});
    };
    Image1.OnMouseDown = [this](forms::MouseButton b, WPARAM, int x, int y) {
        host_.ViewPointer(*this, {ViewPointerEvent::Kind::kDown, static_cast<int>(b), {x, y}});
    };
    Image1.OnMouseUp = [this](forms::MouseButton b, WPARAM, int x, int y) {
        host_.ViewPointer(*this, {ViewPointerEvent::Kind::kUp, static_cast<int>(b), {x, y}});
    };
    host_.SetMainTitle(kUnnamed);
    host_.SetStatusPanel(2, SizeText(PictureSize()));
}

void TChildWin::FormShow() {
    host_.SetMainTitle(FileName);
    host_.SetStatusPanel(2, SizeText(PictureSize()));
}

void TChildWin::FormActivate() {
    host_.ImageDocumentActivated(*this);
    host_.SetMainTitle(FileName);
    host_.SetStatusPanel(2, SizeText(PictureSize()));
    Image1.SetCursor(host_.ToolCursor());
    host_.ResetProgress();
}

void TChildWin::SetPicture(std::shared_ptr<forms::DibSection> picture, FrameKind frame) {
    Image1.SetPicture(std::move(picture));
    const Size view = PictureSize();
    Image1.SetBounds({0, 0, view.width, view.height});
    const Size outer = DocumentFrame(view, frame);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.width, outer.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateScrollRanges();
    host_.SetStatusPanel(2, SizeText(view));
}

void TChildWin::SetFilePath(std::string_view path) {
    SetText(path);
    const SplitPath parts = SplitFilePath(path);
    FileName = parts.name;
    FileDir = parts.dir;
    Modified = false;
    host_.SetMainTitle(FileName);
}

void TChildWin::TakeUndoSnapshot() {
    const auto& picture = Image1.Picture();
    if (!picture) return;
    GdiFlush();
    UndoSnapshots.SnapshotForChange(picture->View(), CurrentSaveFormat());
}

SaveFormat TChildWin::CurrentSaveFormat() const { return {LoadedPixelFormat, LoadedPalette}; }

void TChildWin::ApplySaveFormat(SaveFormat format) {
    LoadedPixelFormat = format.pixelFormat;
    LoadedPalette = std::move(format.palette);
}

bool TChildWin::Undo() {
    const auto& picture = Image1.Picture();
    if (!picture) return false;
    Bitmap24 current = picture->ToBitmap();
    SaveFormat format = CurrentSaveFormat();
    if (!UndoSnapshots.Undo(current, &format)) return false;
    ApplySaveFormat(std::move(format));
    ShowRestored(std::move(current));
    return true;
}

bool TChildWin::Redo() {
    const auto& picture = Image1.Picture();
    if (!picture) return false;
    Bitmap24 current = picture->ToBitmap();
    SaveFormat format = CurrentSaveFormat();
    if (!UndoSnapshots.Redo(current, &format)) return false;
    ApplySaveFormat(std::move(format));
    ShowRestored(std::move(current));
    return true;
}

void TChildWin::ShowRestored(Bitmap24 restored) {
    const auto& picture = Image1.Picture();
    if (picture && picture->Width() == restored.Width() && picture->Height() == restored.Height()) {
        CopyPixels(picture->View(), restored.ConstView());
        Image1.Repaint();
        return;
    }
    // A snapshot of another size brings its size back too.
    SetPicture(std::make_shared<forms::DibSection>(restored.ConstView()), FrameKind::kStandard);
}

Size TChildWin::PictureSize() const {
    const auto& p = Image1.Picture();
    return p ? Size{p->Width(), p->Height()} : Size{};
}

Size TChildWin::ViewSize() const {
    const forms::Bounds b = Image1.GetBounds();
    return {b.width, b.height};
}

void TChildWin::SetViewSize(Size view) {
    Image1.SetBounds({0, 0, view.width, view.height});
    const Size outer = DocumentFrame(view, FrameKind::kStandard);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.width, outer.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateScrollRanges();
    Image1.Repaint();
}

void TChildWin::UpdateScrollRanges() {
    // The bars show only when the view does not fit, as the range implies.
    const Size view = ViewSize();
    forms::SetScrollRanges(Handle(), std::max(view.width - 1, 0), std::max(view.height - 1, 0));
}

void TChildWin::ScrollView(int bar, WORD code) {
    const std::optional<int> pos = forms::ScrollBarTo(Handle(), bar, code);
    if (!pos) return;
    const forms::Bounds b = Image1.GetBounds();
    Image1.SetBounds({bar == SB_HORZ ? -*pos : b.left, bar == SB_VERT ? -*pos : b.top, b.width, b.height});
}

void TChildWin::Image1MouseMove(int x, int y) {
    const PicturePoint p = PictureFromView(PictureSize(), ViewSize(), x, y);
    host_.SetStatusPanel(0, PositionText(p.x, p.y));
    host_.ShowColorInfo(Image1.ColorAt(x, y));
}

bool TChildWin::FormCloseQuery() {
    if (!Modified || !host_.CloseQuestion()) return true;
    const std::string text = forms::FormatOne(kSaveQuestion, FileDir + FileName);
    switch (host_.Ask(text, MB_YESNOCANCEL)) {
    case IDCANCEL: return false;
    case IDYES:
        // Closes afterwards even when the save dialog was cancelled, but a
        // write that failed keeps the window: closing would lose the picture
        // the user has just asked to keep.
        return host_.SaveDocument(*this);
    default: return true;
    }
}

void TChildWin::FormClose() {
    host_.SetMainTitle("");
    host_.SetStatusPanel(2, "");
    SendMessageW(host_.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
}

LRESULT TChildWin::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == Handle()) FormActivate();
        break;
    case WM_HSCROLL:
        if (lParam == 0) {
            ScrollView(SB_HORZ, LOWORD(wParam));
            return 0;
        }
        break;
    case WM_VSCROLL:
        if (lParam == 0) {
            ScrollView(SB_VERT, LOWORD(wParam));
            return 0;
        }
        break;
    case WM_SIZE: UpdateScrollRanges(); break;
    case WM_NCDESTROY: {
        LRESULT r = Form::HandleMessage(msg, wParam, lParam);
        host_.DocumentClosed(*this);  // may free this object later, never now
        return r;
    }
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace kelbo
