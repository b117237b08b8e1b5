#include "FaultReport.h"

#include "platform/ErrorReport.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <unistd.h>

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

// A module that overflows its stack still gets its line: the handler runs
// on a stack of its own.
constexpr std::size_t AlternateStackSize = 64 * 1024;
alignas(16) char g_alternateStack[AlternateStackSize];

struct Armed
{
    std::array<std::string, Faults.size()> lines; // ready to write, one per fault
    std::array<struct sigaction, Faults.size()> previousActions{};
    stack_t previousStack{};
    bool stackReplaced = false;
    Armed* outer = nullptr;
};

Armed* volatile g_armed = nullptr;

void writeAll(const std::string& line)
{
    const char* data = line.data();
    std::size_t left = line.size();
    while (left > 0) {
        const ssize_t written = ::write(STDERR_FILENO, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

// Async-signal-safe: a write of a prepared line, then the signal again with
// its default action. The signal stays blocked until the handler returns,
// so it ends the process right after, and the exit status tells it.
void onFault(int signalNumber)
{
    const int savedErrno = errno;
    if (const Armed* armed = g_armed) {
        for (std::size_t i = 0; i < Faults.size(); ++i) {
            if (Faults[i].signal == signalNumber) {
                writeAll(armed->lines[i]);
            }
        }
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
    errno = savedErrno;
}

} // namespace

void* armFaultReport(const std::string& crashSubject)
{
    auto* armed = new Armed;
    for (std::size_t i = 0; i < Faults.size(); ++i) {
        armed->lines[i] = errorLine(crashSubject + ": " + Faults[i].text);
    }
    armed->outer = g_armed;

    stack_t stack{};
    stack.ss_sp = g_alternateStack;
    stack.ss_size = AlternateStackSize;
    armed->stackReplaced =
        armed->outer == nullptr && sigaltstack(&stack, &armed->previousStack) == 0;

    struct sigaction action
    {
    };
    action.sa_handler = &onFault;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK;
    g_armed = armed;
    for (std::size_t i = 0; i < Faults.size(); ++i) {
        sigaction(Faults[i].signal, &action, &armed->previousActions[i]);
    }
    return armed;
}

void disarmFaultReport(void* previous)
{
    auto* armed = static_cast<Armed*>(previous);
    for (std::size_t i = 0; i < Faults.size(); ++i) {
        sigaction(Faults[i].signal, &armed->previousActions[i], nullptr);
    }
    if (armed->stackReplaced) {
        sigaltstack(&armed->previousStack, nullptr);
    }
    g_armed = armed->outer;
    delete armed;
}

} // namespace platform::detail
