#include "ModuleCrashReport.h"

#include "platform/ErrorReport.h"

#include <cstdio>
#include <windows.h>

namespace launcher::win32 {

namespace {

std::string hexCode(std::uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

LONG WINAPI reportAndEnd(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    platform::reportError(
        crashMessage(static_cast<std::uint32_t>(record.ExceptionCode), record.ExceptionAddress));
    // The system ends the process with the exception code as its status,
    // without a crash dialog.
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

std::string crashMessage(std::uint32_t code, const void* address)
{
    char where[32];
    std::snprintf(where, sizeof where, "%p", address);
    return "exception " + hexCode(code) + " at " + where + "; the program ends";
}

void installCrashReport()
{
    SetUnhandledExceptionFilter(&reportAndEnd);
}

} // namespace launcher::win32
