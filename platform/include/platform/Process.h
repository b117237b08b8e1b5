#pragma once

#include <optional>
#include <string>

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

} // namespace platform
