#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <trn_module.h>

namespace launcher {

// Path conventions: Windows paths with '\' and drive letters, or POSIX
// paths with '/'. Both rules are plain functions so that either can be
// tested on any platform.
enum class PathStyle
{
    Posix,
    Windows,
};

// The path style of the platform the launcher was built for.
PathStyle nativePathStyle();

// The folder of the executable at `executablePath`, always ending in the
// separator. Windows: C:\tools\prog.exe gives C:\tools\ and C:\prog.exe the
// drive root C:\. POSIX: /opt/x/prog gives /opt/x/ and /prog gives /.
std::string programDirFromExecutable(std::string_view executablePath, PathStyle style);

// The data file name handed to a module for a command-line argument: a name
// without any separator is taken to lie in the current directory and gets
// it put in front; any other name is passed on unchanged. Windows puts
// `currentDirectory` and a backslash in front even at a drive root (C:\ and
// x.gear_exc_dat give C:\\x.gear_exc_dat); POSIX does not double the '/'.
// nullopt when the name needs the current directory and there is none.
std::optional<std::string>
dataFileNameForArgument(std::string_view argument,
                        const std::optional<std::string>& currentDirectory, PathStyle style);

// Longest data file name, in bytes, that fits the module's file name buffer
// with its terminating null.
inline constexpr std::size_t MaxDataFileNameLength = TRN_MAX_PATH - 1;

// The dictionary's file name; the launcher reads it from its own folder.
inline constexpr char DictionaryFileName[] = "Orvanel.Dic";

} // namespace launcher
