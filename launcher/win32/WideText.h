#pragma once

#include <string>
#include <string_view>

namespace launcher::win32 {

// The window's texts are UTF-8 inside the program and UTF-16 at the W
// calls; the conversion never goes through the system's ANSI code page.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// A Windows-1251 text (the code page of existing dictionaries and modules)
// as UTF-16, whatever the system's ANSI code page is.
std::wstring fromWindows1251(std::string_view bytes);

// The text of a window, through GetWindowTextW.
std::wstring windowText(void* window);

} // namespace launcher::win32
