#include "imaging/colour/ui/histo_win.h"

#include <algorithm>

#include "forms/handle.h"

namespace kelbo {

namespace {

// The window grows to show its progress bar while counting and shrinks back
// on every way out.
class GrowForProgress {
public:
    GrowForProgress(HWND window, int growth) : window_(window), growth_(growth) { Resize(growth_); }
    ~GrowForProgress() { Resize(-growth_); }
    GrowForProgress(const GrowForProgress&) = delete;
    GrowForProgress& operator=(const GrowForProgress&) = delete;

private:
    void Resize(int by) {
        RECT r{};
        GetWindowRect(window_, &r);
        SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + by,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND window_;
    int growth_;
};

}  // namespace

THistoWin::THistoWin(HWND owner, HistoHost host) : host_(std::move(host)) {
    CreateForm(L"THistoWin", "Histogram", {0, 0, kWidth, kHeight}, WS_POPUP | WS_CLIPCHILDREN,
               WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, owner);
    // The creation steps that need the window in place.
    SetSize(kWidth, kHeight);
    if (host_.wanted && host_.wanted()) ShowWindow(Handle(), SW_SHOWNA);
    if (host_.left && host_.top)
        SetWindowPos(Handle(), nullptr, *host_.left, *host_.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    title_.SetRolled(host_.rolled && *host_.rolled);
    Refresh();
}

void THistoWin::FormCreate() {
    ClosePanel1.Create(Handle(), {0, 0, kWidth, controls::TClosePanel::kHeight});
    ClosePanel1.SetText("Histogram        ");
    title_.Attach();
    title_.OnMoved = [this](int left, int top) {
        if (host_.left) *host_.left = left;
        if (host_.top) *host_.top = top;
    };
    title_.OnRolled = [this](bool rolled) {
        if (host_.rolled) *host_.rolled = rolled;
    };
    title_.OnClosed = [this] {
        if (host_.closed) host_.closed();
    };
    title_.OnHover = [this] {
        if (host_.showInfo) host_.showInfo("");
    };

    PlotFrame.Create(Handle(), {5, 22, kPlotWidth + 4, kPlotHeight + 4}, "", false);
    Image1.Create(PlotFrame.Handle(), {2, 2, kPlotWidth, kPlotHeight});
    Image1.SetPicture(std::make_shared<forms::DibSection>(kPlotWidth, kPlotHeight));
    Image1.OnMouseMove = [this](WPARAM, int x, int) { Image1MouseMove(x); };
    PlotFrame.OnMouseMove = [this](WPARAM, int, int) {
        if (host_.showInfo) host_.showInfo("");
    };

    RCheck.Create(Handle(), {8, 177, 34, 20}, "R");
    GCheck.Create(Handle(), {46, 177, 34, 20}, "G");
    BCheck.Create(Handle(), {84, 177, 34, 20}, "B");
    ICheck.Create(Handle(), {122, 177, 34, 20}, "I");
    RCheck.SetChecked(true);
    GCheck.SetChecked(true);
    BCheck.SetChecked(true);
    RefreshBtn.Create(Handle(), {196, 175, 66, 24}, "Obnov ");
    SetWindowLongPtrW(RefreshBtn.Handle(), GWL_STYLE, GetWindowLongPtrW(RefreshBtn.Handle(), GWL_STYLE) | BS_FLAT);
    RefreshBtn.OnClick = [this] { Refresh(); };
    ProgressBar1.Create(Handle(), {4, kHeight + 2, kWidth - 8, 16});
}

LRESULT THistoWin::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (host_.showInfo) host_.showInfo("");
        return 0;
    case WM_SIZE:
        if (ClosePanel1.Exists()) ClosePanel1.SetBounds({0, 0, LOWORD(lParam), controls::TClosePanel::kHeight});
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

void THistoWin::SetSize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void THistoWin::Refresh() {
    const std::shared_ptr<forms::DibSection> picture = host_.activePicture ? host_.activePicture() : nullptr;
    if (!picture || picture->Empty()) return;
    GdiFlush();
    {
        GrowForProgress grown(Handle(), kProgressGrowth);
        ProgressBar1.SetMax(picture->Height());
        forms::BarProgress progress(ProgressBar1);
        counts_ = CountChannels(picture->View(), &progress);
    }
    DrawPlot();
}

void THistoWin::DrawPlot() {
    std::shared_ptr<forms::DibSection> plot = Image1.Picture();
    if (!plot) return;
    {
        forms::DibCanvas canvas(*plot);
        const HDC dc = canvas.dc();
        const RECT all{0, 0, 256, 256};
        forms::UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
        FillRect(dc, &all, white.get());
        const std::uint32_t largest = LargestCount(counts_);
        struct Curve {
            const forms::CheckBox& check;
            const LevelCounts& counts;
            COLORREF colour;
        };
        const Curve curves[] = {{RCheck, counts_.red, RGB(255, 0, 0)},
                                {GCheck, counts_.green, RGB(0, 255, 0)},
                                {BCheck, counts_.blue, RGB(0, 0, 255)}};
        for (const Curve& c : curves) {
            if (!c.check.Checked()) continue;
            const std::array<int, 256> y = HistogramCurve(c.counts, largest);
            forms::UniquePen pen(CreatePen(PS_SOLID, 1, c.colour));
            forms::SelectGuard selected(dc, pen.get());
            MoveToEx(dc, 0, 255, nullptr);
            for (int i = 0; i < 256; ++i) LineTo(dc, i, y[static_cast<size_t>(i)]);
        }
    }
    Image1.Repaint();
}

std::string THistoWin::CountsText(int x) const {
    const auto i = static_cast<size_t>(std::clamp(x, 0, 255));
    return "I=" + std::to_string(i) + "\rR=" + std::to_string(counts_.red[i]) +
           "\rG=" + std::to_string(counts_.green[i]) + "\rB=" + std::to_string(counts_.blue[i]);
}

void THistoWin::Image1MouseMove(int x) {
    if (host_.showInfo) host_.showInfo(CountsText(x));
}

}  // namespace kelbo
