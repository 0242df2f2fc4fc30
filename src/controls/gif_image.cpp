#include "controls/gif_image.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <utility>

#include "core/file_io.h"
#include "forms/handle.h"

namespace kelbo::controls {
namespace {

BITMAPINFO PictureInfo(const Bitmap24& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();  // Bitmap24 rows run from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void DrawPicture(HDC dc, const Rect& target, const Bitmap24& picture, DWORD rop) {
    const BITMAPINFO info = PictureInfo(picture);
    StretchDIBits(dc, target.left, target.top, target.width, target.height, 0, 0, picture.Width(), picture.Height(),
                  picture.Data(), &info, DIB_RGB_COLORS, rop);
}

const Bitmap24& NoPicture() {
    static const Bitmap24 none;
    return none;
}

}  // namespace

TGIFImage::TGIFImage() {
    timer_.SetEnabled(false);
    timer_.SetOnTimer([this](TTimerEx&) { Tick(); });
}

TGIFImage::~TGIFImage() {
    timer_.SetEnabled(false);
    // The window goes while the object can still answer its messages.
    Destroy();
}

void TGIFImage::Create(HWND parent, const forms::Bounds& b, bool visible) {
    CreateHandle(L"KelboGifImage", 0, WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0), "", b, parent, nullptr,
                 forms::WindowKind::kPlain, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

bool TGIFImage::LoadFromFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        const std::u8string name = path.u8string();
        lastError_ = "The file does not exist: " + std::string(name.begin(), name.end());
        return false;
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const std::exception& e) {
        Clear();
        lastError_ = e.what();
        return false;
    }
    if (!Parse(std::move(bytes))) return false;
    fileName_ = path;
    return true;
}

