// Base of every window class of the program: the handle maps back to the
// object through GWLP_USERDATA (set at WM_NCCREATE) and one static procedure
// hands each message to the object's HandleMessage.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"

namespace kelbo::forms {

// A window's place in its parent's client coordinates.
using Bounds = Rect;

enum class WindowKind { kPlain, kMdiFrame, kMdiChild };

// The application's general handler. An exception cannot travel through
// Windows' message dispatch, so one that escapes a window's handler or a
// timer's ends here and is shown: by the reporter the program installs, or
// in an error box over the window's top-level window. One report at a time
// (a failure while a report is showing is not shown again). Never throws.
using ErrorReporter = std::function<void(HWND window, std::string_view message)>;
// Returns the reporter it replaces, for putting it back.
ErrorReporter SetErrorReporter(ErrorReporter reporter);
void ReportUnhandledError(HWND window, std::string_view message) noexcept;

// The child windows of an MDI client in window-list order, without the icon
// titles of minimised children (those are owned windows).
std::vector<HWND> MdiChildren(HWND client);
// The active child of an MDI client, or nullptr.
HWND ActiveMdiChild(HWND client);

// The document windows' scroll bars: ranges 0 .. max (a page of the client's
// size), and the position a scroll-bar message moves `bar` to (lines of 8
// pixels, pages, the thumb, the ends), set on the bar; nullopt for codes that
// move nothing.
void SetScrollRanges(HWND window, int maxX, int maxY);
std::optional<int> ScrollBarTo(HWND window, int bar, WORD code);
// Runs `handler`, reporting what it throws; `fallback` is returned then.
template <typename Handler>
auto GuardHandler(HWND window, Handler&& handler, decltype(handler()) fallback) noexcept {
    try {
        return handler();
    } catch (const std::exception& e) {
        ReportUnhandledError(window, e.what());
    } catch (...) {
        ReportUnhandledError(window, "Unexpected error");
    }
    return fallback;
}

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr; }

    void SetBounds(const Bounds& b);
    Bounds GetBounds() const;  // in the parent's client coordinates (screen for top level)
    int Width() const { return GetBounds().width; }
    int Height() const { return GetBounds().height; }
    SIZE ClientSize() const;
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    void SetText(std::string_view utf8);
    std::string Text() const;
    void Invalidate();
    void Repaint();  // invalidate and paint now
    void Destroy();

protected:
    // Registers the class once per process and creates the window with this
    // object behind it. Throws std::runtime_error when Windows refuses.
    void CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style, std::string_view caption, const Bounds& b,
                      HWND parent, HMENU menuOrId, WindowKind kind = WindowKind::kPlain, UINT classStyle = CS_DBLCLKS,
                      HBRUSH background = nullptr);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

    // The frame's MDI client: DefFrameProc needs it.
    HWND mdiClient_ = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // HandleMessage with what it throws sent to the general handler.
    static LRESULT Dispatch(Window& self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    HWND hwnd_ = nullptr;
    WindowKind kind_ = WindowKind::kPlain;
};

// The object behind a window of ours, or nullptr.
Window* WindowFromHandle(HWND hwnd);

HINSTANCE ModuleInstance();

}  // namespace kelbo::forms
