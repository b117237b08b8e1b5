#include "StartupTrace.h"

#include <cstdio>
#include <windows.h>

namespace launcher::win32 {

void startupMark(const char* what)
{
    LARGE_INTEGER counter{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now); // to the microsecond under Wine
    // 100-ns steps since 1601, to microseconds since 1970.
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const ULONGLONG unixMicroseconds = (ticks - 116444736000000000ULL) / 10;
    const double seconds =
        static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
    char line[160];
    const int length = std::snprintf(line, sizeof line, "derize-startup %llu %.6f %s\n",
                                     unixMicroseconds, seconds, what);
    DWORD written = 0;
    if (length > 0) {
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written,
                  nullptr);
    }
}

} // namespace launcher::win32