bool TGIFImage::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    return Parse(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void TGIFImage::Clear() {
    timer_.SetEnabled(false);
    composer_.reset();
    file_.reset();
    data_.clear();
    fileName_.clear();
    maskPicture_ = Bitmap24();
    maskPictureStale_ = true;
    ResetPlayback();
    if (Exists()) Invalidate();
}

void TGIFImage::ResetPlayback() {
    currentFrame_ = 1;
    loopCount_ = 1;
    loopsDone_ = 1;
    firstTick_ = true;
}

bool TGIFImage::Parse(std::vector<std::uint8_t> bytes) {
    timer_.SetEnabled(false);
    composer_.reset();
    file_.reset();
    ResetPlayback();
    data_ = std::move(bytes);
    lastError_.clear();

    auto fail = [this](std::string message) {
        Clear();
        lastError_ = std::move(message);
        return false;
    };

    GifDecodeOptions options;
    if (OnProgress) {
        options.onProgress = [this](std::size_t parsed, std::size_t total, int percent, bool& goOn) {
            OnProgress(*this, parsed, total, percent, goOn);
        };
    }
    Result<GifFile> decoded = DecodeGif(data_, options);
    if (!decoded) return fail(decoded.Error().message);
    // The decoder accepts a file whose blocks end before any image; there
    // is nothing to show then, and a caller wanting the first frame must hear so.
    if (decoded->frames.empty())
        return fail("The GIF file holds no image (" + std::string(GifStopName(decoded->stop)) +
                    (decoded->stopDetail.empty() ? "" : ": " + decoded->stopDetail) + ")");
    try {
        auto file = std::make_unique<GifFile>(std::move(decoded).Value());
        auto composer = std::make_unique<GifComposer>(*file);
        file_ = std::move(file);
        composer_ = std::move(composer);
    } catch (const std::exception& e) {
        composer_.reset();
        file_.reset();
        return fail(e.what());
    }

    loopCount_ = file_->loopCount;
    maskPictureStale_ = true;
    if (autoSize_ && Exists()) {
        const forms::Bounds b = GetBounds();
        SetBounds({b.left, b.top, LogicalWidth(), LogicalHeight()});
    }
    timer_.SetInterval(1);
    Changing();
    ComposeFrame(1);
    Changed();
    RepaintControl();
    return true;
}

const Bitmap24& TGIFImage::Buffer() const { return composer_ ? composer_->Buffer() : NoPicture(); }

std::span<const std::uint8_t> TGIFImage::Mask() const {
    return composer_ ? composer_->Mask() : std::span<const std::uint8_t>{};
}

Result<Bitmap24> TGIFImage::FirstFrameBitmap() const {
    if (!file_) return Failure{FailureKind::kInvalid, "The GIF control holds no picture"};
    return GifFirstFrameBitmap(*file_);
}

void TGIFImage::ComposeFrame(int frame) {
    composer_->Compose(static_cast<std::size_t>(frame - 1));
    maskPictureStale_ = true;
}

void TGIFImage::DisposeFrame(int frame) {
    if (frame < 1 || static_cast<std::size_t>(frame) > FrameCount()) return;
    composer_->Dispose(static_cast<std::size_t>(frame - 1));
    maskPictureStale_ = true;
}

void TGIFImage::Changing() {
    if (OnChanging) OnChanging(*this);
}

void TGIFImage::Changed() {
    if (OnChange) OnChange(*this);
}

bool TGIFImage::LoopsUsedUp() const { return loopCount_ > 0 && loopsDone_ > loopCount_; }

void TGIFImage::UpdateTimer() { timer_.SetEnabled(MultiFrame() && animate_ && !Empty() && (loop_ || !LoopsUsedUp())); }

void TGIFImage::RepaintControl() {
    if (Exists()) Invalidate();
}

unsigned TGIFImage::Tick() {
    if (Empty() || !animate_) return 0;
    const int count = static_cast<int>(FrameCount());
    if (currentFrame_ < 1 || currentFrame_ > count) currentFrame_ = 1;
    Changing();
    if (firstTick_) {
        firstTick_ = false;  // the load composed the first frame already
    } else {
        DisposeFrame(currentFrame_ == 1 ? count : currentFrame_ - 1);
        ComposeFrame(currentFrame_);
        RepaintControl();
    }
    const unsigned interval = GifFrameInterval(file_->frames[static_cast<std::size_t>(currentFrame_ - 1)].delayMs,
                                               speed_);
    timer_.SetInterval(interval);

    ++currentFrame_;
    const bool wrapped = currentFrame_ > count;
    if (wrapped) {
        if (!loop_ && loopCount_ > 0) {
            ++loopsDone_;
            if (loopCount_ < loopsDone_) timer_.SetEnabled(false);
        } else {
            currentFrame_ = 1;
        }
    }
    Changed();
    if (wrapped && OnWrapAnimation) OnWrapAnimation(*this);
    return interval;
}

void TGIFImage::SetAnimate(bool on) {
    if (on == animate_) return;
    animate_ = on;
    loopsDone_ = 1;
    if (on) {
        if (Empty() || !MultiFrame()) return;
        const int frame = std::clamp(currentFrame_, 1, static_cast<int>(FrameCount()));
        timer_.SetInterval(GifFrameInterval(file_->frames[static_cast<std::size_t>(frame - 1)].delayMs, speed_));
        timer_.SetEnabled(true);
        return;
    }
    timer_.SetEnabled(false);
    if (Empty() || currentFrame_ < 2) return;
    Changing();
    DisposeFrame(currentFrame_ - 1);
    currentFrame_ = 1;
    ComposeFrame(1);
    RepaintControl();
    Changed();
}

void TGIFImage::SetLoop(bool on) {
    const bool restart = on && !loop_ && !Empty() && LoopsUsedUp();
    loop_ = on;
    if (restart) currentFrame_ = 1;
    if (!Empty()) UpdateTimer();
}

void TGIFImage::SetSpeed(int percent) { speed_ = std::max(percent, 1); }

void TGIFImage::SetCurrentFrame(int frame) {
    if (Empty() || frame < 1 || static_cast<std::size_t>(frame) > FrameCount()) return;
    Changing();
    DisposeFrame(currentFrame_);
    currentFrame_ = frame;
    ComposeFrame(frame);
    RepaintControl();
    Changed();
}

void TGIFImage::SetAutoSize(bool on) {
    autoSize_ = on;
    if (on && !Empty() && Exists()) {
        const forms::Bounds b = GetBounds();
        SetBounds({b.left, b.top, LogicalWidth(), LogicalHeight()});
    }
    RepaintControl();
}

void TGIFImage::SetCenter(bool on) {
    modes_.center = on;
    RepaintControl();
}

void TGIFImage::SetStretch(bool on) {
    modes_.stretch = on;
    RepaintControl();
}

void TGIFImage::SetStretchRatio(bool on) {
    modes_.stretchRatio = on;
    RepaintControl();
}

void TGIFImage::SetTile(bool on) {
    modes_.tile = on;
    RepaintControl();
}

void TGIFImage::DrawBackground(HDC dc, int width, int height) {
    const RECT all{0, 0, width, height};
    forms::UniqueBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    if (face) FillRect(dc, &all, face.get());
    const HWND parent = Exists() ? GetParent(Handle()) : nullptr;
    if (!parent) return;
    // What lies under the control is the parent's client area: let the
    // parent draw it with its origin moved to the control's corner.
    POINT corner{0, 0};
    MapWindowPoints(Handle(), parent, &corner, 1);
    POINT old{};
    SetViewportOrgEx(dc, -corner.x, -corner.y, &old);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void TGIFImage::PaintTo(HDC dc) {
    RECT client{};
    if (Exists()) GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;

    const bool shown = Exists() && IsWindowVisible(Handle());
    const bool opaque = shown && !Empty() &&
                        GifPaintOpaque(width, height, LogicalWidth(), LogicalHeight(), AnyTransparent(), modes_);
    if (opaque != opaque_) {
        opaque_ = opaque;
        RepaintControl();
    }
    if (!opaque) DrawBackground(dc, width, height);
    if (Empty()) return;

    const Bitmap24& buffer = composer_->Buffer();
    const std::vector<Rect> targets = GifPaintTargets(width, height, buffer.Width(), buffer.Height(), modes_);
    SetStretchBltMode(dc, COLORONCOLOR);
    if (composer_->HasMask()) {
        if (maskPictureStale_) {
            // White where transparent: AND keeps the background there, XOR
            // of the buffer (black there) leaves it; elsewhere the buffer shows.
            maskPicture_ = Bitmap24(buffer.Width(), buffer.Height());
            const std::span<const std::uint8_t> mask = composer_->Mask();
            for (int y = 0; y < buffer.Height(); ++y) {
                std::uint8_t* row = maskPicture_.Row(y);
                const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(buffer.Width());
                for (int x = 0; x < buffer.Width(); ++x) {
                    const std::uint8_t value = mask[start + static_cast<std::size_t>(x)] ? 0xFF : 0x00;
                    row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
                }
            }
            maskPictureStale_ = false;
        }
        for (const Rect& target : targets) {
            DrawPicture(dc, target, maskPicture_, SRCAND);
            DrawPicture(dc, target, buffer, SRCINVERT);
        }
    } else {
        for (const Rect& target : targets) DrawPicture(dc, target, buffer, SRCCOPY);
    }
}

void TGIFImage::Paint() {
    forms::PaintScope paint(Handle());
    const SIZE size = ClientSize();
    if (size.cx > 0 && size.cy > 0) {
        if (paintCache_.Empty() || paintCache_.Width() != size.cx || paintCache_.Height() != size.cy)
            paintCache_ = forms::DibSection(size.cx, size.cy);
        forms::DibCanvas canvas(paintCache_);
        PaintTo(canvas.dc());
        BitBlt(paint.dc(), 0, 0, size.cx, size.cy, canvas.dc(), 0, 0, SRCCOPY);
    }
    UpdateTimer();
}

LRESULT TGIFImage::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel, from the cache
    case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wParam)); return 0;
    default: return DefaultHandling(msg, wParam, lParam);
    }
}

}  // namespace kelbo::controls
