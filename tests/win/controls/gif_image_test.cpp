#include "controls/gif_image.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "codecs/gif_test_files.h"
#include "controls/layout/gif_layout.h"
#include "controls/host_window.h"
#include "forms/dib.h"

namespace kelbo::controls {
namespace {

using namespace std::chrono_literals;
using testing::FilledTestImage;
using testing::GifBuilder;
using testing::GifTestImage;

constexpr Color kK = Rgb(0, 0, 0);
constexpr Color kR = Rgb(200, 0, 0);
constexpr Color kG = Rgb(0, 200, 0);
constexpr Color kB = Rgb(0, 0, 200);
constexpr Color kW = Rgb(250, 250, 250);
const std::vector<Color> kTable = {kW, kR, kG, kB};
constexpr std::uint8_t kWi = 0, kRi = 1, kGi = 2, kBi = 3;

// `frames` full-screen frames of one colour each (red, green, blue, ...),
// every one with `delay` hundredths.
std::vector<std::uint8_t> Animation(int frames, int delay = 0, int loop = -1) {
    GifBuilder gif;
    gif.Header().Screen(4, 4, kTable);
    if (loop >= 0) gif.Loop(static_cast<std::uint16_t>(loop));
    for (int i = 0; i < frames; ++i) {
        gif.GraphicControl(1, delay, false, 0);
        gif.Image(FilledTestImage(0, 0, 4, 4, static_cast<std::uint8_t>(1 + i % 3)));
    }
    gif.Trailer();
    return gif.bytes;
}

// A control on a host window that never pumps messages unless a test does:
// the timer's ticks wait in the queue, so Tick() alone moves the animation.
struct Fixture {
    testing::HostWindow host;
    TGIFImage gif;
    Fixture() {
        gif.SetThreaded(false);
        gif.Create(host.Handle());
    }
};

// ---- Where the picture goes -------------------------------------------------

TEST(GifImageTest, Defaults) {
    Fixture f;
    EXPECT_TRUE(f.gif.Empty());
    EXPECT_FALSE(f.gif.Animate());
    EXPECT_FALSE(f.gif.Loop());
    EXPECT_EQ(f.gif.Speed(), 100);
    EXPECT_EQ(f.gif.CurrentFrame(), 1);
    EXPECT_EQ(f.gif.Width(), 105);
    EXPECT_EQ(f.gif.Height(), 105);
    EXPECT_FALSE(f.gif.Timer().Enabled());
    EXPECT_FALSE(f.gif.FirstFrameBitmap().Ok());
    EXPECT_EQ(f.gif.Tick(), 0u);
}

TEST(GifImageTest, LoadComposesTheFirstFrame) {
    Fixture f;
    int changing = 0, changed = 0;
    f.gif.OnChanging = [&](TGIFImage&) { ++changing; };
    f.gif.OnChange = [&](TGIFImage&) { ++changed; };
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(3))) << f.gif.LastError();
    EXPECT_FALSE(f.gif.Empty());
    EXPECT_EQ(f.gif.FrameCount(), 3u);
    EXPECT_TRUE(f.gif.MultiFrame());
    EXPECT_EQ(f.gif.LogicalWidth(), 4);
    EXPECT_EQ(f.gif.LoopCount(), 1);
    EXPECT_EQ(f.gif.Timer().Interval(), 1u);
    EXPECT_EQ(f.gif.Buffer().Pixel(3, 3), kR);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(f.gif.Data(), Animation(3));
}

