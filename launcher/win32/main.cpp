#include "ProgramWindow.h"
#include "StartupTrace.h"
#include "launcher/CommandLine.h"
#include "platform/Process.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DERIZE_STARTUP_MARK("WinMain");
    platform::prepareProcess(nullptr);
    // The whole command line, bytes unchanged: argument 1 is the data file
    // name handed to a module.
    const char* commandLine = GetCommandLineA();
    launcher::ProcessStart start;
    start.argument1 =
        launcher::firstArgumentOfCommandLine(commandLine != nullptr ? commandLine : "");
    start.executablePath = platform::executablePath();
    launcher::win32::ProgramWindow window(instance);
    return launcher::runLauncher(window, start);
}
