#pragma once

#include "platform/ImportTable.h"

#include <optional>
#include <string>

namespace platform {

// A loaded module library, opaque to its users: a dlopen() handle on POSIX,
// an HMODULE on Windows.
using LibraryHandle = void*;

// Why loadLibrary() gave no library.
enum class LoadFailure
{
    Refused,            // the loader refused the file; `error` is its message
    RaisedWhileLoading, // the library's own start-up code raised a C++ exception
                        // through the loader; `error` is its message
};

// Loads the library at `path` with every symbol bound at once, so that a
// library with an unresolved symbol fails here rather than when it is
// called. Returns nullptr on failure, fills `error` with the loader's own
// message and, when `failure` is given, says why there.
//
// After RaisedWhileLoading the library is left half loaded and the
// system's loader may still hold its lock: no library can safely be
// loaded or unloaded again in this process.
LibraryHandle loadLibrary(const std::string& path, std::string& error,
                          LoadFailure* failure = nullptr);

// Address of the exported symbol `name` (exact, case-sensitive), nullptr
// when the library does not export it.
void* resolveSymbol(LibraryHandle library, const char* name);

// Unloads a library returned by loadLibrary(). Returns false when the
// loader reports a failure.
bool freeLibrary(LibraryHandle library);

// Why the loader refused the module at `modulePath` (a full path, or a
// bare name for the system's search), as far as the files tell: the module
// or a library it imports, directly or further down, is built for another
// machine than this program (LoadObstacle::machine, against
// NativeMachine), or a library it imports is nowhere the loader looks
// (machine 0). Read from the import tables of the files alone, after a
// failed load; no code of them runs. Nullopt when the files tell nothing,
// and on POSIX, where the loader's own message names a missing library
// already.
std::optional<LoadObstacle> loadObstacle(const std::string& modulePath);

// Suffix of a loadable module file on this platform: ".so" or ".dll".
const char* librarySuffix();

// True when a file (not a folder) exists at `path`.
bool fileExists(const std::string& path);

// True when `path` is a regular file (or a link to one): not a folder, a
// FIFO, a socket or a device, which a loader would block on or misread.
bool isRegularFile(const std::string& path);

} // namespace platform
