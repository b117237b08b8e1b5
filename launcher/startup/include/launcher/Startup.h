#pragma once

#include "launcher/Paths.h"

#include <functional>
#include <optional>
#include <string>

namespace launcher {

class LauncherWindow;

// What start-up needs of a program's windows, whatever draws them: the Qt
// program on Linux, the Win32 program on Windows, a fake in the tests.
class ProgramWindow
{
public:
    virtual ~ProgramWindow() = default;

    // Creates the application's windows, the launcher window hidden, its
    // modules to be looked for in `programDir` first. false, with the
    // system's reason in `error`, when the system refuses.
    virtual bool create(const std::string& programDir, std::string& error) = 0;

    // The launcher window's behaviour; only after create() succeeded.
    virtual LauncherWindow& behaviour() = 0;

    // The main loop: shows the launcher window (its show handler runs) and
    // returns when the user has closed it, with the loop's status.
    virtual int runMainLoop() = 0;
};

// What start-up reads of the process.
struct ProcessStart
{
    // Argument 1, the data file name's bytes as they came; nullopt when
    // there is none.
    std::optional<std::string> argument1;
    // The running executable; empty when the platform cannot tell.
    std::string executablePath;
    PathStyle pathStyle = nativePathStyle();
    // The current directory, asked for only when there is an argument;
    // empty: the platform's own.
    std::function<std::optional<std::string>()> currentDirectory;
};

// The program from start to end, the same on every platform: its folder
// from the executable's path, the dictionary beside it, the windows, then,
// when argument 1 names a data file of a known kind, automatic mode (that
// kind's module runs on it at once) or else the main loop. Returns the exit
// status (launcher/ExitStatus.h).
int runLauncher(ProgramWindow& window, const ProcessStart& start);

} // namespace launcher
