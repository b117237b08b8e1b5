#include "FaultReport.h"

#include "ErrorOutput.h"
#include "platform/ErrorReport.h"
#include "platform/FaultText.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <windows.h>

namespace platform::detail {

namespace {

// While a module is loaded or called: the start of its crash line and its
// whole line for the end of the process, made ready when the guard was
// made.
struct Armed
{
    std::string start;    // "<program>: <crash subject>: ", escaped
    std::string exitLine; // "<program>: <exit message>\n", escaped
    int exitStatus = 0;
    Armed* outer = nullptr;
};

Armed* g_armed = nullptr;
bool g_reportOutsideModules = false;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
// The process's end has been reported once; whatever else the system calls
// on the way out stays silent.
volatile LONG g_endReported = 0;

// The line is put together here after a fault, when the heap may be what
// the module damaged.
constexpr std::size_t LineCapacity = 8192;
char g_line[LineCapacity];

// Writes `start`, then `text` and the line end.
void writeFaultLine(std::string_view start, const char* text, std::size_t textLength)
{
    constexpr std::size_t Room = LineCapacity - 1; // for the line end
    std::size_t length = 0;
    for (const char c : start) {
        if (length < Room) {
            g_line[length++] = c;
        }
    }
    for (std::size_t i = 0; i < textLength && length < Room; ++i) {
        g_line[length++] = text[i];
    }
    g_line[length++] = '\n';
    writeErrorOutput(std::string_view(g_line, length));
}

// The one filter of the process, for a structured exception nobody
// handled. Inside a module's loading or call it names the module; outside,
// when the program asked for it, it names the code and the address; either
// way the system then ends the process with the exception code as its
// status (no debugger, no crash dialog). Otherwise the exception goes on
// to whatever filter there was before.
LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    const auto code = static_cast<std::uint32_t>(record.ExceptionCode);
    char text[160];
    if (const Armed* armed = g_armed) {
        const std::size_t length = exceptionTextInto(code, text, sizeof text);
        writeFaultLine(armed->start, text, length);
        return EXCEPTION_EXECUTE_HANDLER;
    }
    if (g_reportOutsideModules) {
        const std::size_t length = unhandledExceptionTextInto(
            code, reinterpret_cast<std::uintptr_t>(record.ExceptionAddress), text, sizeof text);
        writeFaultLine(errorLinePrefix(), text, length);
        return EXCEPTION_EXECUTE_HANDLER;
    }
    return g_previousFilter != nullptr ? g_previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

// The process is ending through the system's ExitProcess (any runtime's
// exit or halt comes to it): inside a module's loading, call or unloading
// that is the module's doing, so its prepared line goes out and the
// process ends with the launcher's status for it instead of the module's.
// Allocates nothing; silent when no guard is alive, so the launcher's own
// end is untouched.
void onProcessEnd()
{
    const Armed* armed = g_armed;
    if (armed == nullptr || InterlockedExchange(&g_endReported, 1) != 0) {
        return;
    }
    writeErrorOutput(armed->exitLine);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(armed->exitStatus));
}

// Two ways the system tells a process that it is ending: the program's own
// TLS callbacks at process detach (Windows), and the fiber-local storage
// callbacks of the thread that ends it (Windows and Wine, which calls no
// program's TLS callback at detach). Either, whichever comes first.
void WINAPI onFiberDataEnd(void*)
{
    onProcessEnd();
}

void NTAPI onTlsEvent(void*, DWORD reason, void* reserved)
{
    // A non-null `reserved` at detach: the process ends, rather than the
    // program being unloaded.
    if (reason == DLL_PROCESS_DETACH && reserved != nullptr) {
        onProcessEnd();
    }
}

DWORD g_fiberDataIndex = FLS_OUT_OF_INDEXES;

void installFilterOnce()
{
    static const bool installed = [] {
        g_previousFilter = SetUnhandledExceptionFilter(&onUnhandledException);
        g_fiberDataIndex = FlsAlloc(&onFiberDataEnd);
        return true;
    }();
    (void)installed;
}

} // namespace

// The linker gathers the program's TLS callbacks from these sections.
extern "C" __attribute__((section(".CRT$XLD"), used))
const PIMAGE_TLS_CALLBACK derize_process_end_callback = &onTlsEvent;

void* armFaultReport(std::string crashSubject, std::string_view exitMessage, int exitStatus)
{
    installFilterOnce();
    auto* armed = new Armed;
    armed->start = std::string(errorLinePrefix()) + escapeForErrorLine(crashSubject) + ": ";
    armed->exitLine = errorLine(exitMessage);
    armed->exitStatus = exitStatus;
    armed->outer = g_armed;
    g_armed = armed;
    // The callback runs for the threads that hold a value: the one that
    // loads and calls modules.
    if (g_fiberDataIndex != FLS_OUT_OF_INDEXES) {
        FlsSetValue(g_fiberDataIndex, &g_fiberDataIndex);
    }
    return armed;
}

void disarmFaultReport(void* armedState)
{
    auto* armed = static_cast<Armed*>(armedState);
    g_armed = armed->outer;
    delete armed;
}

void endProcessForModule(std::string_view exitMessage, int exitStatus)
{
    if (InterlockedExchange(&g_endReported, 1) == 0) {
        reportError(exitMessage);
    }
    // Nothing more of the process runs: neither the rest of exit() nor the
    // detach code of the libraries loaded.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitStatus));
    ExitProcess(static_cast<UINT>(exitStatus));
}

void reportFaultsOutsideModules()
{
    installFilterOnce();
    g_reportOutsideModules = true;
}

} // namespace platform::detail
