#pragma once

#include <string>

namespace platform {

// A loaded module library, opaque to its users: a dlopen() handle on POSIX,
// an HMODULE on Windows.
using LibraryHandle = void*;

// Loads the library at `path` with every symbol bound at once, so that a
// library with an unresolved symbol fails here rather than when it is
// called. Returns nullptr on failure and fills `error` with the loader's
// own message.
LibraryHandle loadLibrary(const std::string& path, std::string& error);

// Address of the exported symbol `name` (exact, case-sensitive), nullptr
// when the library does not export it.
void* resolveSymbol(LibraryHandle library, const char* name);

// Unloads a library returned by loadLibrary(). Returns false when the
// loader reports a failure.
bool freeLibrary(LibraryHandle library);

// Suffix of a loadable module file on this platform: ".so" or ".dll".
const char* librarySuffix();

// True when a file (not a folder) exists at `path`.
bool fileExists(const std::string& path);

} // namespace platform
