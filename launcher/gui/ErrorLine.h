#pragma once

#include <string_view>

namespace launcher {

// Writes `message` to standard error as one line, prefixed with the
// program's name; line breaks inside it become spaces.
void writeErrorLine(std::string_view message);

} // namespace launcher
