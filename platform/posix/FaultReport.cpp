#include "FaultReport.h"

#include "platform/ErrorReport.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace platform::detail {

namespace {

struct Fault
{
    int signal;
    const char* text;
};

constexpr std::array<Fault, 5> Faults = {{
    {SIGSEGV, "signal SIGSEGV (invalid memory access)"},
    {SIGBUS, "signal SIGBUS (bus error)"},
    {SIGILL, "signal SIGILL (illegal instruction)"},
    {SIGFPE, "signal SIGFPE (arithmetic fault)"},
    {SIGABRT, "signal SIGABRT (aborted)"},
}};

// Whom the handlers name while a guard is alive.
struct Armed
{
    std::string subject;
    Armed* outer = nullptr;
};

std::atomic<Armed*> g_armed{nullptr};
static_assert(std::atomic<Armed*>::is_always_lock_free);

// The handlers are installed once, with the first guard, and stay: a guard
// then costs no system call. Outside a guard they hand the fault on to
// whatever handled it before.
std::array<struct sigaction, Faults.size()> g_previous{};

// A module that overflows its stack still gets its line: the handler runs
// on a stack of its own.
constexpr std::size_t AlternateStackSize = 64 * 1024;
alignas(16) char g_alternateStack[AlternateStackSize];

// The line is put together here, so that it goes out in one write.
char g_line[8192];

void writeLine(const std::string& subject, const char* text)
{
    std::size_t length = 0;
    const auto append = [&length](std::string_view piece) {
        for (const char c : piece) {
            if (length < sizeof g_line - 1) {
                g_line[length++] = c;
            }
        }
    };
    append(errorLinePrefix());
    length += escapeForErrorLineInto(subject, g_line + length, sizeof g_line - 1 - length);
    append(": ");
    append(text);
    g_line[length++] = '\n';

    const char* data = g_line;
    while (length > 0) {
        const ssize_t written = ::write(STDERR_FILENO, data, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        data += written;
        length -= static_cast<std::size_t>(written);
    }
}

// Async-signal-safe: a write of the prepared line, then the signal again
// under the handling it had before (its default action, as a rule). The
// signal stays blocked until this handler returns, so it takes its course
// right after, and the exit status tells it.
void onFault(int signalNumber)
{
    const int savedErrno = errno;
    for (std::size_t i = 0; i < Faults.size(); ++i) {
        if (Faults[i].signal != signalNumber) {
            continue;
        }
        if (const Armed* armed = g_armed.load()) {
            writeLine(armed->subject, Faults[i].text);
        }
        sigaction(signalNumber, &g_previous[i], nullptr);
    }
    raise(signalNumber);
    errno = savedErrno;
}

void installHandlersOnce()
{
    static const bool installed = [] {
        stack_t current{};
        if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) != 0) {
            stack_t stack{};
            stack.ss_sp = g_alternateStack;
            stack.ss_size = AlternateStackSize;
            sigaltstack(&stack, nullptr);
        }
        struct sigaction action
        {
        };
        action.sa_handler = &onFault;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_ONSTACK;
        for (std::size_t i = 0; i < Faults.size(); ++i) {
            sigaction(Faults[i].signal, &action, &g_previous[i]);
        }
        return true;
    }();
    (void)installed;
}

} // namespace

void* armFaultReport(std::string crashSubject, std::string_view, int)
{
    installHandlersOnce();
    auto* armed = new Armed;
    armed->subject = std::move(crashSubject);
    armed->outer = g_armed.load();
    g_armed.store(armed);
    return armed;
}

void disarmFaultReport(void* armedState)
{
    auto* armed = static_cast<Armed*>(armedState);
    g_armed.store(armed->outer);
    delete armed;
}

void endProcessForModule(std::string_view exitMessage, int exitStatus)
{
    reportError(exitMessage);
    // The rest of exit() would run the destructors of a process that is
    // still inside the module's code.
    std::_Exit(exitStatus);
}

} // namespace platform::detail
