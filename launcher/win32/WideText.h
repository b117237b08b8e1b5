#pragma once

#include <string>
#include <string_view>

namespace launcher::win32 {

// The window's texts are UTF-8 inside the program and UTF-16 at the W
// calls; the conversion never goes through the system's ANSI code page.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// The text of a window, through GetWindowTextW.
std::wstring windowText(void* window);

// The system's reason for a Win32 error code, on one line:
// "error 1400: Invalid window handle".
std::string systemErrorText(unsigned long code);

} // namespace launcher::win32
