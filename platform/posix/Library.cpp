#include "platform/Library.h"

#include "platform/File.h"
#include "platform/ModuleCallGuard.h"
#include "platform/ModuleLeftovers.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

LibraryHandle loadLibrary(const std::string& path, std::string& error, LoadFailure* failure)
{
    // dlopen() is declared not to throw, and a compiler would drop the
    // handlers below; a library's static constructor can throw all the
    // same, and its exception passes through the loader. Called through a
    // pointer the compiler cannot see through, the handlers stay.
    static void* (*volatile const open)(const char*, int) = &dlopen;
    dlerror();
    void* handle = nullptr;
    LoadFailure why = LoadFailure::Refused;
    try {
        handle = open(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* message = dlerror();
            error = message != nullptr ? message : "unknown loader error";
        }
    } catch (...) {
        error = currentExceptionText();
        why = LoadFailure::RaisedWhileLoading;
    }
    if (handle == nullptr && failure != nullptr) {
        *failure = why;
    }
    return handle;
}

void* resolveSymbol(LibraryHandle library, const char* name)
{
    dlerror();
    return dlsym(library, name);
}

std::optional<LoadObstacle> loadObstacle(const std::string&)
{
    return std::nullopt;
}

bool freeLibrary(LibraryHandle library)
{
    return dlclose(library) == 0;
}

const char* librarySuffix()
{
    return ".so";
}

bool fileExists(const std::string& path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool isRegularFile(const std::string& path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// What a module leaves running when its entry point returns.

namespace {

// Read without a C++ stream: a stream sets up the C++ library's locale,
// which would cost every run more memory and time than the read itself.
std::string firstLine(const std::string& path)
{
    std::string line;
    ReadOnlyFile file;
    if (file.open(path) != ReadOnlyFile::OpenStatus::Opened) {
        return line;
    }
    char buffer[256];
    std::int64_t got = 0;
    while ((got = file.read(buffer, sizeof buffer)) > 0) {
        const auto size = static_cast<std::size_t>(got);
        const auto* end = static_cast<const char*>(std::memchr(buffer, '\n', size));
        line.append(buffer, end != nullptr ? static_cast<std::size_t>(end - buffer) : size);
        if (end != nullptr) {
            break;
        }
    }
    return line;
}

// The state letter of /proc/self/task/<id>/stat, after the name in
// parentheses (which may itself hold blanks and parentheses).
char taskState(long id)
{
    const std::string line = firstLine("/proc/self/task/" + std::to_string(id) + "/stat");
    const std::size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() ? line[close + 2] : '?';
}

std::string taskName(long id)
{
    return firstLine("/proc/self/task/" + std::to_string(id) + "/comm");
}

} // namespace

ThreadList currentThreads()
{
    ThreadList list;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) {
        return list;
    }
    while (const dirent* entry = readdir(tasks)) {
        char* end = nullptr;
        const long id = std::strtol(entry->d_name, &end, 10);
        if (end != entry->d_name && *end == '\0') {
            list.ids.push_back(id);
        }
    }
    closedir(tasks);
    std::sort(list.ids.begin(), list.ids.end());
    return list;
}

// A thread that is new since the module was loaded and still runs (not a
// zombie waiting to be joined, nor a dead one) is the module's when it
// bears the name of the thread that started it, as every thread does that
// no one names: the toolkit's and its libraries' threads, which a module's
// dialog may start and which stay safely in the toolkit, name themselves
// ("Thread (pooled)", "gmain"). The module's windows belong to that
// toolkit too.
ModuleLeftovers leftoversOf(LibraryHandle, const ThreadList& before)
{
    ModuleLeftovers left;
    if (before.ids.empty()) {
        return left; // no task list to compare with
    }
    const std::string callerName = taskName(static_cast<long>(gettid()));
    for (const long id : currentThreads().ids) {
        if (std::binary_search(before.ids.begin(), before.ids.end(), id)) {
            continue;
        }
        const char state = taskState(id);
        if (state != 'Z' && state != 'X' && state != '?' && taskName(id) == callerName) {
            ++left.threads;
        }
    }
    return left;
}

bool takePostedQuitRequest()
{
    return false;
}

} // namespace platform
