#pragma once

#include "launcher/window/WindowDescription.h"
#include "launcher/window/WindowLayout.h"

#include <string>
#include <windows.h>

namespace launcher::win32 {

// Where and how a control of the window is created.
struct ControlPlacement
{
    HINSTANCE instance = nullptr;
    HWND parent = nullptr;
    int id = 0;
    const ControlDescription* description = nullptr;
    ControlRect rect;     // the description's rectangle at the window's DPI
    HFONT font = nullptr; // the window's font at that DPI
    int dpi = DesignDpi;
};

// One native control of the window: its creation parameters and its HWND.
// Each control kind creates its own native window; the parent window
// destroys its children, so a control never destroys its HWND itself.
class NativeControl
{
public:
    virtual ~NativeControl() = default;
    NativeControl() = default;
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    // Creates the native control; false when the system refuses.
    virtual bool create(const ControlPlacement& placement) = 0;

    // The window moved to a display of another DPI: the control takes its
    // rectangle and the window's font at that DPI.
    virtual void relayout(const ControlRect& rect, HFONT font, int dpi);

    HWND hwnd() const { return m_hwnd; }

protected:
    // CreateWindowExW at the placement's rectangle with the description's text,
    // then the window's font. `param` reaches WM_NCCREATE.
    HWND createWindow(DWORD exStyle, const wchar_t* className, DWORD style,
                      const ControlPlacement& placement, void* param = nullptr);

    // The object behind a window of one of the window's own classes, stored
    // at WM_NCCREATE.
    template <typename T>
    static T* objectOf(HWND hwnd, UINT message, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }

    HWND m_hwnd = nullptr;
};

// A window class of the launcher's own: its name, window procedure and
// module, with the arrow cursor; the rest is left to the caller.
WNDCLASSEXW ownWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC windowProc);

// Registers a window class once per process; false when the system refuses.
bool registerClassOnce(const WNDCLASSEXW& windowClass);

// Fills `rect` with the system's button-face colour.
void fillButtonFace(HDC dc, const RECT& rect);

} // namespace launcher::win32
