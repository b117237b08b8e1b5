#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// The text of the exception being handled, for a line that names it: its
// what() (empty for nullptr), or "an error that is not a standard
// exception" when it is of another type or none is being handled.
std::string currentExceptionText();

// A C++ exception that no handler takes while a guard is alive: one thrown
// through the system's loader, which C++ cannot unwind on Windows (a
// module's static constructor that throws). The line `message` gives for
// the exception's text, then the process ends with `exitStatus`.
struct UncaughtReport
{
    std::function<std::string(std::string_view what)> message;
    int exitStatus = 0;
};

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
//   gave;
// - a C++ exception no handler takes, when the guard has an UncaughtReport:
//   its line, then the process ends with its status.
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
    ModuleCallGuard(std::string crashSubject, std::string exitMessage, int exitStatus,
                    UncaughtReport uncaught = {});
    ~ModuleCallGuard();
    ModuleCallGuard(const ModuleCallGuard&) = delete;
    ModuleCallGuard& operator=(const ModuleCallGuard&) = delete;

private:
    static void onExit();
    [[noreturn]] static void onTerminate();

    std::string m_exitMessage;
    int m_exitStatus;
    UncaughtReport m_uncaught;
    const ModuleCallGuard* m_previous;
    void* m_faults; // the platform's fault handlers, as they were before
};

} // namespace platform
