/* The least a Win32 program does to put a window on screen: one class, one
 * window, the message loop. Start-up of derize-zizir.exe is measured
 * against it (startup-time.sh). Built with the bench-only switch
 * DERIZE_STARTUP_TRACE it writes the launcher's marks (StartupTrace.h) at
 * the same steps, for startup-time.sh --breakdown. */
#include "StartupTrace.h"

#include <windows.h>

static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    WNDCLASSW windowClass = {0};
    HWND window;
    MSG message;
    (void)previous;
    (void)commandLine;
    DERIZE_STARTUP_MARK("WinMain");
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"MinimalWindow";
    if (!RegisterClassW(&windowClass)) {
        return 1;
    }
    window = CreateWindowW(L"MinimalWindow", L"Minimal Win32 window",
                           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 424, 227, 373, 459, NULL, NULL,
                           instance, NULL);
    if (window == NULL) {
        return 1;
    }
    DERIZE_STARTUP_MARK("window and controls made");
    ShowWindow(window, show);
    DERIZE_STARTUP_MARK("shown");
    UpdateWindow(window);
    DERIZE_STARTUP_MARK("painted");
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
