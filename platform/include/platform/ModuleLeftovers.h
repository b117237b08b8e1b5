#pragma once

#include "platform/Library.h"

#include <vector>

namespace platform {

// What a module left running of its own code when its entry point
// returned. Unloading the module would crash the process at their next
// message or time slice.
// - Windows: windows of the calling thread whose window procedure lies in
//   the module's image, and other threads of the process that started
//   there.
// - POSIX: threads of the process that were not there before the module
//   was loaded (its windows belong to the toolkit it shares with the
//   launcher).
struct ModuleLeftovers
{
    int windows = 0;
    int threads = 0;

    bool any() const { return windows > 0 || threads > 0; }
};

// The process's threads at one moment, taken before a module is loaded
// (POSIX: the ids of its task list; empty on Windows, which tells a
// module's threads by where they start).
struct ThreadList
{
    std::vector<long> ids;
};
ThreadList currentThreads();

ModuleLeftovers leftoversOf(LibraryHandle library, const ThreadList& before);

// A quit request (WM_QUIT) that a module posted to the calling thread, by
// PostQuitMessage or its own message loop's end, would close the launcher's
// window: it is taken out of the thread's queue. True when there was one.
// Windows only; elsewhere false.
bool takePostedQuitRequest();

} // namespace platform
