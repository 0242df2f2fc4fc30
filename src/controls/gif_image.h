// The animated GIF control: reads a GIF file through the decoder, composes
// its frames into a buffer of the logical screen, paints the buffer in one
// of its modes and plays the frames with a TTimerEx. The program itself only
// uses a hidden one to read a file's first frame.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "codecs/gif_compose.h"
#include "codecs/gif_decoder.h"
#include "controls/layout/gif_layout.h"
#include "controls/timer_ex.h"
#include "core/bitmap24.h"
#include "core/result.h"
#include "forms/dib.h"
#include "forms/window.h"

namespace kelbo::controls {

class TGIFImage : public forms::Window {
public:
    using NotifyEvent = std::function<void(TGIFImage& sender)>;
    // Bytes parsed, total bytes, Round(100 * parsed / total), and a flag,
    // true on entry, that the handler clears to abort the load.
    using ProgressEvent =
        std::function<void(TGIFImage& sender, std::size_t parsed, std::size_t total, int percent, bool& goOn)>;

    static constexpr int kDefaultSize = 105;

    TGIFImage();
    ~TGIFImage() override;

    // A child window of `parent`; hidden when `visible` is false (how the
    // picture file routines use it).
    void Create(HWND parent, const forms::Bounds& b = {0, 0, kDefaultSize, kDefaultSize}, bool visible = true);

    // False when the file is missing (nothing changes) or cannot be read as
    // a GIF (the control is cleared); LastError() then says why.
    bool LoadFromFile(const std::filesystem::path& path);
    // The same for a file's bytes, e.g. from a stream.
    bool LoadFromBytes(std::span<const std::uint8_t> bytes);
    const std::filesystem::path& FileName() const { return fileName_; }
    // The bytes of the file last loaded; what a form file stores as "Data".
    const std::vector<std::uint8_t>& Data() const { return data_; }
    const std::string& LastError() const { return lastError_; }
    // Frames, buffers and file name gone, as before the first load.
    void Clear();

    bool Empty() const { return !file_; }
    const GifFile* File() const { return file_.get(); }
    std::size_t FrameCount() const { return file_ ? file_->frames.size() : 0; }
    bool MultiFrame() const { return FrameCount() > 1; }
    int LogicalWidth() const { return file_ ? file_->logicalWidth : 0; }
    int LogicalHeight() const { return file_ ? file_->logicalHeight : 0; }
    bool AnyTransparent() const { return file_ && file_->anyTransparent; }
    std::uint16_t LoopCount() const { return loopCount_; }
    int LoopsDone() const { return loopsDone_; }

    // The composition buffer (black where nothing opaque was drawn) and mask
    // (1 where transparent; empty unless a frame is transparent); an empty
    // bitmap and span while the control is empty.
    const Bitmap24& Buffer() const;
    std::span<const std::uint8_t> Mask() const;

    // The first frame drawn over its transparent colour, at its own offsets
    // within a bitmap of its size; a failure while the control is empty.
    Result<Bitmap24> FirstFrameBitmap() const;

    // One timer event: shows the current frame and moves on. Returns the
    // timer interval it set, in milliseconds, or 0 when it did nothing
    // (empty, or not animating). Tests drive the animation through this
    // instead of waiting for the timer.
    unsigned Tick();

    bool Animate() const { return animate_; }
    void SetAnimate(bool on);
    bool Loop() const { return loop_; }
    void SetLoop(bool on);
    int Speed() const { return speed_; }
    void SetSpeed(int percent);
    // 1-based; may stand one past the last frame when a limited animation
    // has ended.
    int CurrentFrame() const { return currentFrame_; }
    void SetCurrentFrame(int frame);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Center() const { return modes_.center; }
    void SetCenter(bool on);
    bool Stretch() const { return modes_.stretch; }
    void SetStretch(bool on);
    bool StretchRatio() const { return modes_.stretchRatio; }
    void SetStretchRatio(bool on);
    bool Tile() const { return modes_.tile; }
    void SetTile(bool on);
    const GifPaintModes& PaintModes() const { return modes_; }

    bool Threaded() const { return timer_.Threaded(); }
    void SetThreaded(bool threaded) { timer_.SetThreaded(threaded); }
    ThreadPriority GetThreadPriority() const { return timer_.GetThreadPriority(); }
    void SetThreadPriority(ThreadPriority priority) { timer_.SetThreadPriority(priority); }
    TTimerEx& Timer() { return timer_; }
    const TTimerEx& Timer() const { return timer_; }

    // Whether the last paint found the picture covering the control.
    bool Opaque() const { return opaque_; }
    // Draws the control as a paint would, into `dc` of the control's size.
    void PaintTo(HDC dc);

    NotifyEvent OnChanging;       // before every frame change
    NotifyEvent OnChange;         // after every frame change
    ProgressEvent OnProgress;     // while loading
    NotifyEvent OnWrapAnimation;  // after the last frame was shown

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool Parse(std::vector<std::uint8_t> bytes);
    void ResetPlayback();
    void ComposeFrame(int frame);  // 1-based
    void DisposeFrame(int frame);  // 1-based
    void Changing();
    void Changed();
    bool LoopsUsedUp() const;
    void UpdateTimer();
    void RepaintControl();
    void Paint();
    void DrawBackground(HDC dc, int width, int height);

    // The composer refers to the file: it is declared after it, so it goes first.
    std::unique_ptr<GifFile> file_;
    std::unique_ptr<GifComposer> composer_;
    std::vector<std::uint8_t> data_;
    std::filesystem::path fileName_;
    std::string lastError_;

    bool animate_ = false;
    bool loop_ = false;
    bool autoSize_ = false;
    int speed_ = 100;
    int currentFrame_ = 1;
    std::uint16_t loopCount_ = 1;
    int loopsDone_ = 1;
    bool firstTick_ = true;
    GifPaintModes modes_;
    bool opaque_ = false;

    // Mask and buffer as 24-bit pictures for GDI's AND and XOR raster
    // operations; remade after every composition.
    Bitmap24 maskPicture_;
    bool maskPictureStale_ = true;
    forms::DibSection paintCache_;  // the control's size

    TTimerEx timer_;  // last: its ticks reach the fields above
};

}  // namespace kelbo::controls
