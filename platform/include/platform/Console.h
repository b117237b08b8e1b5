#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes `utf8` to standard output and flushes it. A console is given it
// as wide text, so that every character shows whatever code page the
// console has; a file or a pipe gets the bytes as they are (on Windows each
// "\n" becomes CR LF there, as the C runtime writes any text). False when
// it could not be written in full.
bool writeStandardOutput(std::string_view utf8);

// A text the system spells in its own encoding (a file name, a loader's
// message) as UTF-8: converted from the ANSI code page on Windows, kept as
// it is on POSIX, where it is bytes.
std::string systemTextToUtf8(std::string_view text);

} // namespace platform
