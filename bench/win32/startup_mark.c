#include "StartupTrace.h"

#include <stdio.h>
#include <windows.h>

void derize_startup_mark(const char* what)
{
    LARGE_INTEGER counter, frequency;
    FILETIME now;
    ULONGLONG ticks;
    char line[160];
    int length;
    DWORD written = 0;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    GetSystemTimeAsFileTime(&now); /* to the microsecond under Wine */
    /* 100-ns steps since 1601, to microseconds since 1970. */
    ticks = ((ULONGLONG)now.dwHighDateTime << 32) | now.dwLowDateTime;
    length = snprintf(line, sizeof line, "derize-startup %llu %.6f %s\n",
                      (ticks - 116444736000000000ULL) / 10,
                      (double)counter.QuadPart / (double)frequency.QuadPart, what);
    if (length > 0) {
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, (DWORD)length, &written, NULL);
    }
}
