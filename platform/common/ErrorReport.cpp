#include "platform/ErrorReport.h"

#include <cstdio>

namespace platform {

namespace {

std::string& prefix()
{
    static std::string name = "derize-zizir";
    return name;
}

} // namespace

void setErrorReportPrefix(std::string_view programName)
{
    prefix() = std::string(programName);
}

std::string escapeForErrorLine(std::string_view message)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(message.size());
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            escaped += "\\x";
            escaped += Hex[byte >> 4];
            escaped += Hex[byte & 0x0F];
        } else if (c == '\\') {
            escaped += "\\\\";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string errorLine(std::string_view message)
{
    return prefix() + ": " + escapeForErrorLine(message) + '\n';
}

void reportError(std::string_view message)
{
    const std::string line = errorLine(message);
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform
