#include "platform/Library.h"

#include <dlfcn.h>
#include <exception>
#include <sys/stat.h>

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
    try {
        handle = open(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    } catch (const std::exception& raised) {
        const char* what = raised.what();
        error = what != nullptr ? what : "";
        if (failure != nullptr) {
            *failure = LoadFailure::RaisedWhileLoading;
        }
        return nullptr;
    } catch (...) {
        error = "an error that is not a standard exception";
        if (failure != nullptr) {
            *failure = LoadFailure::RaisedWhileLoading;
        }
        return nullptr;
    }
    if (handle == nullptr) {
        const char* message = dlerror();
        error = message != nullptr ? message : "unknown loader error";
        if (failure != nullptr) {
            *failure = LoadFailure::Refused;
        }
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

} // namespace platform
