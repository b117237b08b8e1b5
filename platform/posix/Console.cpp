#include "platform/Console.h"

#include <cstdio>

namespace platform {

bool writeStandardOutput(std::string_view utf8)
{
    const std::size_t written = std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return std::fflush(stdout) == 0 && written == utf8.size();
}

std::string systemTextToUtf8(std::string_view text)
{
    return std::string(text);
}

} // namespace platform
