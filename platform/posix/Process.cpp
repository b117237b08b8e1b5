#include "platform/Process.h"

#include "platform/ErrorReport.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace platform {

char pathSeparator()
{
    return '/';
}

std::string executablePath()
{
    char* resolved = realpath("/proc/self/exe", nullptr);
    if (resolved == nullptr) {
        return {};
    }
    std::string path(resolved);
    std::free(resolved);
    return path;
}

std::optional<std::string> currentDirectory()
{
    std::vector<char> buffer(PATH_MAX);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return std::nullopt;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

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
