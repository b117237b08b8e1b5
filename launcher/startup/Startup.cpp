#include "launcher/Startup.h"

#include "launcher/CommandLine.h"
#include "launcher/ExitStatus.h"
#include "launcher/ModuleRunner.h"
#include "launcher/window/LauncherWindow.h"
#include "platform/ErrorReport.h"
#include "platform/Process.h"
#include "translation/Dictionary.h"

namespace launcher {

int runLauncher(ProgramWindow& window, const ProcessStart& start)
{
    const std::string programDir =
        start.executablePath.empty()
            ? std::string()
            : programDirFromExecutable(start.executablePath, start.pathStyle);
    if (!programDir.empty()) {
        translation::LoadDictionary(programDir + DictionaryFileName);
    } else {
        // Without its own folder the launcher would read the dictionary from
        // the current directory; modules still go through the system search.
        platform::reportError("cannot tell the program's folder; no dictionary is read");
    }

    std::string error;
    if (!window.create(programDir, error)) {
        platform::reportError(error);
        return ExitNoWindow;
    }
    LauncherWindow& launcher = window.behaviour();
    launcher.AutoRun = false;

    if (start.argument1) {
        const std::optional<std::string> currentDirectory =
            start.currentDirectory ? start.currentDirectory() : platform::currentDirectory();
        const StartupRequest request =
            parseCommandLine(*start.argument1, currentDirectory, start.pathStyle);
        launcher.KindIndex = request.kindIndex;
        if (request.autoRun) {
            if (!request.error.empty()) {
                platform::reportError(request.error);
                return ExitBadDataFileName;
            }
            launcher.DataFileName = request.dataFileName;
            launcher.AutoRun = true;
            const std::optional<RunOutcome> outcome = launcher.SelectKindAndRun();
            return exitStatusFor(outcome ? outcome->status : RunStatus::NoSuchModule);
        }
    }
    return window.runMainLoop();
}

} // namespace launcher
