#include "platform/Process.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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

} // namespace platform