TEST(GifImageTest, LoadFromFileKeepsTheName) {
    Fixture f;
    const auto path = std::filesystem::temp_directory_path() / "kelbo_gif_image_test.gif";
    {
        const auto bytes = Animation(2);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ASSERT_TRUE(f.gif.LoadFromFile(path)) << f.gif.LastError();
    EXPECT_EQ(f.gif.FileName(), path);
    EXPECT_EQ(f.gif.FrameCount(), 2u);
    std::filesystem::remove(path);

    // A missing file changes nothing.
    EXPECT_FALSE(f.gif.LoadFromFile(path));
    EXPECT_NE(f.gif.LastError().find("does not exist"), std::string::npos);
    EXPECT_EQ(f.gif.FrameCount(), 2u);
    EXPECT_EQ(f.gif.FileName(), path);
}

TEST(GifImageTest, DamagedFilesFailAndLeaveTheControlUsable) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(2)));
    const std::vector<std::uint8_t> notGif = {'P', 'N', 'G', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
    EXPECT_FALSE(f.gif.LoadFromBytes(notGif));
    EXPECT_TRUE(f.gif.Empty());
    EXPECT_FALSE(f.gif.LastError().empty());
    EXPECT_TRUE(f.gif.Data().empty());
    EXPECT_TRUE(f.gif.FileName().empty());
    EXPECT_FALSE(f.gif.FirstFrameBitmap().Ok());
    EXPECT_TRUE(f.gif.Buffer().Empty());

    EXPECT_FALSE(f.gif.LoadFromBytes({}));
    const std::vector<std::uint8_t> cut = {'G', 'I', 'F', '8', '9', 'a', 4, 0};
    EXPECT_FALSE(f.gif.LoadFromBytes(cut));
    EXPECT_TRUE(f.gif.Empty());
    // Well formed but without an image: nothing to show, said so.
    GifBuilder noImage;
    noImage.Header().Screen(4, 4, kTable).Trailer();
    EXPECT_FALSE(f.gif.LoadFromBytes(noImage.bytes));
    EXPECT_NE(f.gif.LastError().find("no image"), std::string::npos) << f.gif.LastError();

    f.gif.SetAnimate(true);
    EXPECT_EQ(f.gif.Tick(), 0u);
    f.gif.SetCurrentFrame(1);
    f.host.Show();
    f.gif.Repaint();

    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(2))) << f.gif.LastError();
    EXPECT_EQ(f.gif.Buffer().Pixel(0, 0), kR);
}

TEST(GifImageTest, HostileCorpusNeverCrashes) {
    Fixture f;
    f.host.Show();
    f.gif.SetLoop(true);
    f.gif.SetAnimate(true);
    f.gif.SetStretch(true);
    GifBuilder gif;
    gif.Header().Screen(6, 5, kTable).Loop(0);
    gif.GraphicControl(3, 1, true, kWi).Image(FilledTestImage(1, 1, 3, 3, kRi));
    gif.GraphicControl(2, 1, true, kGi).Image(FilledTestImage(0, 0, 6, 5, kGi));
    auto interlaced = FilledTestImage(2, 0, 4, 5, kBi);
    interlaced.interlaced = true;
    gif.Image(interlaced).Trailer();
    const std::vector<std::uint8_t>& good = gif.bytes;
    ASSERT_TRUE(f.gif.LoadFromBytes(good)) << f.gif.LastError();
    int loaded = 0;
    std::uint32_t seed = 12345;
    for (std::size_t n = 0; n < good.size() * 2; ++n) {
        std::vector<std::uint8_t> bad = good;
        if (n < good.size()) {
            bad.resize(n);
        } else {
            for (int k = 0; k < 3; ++k) {
                seed = seed * 1103515245u + 12345u;
                bad[(seed >> 8) % bad.size()] = static_cast<std::uint8_t>(seed >> 20);
            }
        }
        if (f.gif.LoadFromBytes(bad)) {
            ++loaded;
            for (int t = 0; t < 5; ++t) f.gif.Tick();
            f.gif.Repaint();
            ASSERT_TRUE(f.gif.FirstFrameBitmap().Ok());
        } else {
            EXPECT_FALSE(f.gif.LastError().empty());
            EXPECT_TRUE(f.gif.Empty());
        }
    }
    EXPECT_GT(loaded, 0);
}

TEST(GifImageTest, ProgressAbortClearsTheControl) {
    Fixture f;
    int calls = 0;
    f.gif.OnProgress = [&](TGIFImage& sender, std::size_t parsed, std::size_t total, int percent, bool& goOn) {
        EXPECT_EQ(&sender, &f.gif);
        EXPECT_LE(parsed, total);
        EXPECT_GE(percent, 0);
        if (++calls == 2) goOn = false;
    };
    EXPECT_FALSE(f.gif.LoadFromBytes(Animation(3)));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(f.gif.Empty());
    EXPECT_FALSE(f.gif.LastError().empty());
    f.gif.OnProgress = nullptr;
    EXPECT_TRUE(f.gif.LoadFromBytes(Animation(3)));
}

