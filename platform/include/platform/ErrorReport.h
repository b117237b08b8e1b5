#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The one error reporter of every program of the suite (the launcher, its
// check tool, the dictionary library inside either). Each program names
// itself once at start-up; every line it reports then reads
// "<program>: <message>".
void setErrorReportPrefix(std::string_view programName);

// What a backslash is on an error line: on Windows the separator of a path,
// which stays single so that the path can be copied from the line; on
// POSIX an ordinary byte of a file name, escaped so that "\x01" in a name
// cannot pass for an escape.
enum class Backslash
{
    Kept,
    Escaped,
};
#ifdef _WIN32
inline constexpr Backslash NativeBackslash = Backslash::Kept;
#else
inline constexpr Backslash NativeBackslash = Backslash::Escaped;
#endif

// `message` as it goes on the line: bytes 0x00 to 0x1F and 0x7F become
// \xNN and a backslash is kept or becomes \\, so that neither a line break
// nor a terminal escape sequence in a file name reaches the terminal raw;
// bytes of 0x80 and above stay, so UTF-8 names stay readable.
std::string escapeForErrorLine(std::string_view message, Backslash backslash = NativeBackslash);

// The line's start, "<program>: ", for code that puts a line together
// itself.
std::string_view errorLinePrefix();

// escapeForErrorLine(message) written into `out`, at most `capacity`
// bytes of it (an escape is never cut in two); returns how many. Allocates
// nothing and takes no lock, so a signal handler may call it, as long as
// the prefix is not being changed meanwhile.
std::size_t escapeForErrorLineInto(std::string_view message, char* out, std::size_t capacity,
                                   Backslash backslash = NativeBackslash);

// The whole line, with the prefix and the line end.
std::string errorLine(std::string_view message);

// Writes errorLine(message) to standard error in one write, when the
// process has a standard error to write to. A closed or broken standard
// error is ignored: an error line never ends the program. On Windows a
// console is given the line in UTF-16 (WriteConsoleW), so that Cyrillic
// names show whatever the console's code page; a file or a pipe gets the
// UTF-8 bytes, its line ending in CR LF as the C runtime writes text.
void reportError(std::string_view message);

} // namespace platform
