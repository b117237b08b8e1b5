#include "FaultReport.h"

#include "platform/ErrorReport.h"

#include <cstdio>
#include <utility>
#include <windows.h>

namespace platform::detail {

namespace {

struct Armed
{
    std::string subject;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
    Armed* outer = nullptr;
};

Armed* g_armed = nullptr;

// Runs when no handler took a structured exception: one line with the
// exception's code, then the system ends the process with that code as its
// status (no debugger, no crash dialog).
LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception)
{
    if (const Armed* armed = g_armed) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX",
                      static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
        reportError(armed->subject + ": exception " + code);
        return EXCEPTION_EXECUTE_HANDLER;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

void* armFaultReport(std::string crashSubject)
{
    auto* armed = new Armed;
    armed->subject = std::move(crashSubject);
    armed->outer = g_armed;
    armed->previousFilter = SetUnhandledExceptionFilter(&onUnhandledException);
    g_armed = armed;
    return armed;
}

void disarmFaultReport(void* armedState)
{
    auto* armed = static_cast<Armed*>(armedState);
    SetUnhandledExceptionFilter(armed->previousFilter);
    g_armed = armed->outer;
    delete armed;
}

} // namespace platform::detail
