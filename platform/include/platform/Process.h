#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Separator of path components on this platform: '/' or '\\'.
char pathSeparator();

// Full path of the running executable, symbolic links resolved. Empty when
// the platform cannot tell.
std::string executablePath();

// The process's current directory, without a trailing separator unless it
// is a root. nullopt when it cannot be read (deleted, or longer than the
// platform allows).
std::optional<std::string> currentDirectory();

// Runs first thing in main(), before any library is loaded or any line is
// written:
// - POSIX: the system loader reads LD_LIBRARY_PATH once, when the process
//   starts, and takes an empty or relative entry ("/usr/lib:", ".",
//   "a::b") as the current folder, which modules are never looked for in.
//   When the variable holds such entries the program executes itself again
//   (/proc/self/exe, the same arguments), once, without them.
// - POSIX: SIGPIPE is ignored, so that an error line written to a pipe
//   whose reader has gone never ends the program.
// - Windows: a structured exception that nobody handles leaves one line
//   naming its code and address before the system ends the process (inside
//   a module, the module call guard names the module instead).
void prepareProcess(char** argv);

// `value` of LD_LIBRARY_PATH without the entries that lead the loader to
// the current folder; nullopt when it holds none. The loader separates
// entries by ':' and ';'; an entry is kept when it is absolute or starts
// with $ORIGIN (the executable's own folder). The kept entries are joined
// by ':'; an empty result means the variable is to be removed.
std::optional<std::string> libraryPathWithoutRelativeEntries(std::string_view value);

} // namespace platform
