#pragma once

#include <string>

namespace platform {

// A module's code runs inside the launcher's process: a module that
// crashes or calls exit() would end it without a word. While a guard is
// alive (the loading of a module, the call of its entry point) either
// leaves one error line first:
//
// - a fatal fault (on POSIX SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT; on
//   Windows a structured exception nobody handles): "<crashSubject>: "
//   and the signal or exception, then the fault takes its usual course, so
//   the process's end still tells what happened;
// - exit() (or a return from main elsewhere): "<exitMessage>", then the
//   process ends at once with `exitStatus`, whatever status the module
//   gave.
//
// The texts are ready when the guard is made; a fault's line is put
// together without allocating, so that nothing but a write is left to do
// when the process goes down. The handlers are put in
// place with the first guard and stay (a guard costs no system call);
// outside a guard they hand a fault on to the handling it had before.
// Guards nest; modules run on one thread.
class ModuleCallGuard
{
public:
    ModuleCallGuard(std::string crashSubject, std::string exitMessage, int exitStatus);
    ~ModuleCallGuard();
    ModuleCallGuard(const ModuleCallGuard&) = delete;
    ModuleCallGuard& operator=(const ModuleCallGuard&) = delete;

private:
    static void onExit();

    std::string m_exitMessage;
    int m_exitStatus;
    const ModuleCallGuard* m_previous;
    void* m_faults; // the platform's fault handlers, as they were before
};

} // namespace platform