TEST(GifImageTest, FirstFrameBitmapShowsTheTransparentColour) {
    Fixture f;
    GifBuilder gif;
    gif.Header().Screen(4, 4, kTable);
    auto img = FilledTestImage(0, 0, 3, 2, kRi);
    img.indices[0] = kBi;
    gif.GraphicControl(0, 0, true, kBi).Image(img).Image(FilledTestImage(0, 0, 4, 4, kGi)).Trailer();
    ASSERT_TRUE(f.gif.LoadFromBytes(gif.bytes));
    const Result<Bitmap24> first = f.gif.FirstFrameBitmap();
    ASSERT_TRUE(first.Ok());
    EXPECT_EQ(first->Width(), 3);
    EXPECT_EQ(first->Height(), 2);
    EXPECT_EQ(first->Pixel(0, 0), kB);
    EXPECT_EQ(first->Pixel(1, 0), kR);
    // The composition buffer, by contrast, is black and transparent there.
    EXPECT_EQ(f.gif.Buffer().Pixel(0, 0), kK);
    ASSERT_FALSE(f.gif.Mask().empty());
    EXPECT_EQ(f.gif.Mask()[0], 1);
    EXPECT_EQ(f.gif.Mask()[1], 0);
}

// ---- Timing and loops ------------------------------------------------------

TEST(GifImageTest, DelayZeroShows50msAtSpeed100And25msAt200) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(2, 0)));
    f.gif.SetLoop(true);
    f.gif.SetAnimate(true);
    EXPECT_EQ(f.gif.Timer().Interval(), 50u);
    EXPECT_TRUE(f.gif.Timer().Enabled());
    EXPECT_EQ(f.gif.Tick(), 50u);
    EXPECT_EQ(f.gif.Timer().Interval(), 50u);
    f.gif.SetSpeed(200);
    EXPECT_EQ(f.gif.Tick(), 25u);
    EXPECT_EQ(f.gif.Timer().Interval(), 25u);
    f.gif.SetSpeed(0);
    EXPECT_EQ(f.gif.Speed(), 1);
}

TEST(GifImageTest, StoredDelaysScaleWithSpeed) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(2, 30)));  // 300 ms
    f.gif.SetAnimate(true);
    f.gif.SetSpeed(50);
    EXPECT_EQ(f.gif.Tick(), 600u);
}

TEST(GifImageTest, TickNeedsAnimate) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(3)));
    EXPECT_EQ(f.gif.Tick(), 0u);
    EXPECT_EQ(f.gif.CurrentFrame(), 1);
}

TEST(GifImageTest, CurrentFrameAdvancesAndWrapsWithLoop) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(3)));
    int wraps = 0;
    std::vector<Color> shown;
    f.gif.OnWrapAnimation = [&](TGIFImage&) { ++wraps; };
    f.gif.OnChange = [&](TGIFImage& g) { shown.push_back(g.Buffer().Pixel(0, 0)); };
    f.gif.SetLoop(true);
    f.gif.SetAnimate(true);
    std::vector<int> frames;
    for (int i = 0; i < 7; ++i) {
        f.gif.Tick();
        frames.push_back(f.gif.CurrentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 1, 2, 3, 1, 2}));
    EXPECT_EQ(wraps, 2);
    EXPECT_EQ(shown, (std::vector<Color>{kR, kG, kB, kR, kG, kB, kR}));
    EXPECT_TRUE(f.gif.Timer().Enabled());
}

TEST(GifImageTest, WithoutLoopExtensionPlaysOnce) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(2)));
    f.gif.SetAnimate(true);
    f.gif.Tick();
    EXPECT_TRUE(f.gif.Timer().Enabled());
    f.gif.Tick();  // the last frame: the loop is used up
    EXPECT_EQ(f.gif.CurrentFrame(), 3);
    EXPECT_EQ(f.gif.LoopsDone(), 2);
    EXPECT_FALSE(f.gif.Timer().Enabled());
    EXPECT_EQ(f.gif.Buffer().Pixel(0, 0), kG);  // the last frame stays

    // Loop on restarts from the first frame.
    f.gif.SetLoop(true);
    EXPECT_EQ(f.gif.CurrentFrame(), 1);
    EXPECT_TRUE(f.gif.Timer().Enabled());
    f.gif.Tick();
    EXPECT_EQ(f.gif.Buffer().Pixel(0, 0), kR);
}

