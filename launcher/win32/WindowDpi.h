#pragma once

#include <windows.h>

namespace launcher::win32 {

// The DPI a window is drawn at: its monitor's where the system tells
// (GetDpiForWindow, Windows 10 version 1607 and later, looked up at run
// time so that older systems still start), the screen's logical DPI
// otherwise (GetDeviceCaps, LOGPIXELSX). `hwnd` nullptr: the screen's. 96
// when the system tells nothing.
int windowDpi(HWND hwnd);

} // namespace launcher::win32
