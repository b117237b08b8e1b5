#include "platform/Library.h"

#include "platform/File.h"
#include "platform/ImportTable.h"
#include "platform/Process.h"
#include "platform/WideText.h"

#include <cstdint>
#include <windows.h>

namespace platform {

namespace {

// A C++ exception thrown by a library's start-up code on 64-bit Windows:
// libgcc's unwinder raises it as a structured exception of this code, and
// the system's loader catches it, frees it on its way out and fails the
// load with the code as its error: the exception's text is gone by then.
// (On 32-bit Windows the exception cannot pass the loader at all and ends
// in std::terminate, where the launcher's guard names it with its text.)
constexpr DWORD GccThrow = 0x20474343;

// True for a file name without any folder: the system searches for it.
bool isBareName(const std::string& path)
{
    return path.find_first_of("\\/:") == std::string::npos;
}

// The largest library file whose import table is read.
constexpr std::int64_t MaxImportingFileSize = std::int64_t{256} << 20;

std::optional<std::string> readWholeFile(const std::string& path)
{
    ReadOnlyFile file;
    if (file.open(path) != ReadOnlyFile::OpenStatus::Opened) {
        return std::nullopt;
    }
    const std::int64_t size = file.size();
    if (size < 0 || size > MaxImportingFileSize) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::int64_t read =
            file.read(bytes.data() + done, static_cast<std::int64_t>(bytes.size() - done));
        if (read <= 0) {
            break; // a file that shrank meanwhile ends where its data ends
        }
        done += static_cast<std::size_t>(read);
    }
    bytes.resize(done);
    return bytes;
}

// A folder the system reports through a function that fills a buffer of
// MAX_PATH characters; empty when it does not fit.
template <typename Get>
std::string systemFolder(Get get)
{
    char buffer[MAX_PATH];
    const UINT length = get(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string environmentVariable(const char* name)
{
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

// The folders the loader looks in for what a module imports.
std::vector<std::string> importSearchFolders(DllSearch search)
{
    DllSearchPlaces places;
    const std::string executable = executablePath();
    const std::size_t separator = executable.find_last_of("\\/");
    if (separator != std::string::npos) {
        places.programDir = executable.substr(0, separator + 1);
    }
    places.systemDir =
        systemFolder([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
    places.windowsDir =
        systemFolder([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
    places.currentDir = currentDirectory().value_or(std::string());
    places.path = environmentVariable("PATH");
    return dllSearchFolders(search, places);
}

} // namespace

std::optional<LoadObstacle> loadObstacle(const std::string& modulePath)
{
    // A bare name is loaded with LOAD_LIBRARY_SEARCH_DEFAULT_DIRS (see
    // loadLibrary), which holds for its imports too; a full path leaves
    // them to the standard search.
    const bool bare = isBareName(modulePath);
    const std::vector<std::string> folders =
        importSearchFolders(bare ? DllSearch::DefaultFolders : DllSearch::Standard);
    ImportSearch search;
    search.readFile = readWholeFile;
    search.locate = [&folders](const std::string& name) -> std::optional<std::string> {
        // A library the process has loaded is used as it is.
        if (GetModuleHandleA(name.c_str()) != nullptr) {
            return std::string();
        }
        for (const std::string& folder : folders) {
            if (fileExists(folder + name)) {
                return folder + name;
            }
        }
        return std::nullopt;
    };
    search.machine = NativeMachine;
    std::string module = modulePath;
    if (bare) {
        std::optional<std::string> found = search.locate(modulePath);
        // Not there at all (the loader's own line says so), or loaded.
        if (!found || found->empty()) {
            return std::nullopt;
        }
        module = *found;
    }
    return findLoadObstacle(module, search);
}

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
    if (module == nullptr && code == GccThrow) {
        error = "a C++ exception, which the system's loader caught and whose text is lost";
        if (failure != nullptr) {
            *failure = LoadFailure::RaisedWhileLoading;
        }
        return nullptr;
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
