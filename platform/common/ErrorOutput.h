#pragma once

#include <cstddef>
#include <string_view>

// Where error lines go: the platform's half of reportError().
namespace platform::detail {

// Writes `line` (one whole line, ending in '\n') to standard error, when the
// process has one. A closed or broken standard error is ignored.
void writeErrorOutput(std::string_view line);

#ifdef _WIN32
// The same for a line the caller has ready in both encodings: the UTF-16
// one, ending in "\r\n", goes to a console; the bytes, ending in "\n", to
// a file or a pipe.
// Allocates nothing, so that the unhandled-exception filter may call it.
void writeErrorOutput(const char* bytes, std::size_t length, const wchar_t* wide,
                      std::size_t wideLength);
#endif

} // namespace platform::detail
