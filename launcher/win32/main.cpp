#include "Startup.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The whole command line, bytes unchanged: argument 1 is the data file
    // name handed to a module.
    return launcher::win32::runLauncher(instance, GetCommandLineA());
}
