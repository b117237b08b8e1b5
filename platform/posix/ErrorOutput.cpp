#include "ErrorOutput.h"

#include <cstdio>

namespace platform::detail {

void writeErrorOutput(std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform::detail
