#pragma once

#include "launcher/Paths.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// What the command line asks of start-up.
struct StartupRequest
{
    bool autoRun = false;     // argument 1 names a data file of a known kind
    int kindIndex = -1;       // that kind; -1 when there was an argument that matched none
    std::string dataFileName; // the name handed to the module, raw bytes
    std::string error;        // why automatic mode cannot run; empty when it can
};

// Argument 1 of the command line `argv` (`argc` entries): the first
// argument that is not empty, so that a lone pair of quotes is skipped;
// nullopt when there is none.
std::optional<std::string_view> firstArgument(int argc, const char* const* argv);

// The words of a whole process command line as Windows hands it over
// (GetCommandLineA), the program's name first. Bytes from 0x01 to 0x20
// (blanks and control characters) separate words; a double quote starts or
// ends a stretch in which they do not, and is itself dropped; a pair of
// double quotes standing alone is no word. Every other byte, 0x80 and above
// included, is kept unchanged.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// Argument 1 of a whole Windows command line (splitCommandLine), the word
// after the program's name; nullopt when there is none.
std::optional<std::string> firstArgumentOfCommandLine(std::string_view commandLine);

// Examines argument 1 (nullopt when there is none; further arguments are
// ignored): when it ends with the dotted extension of a kind, automatic
// mode runs that kind on the argument, made absolute when it has no
// separator. A name that would not fit the module's buffer is never
// shortened: `error` says why and the module is not to be called.
StartupRequest parseCommandLine(const std::optional<std::string_view>& argument1,
                                const std::optional<std::string>& currentDirectory,
                                PathStyle style);

} // namespace launcher
