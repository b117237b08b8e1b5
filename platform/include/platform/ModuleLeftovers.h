#pragma once

#include "platform/Library.h"

namespace platform {

// What a module left running of its own code when its entry point
// returned: windows of the calling thread whose window procedure lies in
// the module's image, and other threads of the process that started there.
// Unloading the module would crash the process at their next message or
// time slice. Windows only; elsewhere there are none.
struct ModuleLeftovers
{
    int windows = 0;
    int threads = 0;

    bool any() const { return windows > 0 || threads > 0; }
};

ModuleLeftovers leftoversOf(LibraryHandle library);

// A quit request (WM_QUIT) that a module posted to the calling thread, by
// PostQuitMessage or its own message loop's end, would close the launcher's
// window: it is taken out of the thread's queue. True when there was one.
// Windows only; elsewhere false.
bool takePostedQuitRequest();

} // namespace platform
