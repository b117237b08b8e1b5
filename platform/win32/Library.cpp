#include "platform/Library.h"

#include "platform/WideText.h"

#include <cstdint>
#include <windows.h>

namespace platform {

namespace {

// True for a file name without any folder: the system searches for it.
bool isBareName(const std::string& path)
{
    return path.find_first_of("\\/:") == std::string::npos;
}

} // namespace

LibraryHandle loadLibrary(const std::string& path, std::string& error, LoadFailure* failure)
{
    // A library that cannot be loaded is reported to the caller, never by a
    // message box of the system's own.
    DWORD previousMode = 0;
    const bool modeSet =
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode) != 0;
    // A bare name goes to the system's search: the program's folder, then
    // the system folders; the current directory is left out, so that a
    // library lying in whatever folder the user started from is never
    // loaded in place of the module.
    HMODULE module = isBareName(path)
                         ? LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)
                         : LoadLibraryA(path.c_str());
    const DWORD code = GetLastError();
    if (modeSet) {
        SetThreadErrorMode(previousMode, nullptr);
    }
    // Every handle value below 32 is a failure, as in 16-bit days.
    if (reinterpret_cast<std::uintptr_t>(module) < 32) {
        error = systemErrorText(code);
        if (failure != nullptr) {
            *failure = LoadFailure::Refused;
        }
        return nullptr;
    }
    return module;
}

void* resolveSymbol(LibraryHandle library, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

bool freeLibrary(LibraryHandle library)
{
    return FreeLibrary(static_cast<HMODULE>(library)) != 0;
}

const char* librarySuffix()
{
    return ".dll";
}

bool fileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool isRegularFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

} // namespace platform
