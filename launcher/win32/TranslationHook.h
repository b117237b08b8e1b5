#pragma once

#include <string>
#include <windows.h>

namespace launcher::win32 {

// The show handler's translation step: the window's caption and `hint`,
// then every control it owns, through the dictionary.
void translateWindow(HWND window, std::u16string& hint);

} // namespace launcher::win32
