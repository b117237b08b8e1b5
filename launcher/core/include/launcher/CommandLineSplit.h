#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// The words of a whole process command line as Windows hands it over
// (GetCommandLineA), the program's name first. Bytes from 0x01 to 0x20
// (blanks and control characters) separate words; a double quote starts or
// ends a stretch in which they do not, and is itself dropped; a pair of
// double quotes standing alone is no word. Every other byte, 0x80 and above
// included, is kept unchanged.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// Argument 1 of `commandLine`, the word after the program's name; nullopt
// when there is none. Further arguments are ignored.
std::optional<std::string> firstArgument(std::string_view commandLine);

} // namespace launcher