TEST(GifImageTest, LoopCountPlaysThatManyTimes) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(2, 0, 3)));
    EXPECT_EQ(f.gif.LoopCount(), 3);
    int wraps = 0;
    f.gif.OnWrapAnimation = [&](TGIFImage&) { ++wraps; };
    f.gif.SetAnimate(true);
    int ticks = 0;
    while (f.gif.Timer().Enabled() && ticks < 100) {
        f.gif.Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 6);
    EXPECT_EQ(wraps, 3);
    EXPECT_EQ(f.gif.LoopsDone(), 4);

    // Animate restarts the count.
    f.gif.SetAnimate(false);
    EXPECT_EQ(f.gif.CurrentFrame(), 1);
    EXPECT_EQ(f.gif.Buffer().Pixel(0, 0), kR);
    f.gif.SetAnimate(true);
    EXPECT_EQ(f.gif.LoopsDone(), 1);
    EXPECT_TRUE(f.gif.Timer().Enabled());
}

TEST(GifImageTest, LoopCountZeroPlaysForEver) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(2, 0, 0)));
    EXPECT_EQ(f.gif.LoopCount(), 0);
    f.gif.SetAnimate(true);
    for (int i = 0; i < 20; ++i) f.gif.Tick();
    EXPECT_TRUE(f.gif.Timer().Enabled());
    EXPECT_EQ(f.gif.CurrentFrame(), 1);
}

TEST(GifImageTest, SingleFrameNeverStartsTheTimer) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(1)));
    f.gif.SetLoop(true);
    f.gif.SetAnimate(true);
    EXPECT_FALSE(f.gif.Timer().Enabled());
}

TEST(GifImageTest, SettingCurrentFrame) {
    Fixture f;
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(3)));
    int changing = 0, changed = 0;
    f.gif.OnChanging = [&](TGIFImage&) { ++changing; };
    f.gif.OnChange = [&](TGIFImage&) { ++changed; };
    f.gif.SetCurrentFrame(0);
    f.gif.SetCurrentFrame(4);
    EXPECT_EQ(changing, 0);
    EXPECT_EQ(f.gif.CurrentFrame(), 1);
    f.gif.SetCurrentFrame(3);
    EXPECT_EQ(f.gif.CurrentFrame(), 3);
    EXPECT_EQ(f.gif.Buffer().Pixel(2, 2), kB);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
}

TEST(GifImageTest, RealTimerAnimates) {
    testing::HostWindow host;
    TGIFImage gif;
    gif.Create(host.Handle());
    ASSERT_TRUE(gif.Threaded());
    ASSERT_TRUE(gif.LoadFromBytes(Animation(3)));
    gif.SetLoop(true);
    int changes = 0;
    gif.OnChange = [&](TGIFImage&) { ++changes; };
    gif.SetAnimate(true);
    EXPECT_TRUE(testing::PumpUntil([&] { return changes >= 6; }, 5s));
    gif.SetAnimate(false);
    const int stopped = changes;
    testing::PumpFor(150ms);
    EXPECT_EQ(changes, stopped);
}

// ---- Disposal on the composition buffer -------------------------------------

// A red screen, then a 2 x 2 green frame at (1, 1) with `disposal`, then a
// 1 x 1 blue frame at (0, 0).
std::vector<std::uint8_t> DisposalGif(int disposal) {
    GifBuilder gif;
    gif.Header().Screen(4, 4, kTable);
    gif.Image(FilledTestImage(0, 0, 4, 4, kRi));
    gif.GraphicControl(disposal, 0, false, 0).Image(FilledTestImage(1, 1, 2, 2, kGi));
    gif.Image(FilledTestImage(0, 0, 1, 1, kBi)).Trailer();
    return gif.bytes;
}

TEST(GifImageTest, DisposalOnTheBuffer) {
    struct Case {
        int disposal;
        Color after;
    } cases[] = {{0, kG}, {1, kG}, {2, kK}, {3, kR}};
    for (const Case& c : cases) {
        Fixture f;
        ASSERT_TRUE(f.gif.LoadFromBytes(DisposalGif(c.disposal)));
        f.gif.SetAnimate(true);
        f.gif.Tick();  // frame 1, composed by the load
        f.gif.Tick();  // frame 2
        EXPECT_EQ(f.gif.Buffer().Pixel(1, 1), kG);
        EXPECT_EQ(f.gif.Buffer().Pixel(0, 0), kR);
        f.gif.Tick();  // frame 2 disposed, frame 3 drawn
        EXPECT_EQ(f.gif.Buffer().Pixel(1, 1), c.after) << "disposal " << c.disposal;
        EXPECT_EQ(f.gif.Buffer().Pixel(2, 2), c.after) << "disposal " << c.disposal;
        EXPECT_EQ(f.gif.Buffer().Pixel(0, 0), kB);
        EXPECT_EQ(f.gif.Buffer().Pixel(3, 3), kR);
    }
}

