#pragma once

#include <string>
#include <string_view>

namespace launcher {

// Exit status when a module ends the process itself (exit() during its
// call or its loading), whatever status the module gave: a module's
// exit(3) is never read as "module not found".
inline constexpr int ExitModuleEndedProcess = 5;

// The lines that say how a module misbehaved. `libraryPath` is the module
// file, `entryPoint` the function that was called.

// A C++ exception out of the entry point. `what` is the exception's text;
// empty or nullptr when it gave none.
std::string raisedErrorMessage(std::string_view libraryPath, std::string_view entryPoint,
                               const char* what);

// A C++ exception out of the module's own start-up code, while the loader
// was loading it: the loader cannot be used again, so the launcher ends.
std::string raisedWhileLoadingMessage(std::string_view libraryPath, std::string_view what);

// The subject of the line a fatal fault leaves (the signal is added to it),
// and the line exit() leaves, while the module is being loaded
// (`entryPoint` empty) or while its entry point runs.
std::string crashSubject(std::string_view libraryPath, std::string_view entryPoint);
std::string endedProcessMessage(std::string_view libraryPath, std::string_view entryPoint);

// A module the loader refused because a library it needs is nowhere the
// loader looks; `library` names it as platform::missingImport() gives it.
std::string missingImportMessage(std::string_view libraryPath, std::string_view library);

} // namespace launcher
