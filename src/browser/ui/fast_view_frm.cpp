#include "browser/ui/fast_view_frm.h"

#include <exception>
#include <string>
#include <utility>

#include "browser/input_watch.h"
#include "core/text_encoding.h"
#include "forms/dialogs.h"
#include "forms/dib.h"
#include "forms/handle.h"

namespace kelbo {

namespace {

constexpr int kPathTextHeight = 25;
constexpr int kPosTextWidth = 66;

}  // namespace

TFastViewFrm::TFastViewFrm(HWND mainWindow, std::function<PictureCodecs()> codecs)
    : WatchedView(mainWindow, ViewKeys::kStep), codecs_(std::move(codecs)) {
    // No WS_EX_CONTROLPARENT: dialog navigation would take the keys the view steps by.
    CreateForm(L"TFastViewFrm", "Rýchle prezeranie", {0, 0, 640, 480}, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST,
               nullptr);
}

TFastViewFrm::~TFastViewFrm() = default;

void TFastViewFrm::FormCreate() {
    SetColor(GetSysColor(COLOR_BTNSHADOW));
    Image1.Create(Handle(), {0, 0, 1, 1});
    Image1.SetVisible(false);
    Unreadable.Create(Handle(), {0, 0, 40, 40}, "?", SS_CENTER | SS_CENTERIMAGE);
    Unreadable.SetVisible(false);
    PathText.Create(Handle(), {0, 0, 640, kPathTextHeight});
    PathText.SetCaptionCentred(true);
    PosText.Create(PathText.Handle(), {0, 3, kPosTextWidth, 19}, "0/0", SS_RIGHT | SS_SUNKEN);
    StaticText2.Create(PathText.Handle(), {4, 3, 80, 19}, "F1 ovládanie", SS_LEFT | SS_SUNKEN);
    MovieTimer.OnTimer = [this] { MovieTimerTimer(); };
    CenterOnScreen();
}

bool TFastViewFrm::Start(std::vector<std::string> files, const FastViewOptions& options) {
    if (files.empty()) return false;
    MovieTimer.SetEnabled(false);
    files_ = std::move(files);
    keys_.emplace(files_.size(), options.interval, options.autoAdvance);
    MovieTimer.SetInterval(static_cast<UINT>(keys_->TimerInterval()));
    Show();
    ShowPicture(0);
    MovieTimer.SetEnabled(keys_->AutoAdvance());
    return true;
}

void TFastViewFrm::ShowPicture(std::size_t index) {
    if (index >= files_.size()) return;
    const bool running = MovieTimer.Enabled();
    MovieTimer.SetEnabled(false);
    Image1.SetVisible(false);
    Image1.SetPicture(nullptr);
    forms::DibTarget target;
    bool read = false;
    try {
        read = LoadPictureFile(PathFromUtf8(files_[index]), target, codecs_()).read && target.dib;
    } catch (const std::exception&) {
        // A file that cannot be read shows "?" in its place; the view goes on.
    }
    const SIZE client = ClientSize();
    const int height = client.cy;
    if (read) {
        const int w = target.dib->Width();
        const int h = target.dib->Height();
        Image1.SetBounds({(client.cx - w) / 2, (height - h) / 2, w, h});
        Image1.SetPicture(std::move(target.dib));
        Unreadable.SetVisible(false);
        Image1.SetVisible(true);
    } else {
        const forms::Bounds mark = Unreadable.GetBounds();
        Unreadable.SetBounds({(client.cx - mark.width) / 2, (height - mark.height) / 2, mark.width, mark.height});
        Unreadable.SetVisible(true);
    }
    PathText.SetText(files_[index]);
    PosText.SetText(std::to_string(index + 1) + "/" + std::to_string(files_.size()));
    MovieTimer.SetEnabled(running);
}

bool TFastViewFrm::FormKeyDown(int virtualKey) {
    if (!keys_) return false;
    const FastViewResponse response = keys_->KeyDown(virtualKey);
    Perform(response);
    return response.keyConsumed;
}

void TFastViewFrm::MovieTimerTimer() {
    if (keys_) Perform(keys_->Tick());
}

void TFastViewFrm::Perform(const FastViewResponse& response) {
    switch (response.action) {
    case FastViewAction::kShowPicture: ShowPicture(keys_->Current()); break;
    case FastViewAction::kClose:
        MovieTimer.SetEnabled(false);
        Close();
        break;
    case FastViewAction::kShowHelp:
        MovieTimer.SetEnabled(false);
        forms::MessageDlg(Handle(), kFastViewKeyHelp, "Rýchle prezeranie", MB_OK | MB_ICONINFORMATION);
        break;
    case FastViewAction::kStopAdvance: MovieTimer.SetEnabled(false); break;
    case FastViewAction::kStartAdvance: MovieTimer.SetEnabled(true); break;
    case FastViewAction::kChangeInterval: MovieTimer.SetInterval(static_cast<UINT>(keys_->TimerInterval())); break;
    }
}

void TFastViewFrm::FormResize() {
    const SIZE client = ClientSize();
    PathText.SetBounds({0, client.cy - kPathTextHeight, client.cx, kPathTextHeight});
    PathTextResize();
}

void TFastViewFrm::PathTextResize() { PosText.SetBounds({Width() - 72, 3, kPosTextWidth, 19}); }

void TFastViewFrm::FormClose() {
    MovieTimer.SetEnabled(false);
    WatchedView::FormClose();
}

LRESULT TFastViewFrm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
        if (FormKeyDown(static_cast<int>(wParam))) return 0;
        break;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == Unreadable.Handle()) {
            // The mark takes the view's colours so it reads on black too.
            const HDC dc = reinterpret_cast<HDC>(wParam);
            const auto color = static_cast<COLORREF>(GetColor());
            SetTextColor(dc, RGB(255, 255, 255) ^ color);
            SetBkColor(dc, color);
            SetDCBrushColor(dc, color);
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
        break;
    }
    return WatchedView::HandleMessage(msg, wParam, lParam);
}

}  // namespace kelbo
