#include "ModuleCrashReport.h"

#include "platform/ErrorReport.h"

#include <cstdio>
#include <windows.h>

namespace launcher::win32 {

namespace {

struct RunningModule
{
    std::string path;
    std::string entryPoint;
};

RunningModule& runningModule()
{
    static RunningModule module;
    return module;
}

std::string hexCode(std::uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

LONG WINAPI reportAndEnd(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    const RunningModule& module = runningModule();
    platform::reportError(crashMessage(static_cast<std::uint32_t>(record.ExceptionCode),
                                       module.path, module.entryPoint, record.ExceptionAddress));
    // The system ends the process with the exception code as its status,
    // without a crash dialog.
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

std::string crashMessage(std::uint32_t code, std::string_view modulePath,
                         std::string_view entryPoint, const void* address)
{
    if (modulePath.empty()) {
        char where[32];
        std::snprintf(where, sizeof where, "%p", address);
        return "exception " + hexCode(code) + " at " + where + "; the program ends";
    }
    return "module " + std::string(modulePath) + " raised exception " + hexCode(code) + " in " +
           std::string(entryPoint) + "; the program ends";
}

void installCrashReport()
{
    SetUnhandledExceptionFilter(&reportAndEnd);
}

ModuleInCall::ModuleInCall(std::string modulePath, std::string entryPoint)
{
    runningModule() = RunningModule{std::move(modulePath), std::move(entryPoint)};
}

ModuleInCall::~ModuleInCall()
{
    runningModule() = RunningModule{};
}

} // namespace launcher::win32
