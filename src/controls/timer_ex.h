// A timer whose ticks come from a worker thread (the default) or from a
// window timer; either way every tick runs on the user-interface thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string_view>

#include "controls/threads/timer_thread_core.h"
#include "controls/ui_dispatch.h"
#include "forms/window.h"

namespace kelbo::controls {

// The Win32 priority value of a ThreadPriority.
int ToWin32Priority(ThreadPriority priority);

class TTimerEx;

// Sleeps the timer's interval, then hands the tick to the user-interface
// thread and waits for it (TimerThreadCore's protocol, with a Win32 priority
// and a UiDispatcher). Created paused; Pause/Resume/SetPriority and the
// destructor are called on the user-interface thread.
class TTimerThread {
public:
    explicit TTimerThread(TTimerEx& timer);
    // Stops and joins the thread; no tick is delivered after this begins,
    // even when it runs inside a tick.
    ~TTimerThread();
    TTimerThread(const TTimerThread&) = delete;
    TTimerThread& operator=(const TTimerThread&) = delete;

    void Pause() { core_.Pause(); }
    void Resume() { core_.Resume(); }
    bool Running() const { return core_.Running(); }
    void SetPriority(ThreadPriority priority) { core_.SetPriority(priority); }
    // The Win32 priority the thread last gave itself.
    int AppliedPriority() const { return ToWin32Priority(core_.AppliedPriority()); }
    void SetDestroying() { core_.SetDestroying(); }
    bool Destroying() const { return core_.Destroying(); }
    TTimerEx& Timer() const { return timer_; }

private:
    TTimerEx& timer_;
    UiDispatcher ui_;
    TimerThreadCore core_;  // after the dispatcher it hands its ticks to
};

class TTimerEx {
public:
    using Handler = std::function<void(TTimerEx& sender)>;

    TTimerEx();
    ~TTimerEx();
    TTimerEx(const TTimerEx&) = delete;
    TTimerEx& operator=(const TTimerEx&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_.load(); }  // milliseconds
    void SetInterval(UINT milliseconds);
    bool Threaded() const { return threaded_; }
    void SetThreaded(bool threaded);
    ThreadPriority GetThreadPriority() const { return priority_; }
    void SetThreadPriority(ThreadPriority priority);
    const Handler& OnTimer() const { return onTimer_; }
    void SetOnTimer(Handler handler);

    // Where an exception from OnTimer goes; the application's error box
    // unless replaced.
    std::function<void(std::string_view message)> OnError;

    // A tick: calls OnTimer when enabled. The handler may free the timer.
    void Timer();

    // Whether ticks are being produced (thread running or window timer set).
    bool Ticking() const;
    const TTimerThread* TickThread() const { return tickThread_.get(); }

private:
    class TickWindow;
    friend class TTimerThread;

    void UpdateTimer();
    // A tick from the thread or the window; exceptions go to OnError.
    void RunTick();

    bool enabled_ = true;
    std::atomic<UINT> interval_{1000};
    bool threaded_ = true;
    ThreadPriority priority_ = ThreadPriority::kNormal;
    Handler onTimer_;
    std::unique_ptr<TTimerThread> tickThread_;
    std::unique_ptr<TickWindow> tickWindow_;
};

}  // namespace kelbo::controls
