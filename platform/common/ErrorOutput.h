#pragma once

#include <string_view>

// Where error lines go: the platform's half of reportError().
namespace platform::detail {

// Writes `line` (one whole line, ending in '\n') to standard error, when the
// process has one. A closed or broken standard error is ignored. On
// Windows it allocates nothing, so that the unhandled-exception filter may
// call it.
void writeErrorOutput(std::string_view line);

} // namespace platform::detail
