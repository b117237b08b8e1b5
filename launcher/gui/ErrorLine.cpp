#include "ErrorLine.h"

#include <cstdio>
#include <string>

namespace launcher {

void writeErrorLine(std::string_view message)
{
    std::string line = "derize-zizir: ";
    for (char c : message) {
        line += (c == '\n' || c == '\r') ? ' ' : c;
    }
    line += '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace launcher
