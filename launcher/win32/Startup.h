#pragma once

#include <windows.h>

namespace launcher::win32 {

// Exit status when the window cannot be created: the program ends at once,
// after one line on standard error.
inline constexpr int ExitNoWindow = 5;

// The program from start to end: its folder, the dictionary beside it, the
// application's owner window, the launcher window, then automatic mode for
// a data file named by argument 1 of `commandLine` or the main loop.
// Returns the exit status.
int runLauncher(HINSTANCE instance, const char* commandLine);

} // namespace launcher::win32
