#include "platform/Process.h"

#include "FaultReport.h"

#include <windows.h>

namespace platform {

namespace {

// The launcher's buffers for paths hold MAX_PATH (260) bytes: at most 259
// characters and the terminating null.
constexpr DWORD PathBufferSize = MAX_PATH;

} // namespace

char pathSeparator()
{
    return '\\';
}

std::string executablePath()
{
    char buffer[PathBufferSize];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, PathBufferSize);
    // A full buffer means the path was cut short: better no path than a
    // wrong one.
    if (length == 0 || length >= PathBufferSize) {
        return {};
    }
    return std::string(buffer, length);
}

std::optional<std::string> currentDirectory()
{
    char buffer[PathBufferSize];
    // Returns the length without the null when the path fits, otherwise the
    // size the buffer would need.
    const DWORD length = GetCurrentDirectoryA(PathBufferSize, buffer);
    if (length == 0 || length >= PathBufferSize) {
        return std::nullopt;
    }
    return std::string(buffer, length);
}

void prepareProcess(char**)
{
    detail::reportFaultsOutsideModules();
}

} // namespace platform
