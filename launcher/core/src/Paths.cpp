#include "launcher/Paths.h"

namespace launcher {

PathStyle nativePathStyle()
{
#ifdef _WIN32
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

namespace {

std::string windowsProgramDir(std::string_view path)
{
    const std::size_t last = path.find_last_of("\\:");
    if (last == std::string_view::npos) {
        return {};
    }
    std::string_view dir = path.substr(0, last + 1);
    // A backslash that is the folder separator (not the one right after a
    // drive colon, not the first character, not doubled) is left out and
    // put back below, so that only a drive root keeps its own.
    if (path[last] == '\\' && last > 0 && path[last - 1] != ':' && path[last - 1] != '\\') {
        dir = path.substr(0, last);
    }
    if (dir.size() > 3) {
        return std::string(dir) + '\\';
    }
    return std::string(dir);
}

std::string posixProgramDir(std::string_view path)
{
    const std::size_t last = path.find_last_of('/');
    if (last == std::string_view::npos) {
        return {};
    }
    return std::string(path.substr(0, last + 1));
}

} // namespace

std::string programDirFromExecutable(std::string_view executablePath, PathStyle style)
{
    return style == PathStyle::Windows ? windowsProgramDir(executablePath)
                                       : posixProgramDir(executablePath);
}

std::optional<std::string>
dataFileNameForArgument(std::string_view argument,
                        const std::optional<std::string>& currentDirectory, PathStyle style)
{
    const char separator = style == PathStyle::Windows ? '\\' : '/';
    if (argument.find(separator) != std::string_view::npos) {
        return std::string(argument);
    }
    if (!currentDirectory) {
        return std::nullopt;
    }
    std::string name = *currentDirectory;
    if (style == PathStyle::Windows || name.empty() || name.back() != '/') {
        name += separator;
    }
    name += argument;
    return name;
}

} // namespace launcher
