#include "Startup.h"

#include "FormGears.h"
#include "ModuleCrashReport.h"
#include "OwnerWindow.h"
#include "WideText.h"
#include "launcher/CommandLine.h"
#include "launcher/CommandLineSplit.h"
#include "launcher/ModuleRunner.h"
#include "launcher/Paths.h"
#include "platform/ErrorReport.h"
#include "platform/Process.h"
#include "translation/Dictionary.h"

#include <string>

namespace launcher::win32 {

int runLauncher(HINSTANCE instance, const char* commandLine)
{
    installCrashReport();

    const PathStyle style = PathStyle::Windows;
    const std::string programDir = programDirFromExecutable(platform::executablePath(), style);
    if (!programDir.empty()) {
        translation::LoadDictionary(programDir + "Orvanel.Dic");
    } else {
        // Without its own folder the launcher would read "Orvanel.Dic" from
        // the current directory; modules still go through the system search.
        platform::reportError("cannot tell the program's folder; no dictionary is read");
    }

    OwnerWindow owner;
    if (!owner.create(instance)) {
        platform::reportError("cannot create the application's window: " +
                              systemErrorText(GetLastError()));
        return ExitNoWindow;
    }
    FormGears window(instance, owner.hwnd(), programDir);
    std::string error;
    if (!window.create(error)) {
        platform::reportError(error);
        return ExitNoWindow;
    }
    LauncherWindow& state = window.behaviour();
    state.AutoRun = false;

    if (const std::optional<std::string> argument1 =
            firstArgument(commandLine != nullptr ? commandLine : "")) {
        const StartupRequest request =
            parseCommandLine(*argument1, platform::currentDirectory(), style);
        state.KindIndex = request.kindIndex;
        if (request.autoRun) {
            if (!request.error.empty()) {
                platform::reportError(request.error);
                return ExitBadDataFileName;
            }
            state.DataFileName = request.dataFileName;
            state.AutoRun = true;
            const std::optional<RunOutcome> outcome = window.selectKindAndRun();
            return exitStatusFor(outcome.value_or(RunOutcome{}).status);
        }
    }
    return window.runMessageLoop();
}

} // namespace launcher::win32