TEST(GifImageTest, BackgroundDisposalMakesTheAreaTransparent) {
    Fixture f;
    GifBuilder gif;
    gif.Header().Screen(4, 4, kTable);
    gif.GraphicControl(2, 0, true, kWi).Image(FilledTestImage(0, 0, 4, 4, kRi));
    gif.GraphicControl(0, 0, true, kWi).Image(FilledTestImage(0, 0, 2, 2, kWi));  // all transparent
    gif.Trailer();
    ASSERT_TRUE(f.gif.LoadFromBytes(gif.bytes));
    EXPECT_EQ(f.gif.Mask()[0], 0);
    f.gif.SetAnimate(true);
    f.gif.Tick();
    f.gif.Tick();
    EXPECT_EQ(f.gif.Buffer().Pixel(0, 0), kK);
    EXPECT_EQ(f.gif.Mask()[0], 1);
    EXPECT_EQ(f.gif.Mask()[15], 1);
}

// ---- Painting --------------------------------------------------------------

Color PaintedAt(TGIFImage& gif, int x, int y) {
    const SIZE size = gif.ClientSize();
    forms::DibSection dib(size.cx, size.cy);
    {
        forms::DibCanvas canvas(dib);
        gif.PaintTo(canvas.dc());
    }
    return dib.View().Pixel(x, y);
}

TEST(GifImageTest, PaintModesDrawWhereTheLayoutSays) {
    Fixture f;
    f.host.Show();
    f.gif.SetBounds({0, 0, 20, 10});
    ASSERT_TRUE(f.gif.LoadFromBytes(Animation(1)));  // 4 x 4 red
    const Color background = static_cast<Color>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PaintedAt(f.gif, 3, 3), kR);
    EXPECT_EQ(PaintedAt(f.gif, 4, 3), background);
    f.gif.SetStretch(true);
    EXPECT_EQ(PaintedAt(f.gif, 19, 9), kR);
    EXPECT_TRUE(f.gif.Opaque());
    f.gif.SetStretch(false);
    f.gif.SetStretchRatio(true);  // 10 x 10 in the middle
    EXPECT_EQ(PaintedAt(f.gif, 4, 5), background);
    EXPECT_EQ(PaintedAt(f.gif, 5, 5), kR);
    EXPECT_EQ(PaintedAt(f.gif, 14, 5), kR);
    EXPECT_EQ(PaintedAt(f.gif, 15, 5), background);
    f.gif.SetStretchRatio(false);
    f.gif.SetTile(true);
    EXPECT_EQ(PaintedAt(f.gif, 19, 9), kR);
    f.gif.SetTile(false);
    f.gif.SetCenter(true);  // (8, 3)
    EXPECT_EQ(PaintedAt(f.gif, 7, 3), background);
    EXPECT_EQ(PaintedAt(f.gif, 8, 3), kR);
    EXPECT_EQ(PaintedAt(f.gif, 11, 6), kR);
    EXPECT_EQ(PaintedAt(f.gif, 11, 7), background);
}

TEST(GifImageTest, TransparentPixelsShowWhatLiesUnder) {
    Fixture f;
    f.host.Show();
    f.gif.SetBounds({0, 0, 4, 4});
    GifBuilder gif;
    gif.Header().Screen(4, 4, kTable);
    auto img = FilledTestImage(0, 0, 4, 4, kRi);
    img.indices[5] = kWi;  // (1, 1)
    gif.GraphicControl(0, 0, true, kWi).Image(img).Trailer();
    ASSERT_TRUE(f.gif.LoadFromBytes(gif.bytes));
    const Color background = static_cast<Color>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PaintedAt(f.gif, 0, 0), kR);
    EXPECT_EQ(PaintedAt(f.gif, 1, 1), background);
    EXPECT_FALSE(f.gif.Opaque());
}

TEST(GifImageTest, AutoSizeTakesTheLogicalSize) {
    Fixture f;
    f.gif.SetAutoSize(true);
    GifBuilder gif;
    gif.Header().Screen(20, 20, kTable).Image(FilledTestImage(10, 20, 30, 40, kRi)).Trailer();
    ASSERT_TRUE(f.gif.LoadFromBytes(gif.bytes));
    EXPECT_EQ(f.gif.Width(), 40);
    EXPECT_EQ(f.gif.Height(), 60);
}

}  // namespace
}  // namespace kelbo::controls
