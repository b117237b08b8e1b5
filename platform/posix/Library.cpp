#include "platform/Library.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace platform {

LibraryHandle loadLibrary(const std::string& path, std::string& error)
{
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* message = dlerror();
        error = message != nullptr ? message : "unknown loader error";
    }
    return handle;
}

void* resolveSymbol(LibraryHandle library, const char* name)
{
    dlerror();
    return dlsym(library, name);
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

} // namespace platform
