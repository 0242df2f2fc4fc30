// Base of every window class of the program: the handle maps back to the
// object through GWLP_USERDATA (set at WM_NCCREATE) and one static procedure
// hands each message to the object's HandleMessage.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kelbo::forms {

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Bounds&) const = default;
};

enum class WindowKind { kPlain, kMdiFrame, kMdiChild };

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
    void CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style, std::string_view caption,
                      const Bounds& b, HWND parent, HMENU menuOrId, WindowKind kind = WindowKind::kPlain,
                      UINT classStyle = CS_DBLCLKS, HBRUSH background = nullptr);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

    // The frame's MDI client: DefFrameProc needs it.
    HWND mdiClient_ = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WindowKind kind_ = WindowKind::kPlain;
};

// The object behind a window of ours, or nullptr.
Window* WindowFromHandle(HWND hwnd);

HINSTANCE ModuleInstance();

}  // namespace kelbo::forms
