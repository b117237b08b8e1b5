// A test program that dies of an unhandled exception (a wild jump after a
// corrupted stack, say) must end with a status other than 0. Wine hands such
// a process to its debugger, and the status the process then ends with is
// not reliably non-zero: a run that crashed was seen to pass. So the program
// ends itself on the spot, with one line on standard error and status 3, as
// abort() would.
#include <cstdio>
#include <windows.h>

namespace {

LONG WINAPI endTheProcess(EXCEPTION_POINTERS* info)
{
    char line[96];
    const int length = std::snprintf(
        line, sizeof line, "unhandled exception 0x%08lx at %p: the test program ends\n",
        static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
        info->ExceptionRecord->ExceptionAddress);
    DWORD written = 0;
    if (length > 0) {
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written,
                  nullptr);
    }
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

struct InstallFilter
{
    InstallFilter() { SetUnhandledExceptionFilter(endTheProcess); }
} installFilter;

} // namespace
