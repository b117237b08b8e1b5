#include "platform/Startup.h"

#include "platform/ErrorReport.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace platform {

namespace {

// Set in the environment of the second start, so that it never starts a
// third time; removed again before anything else can see it.
const char* const RestartMarker = "DERIZE_ZIZIR_LIBRARY_PATH_CHECKED";

void restartWithoutRelativeLibraryPath(char** argv)
{
    if (std::getenv(RestartMarker) != nullptr) {
        unsetenv(RestartMarker);
        return;
    }
    const char* value = std::getenv("LD_LIBRARY_PATH");
    if (value == nullptr) {
        return;
    }
    const std::optional<std::string> safe = libraryPathWithoutRelativeEntries(value);
    if (!safe) {
        return;
    }
    if (safe->empty()) {
        unsetenv("LD_LIBRARY_PATH");
    } else {
        setenv("LD_LIBRARY_PATH", safe->c_str(), 1);
    }
    setenv(RestartMarker, "1", 1);
    execv("/proc/self/exe", argv);
    // Still here: the loader keeps the entries it read, and a module could
    // come from the current folder.
    const std::string reason = std::strerror(errno);
    unsetenv(RestartMarker);
    reportError("cannot start again without the relative entries of LD_LIBRARY_PATH (" + reason +
                "); modules may be looked for in the current folder");
}

} // namespace

void prepareProcess(char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    restartWithoutRelativeLibraryPath(argv);
}

} // namespace platform
