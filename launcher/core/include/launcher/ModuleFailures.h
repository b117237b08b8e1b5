#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace launcher {

// Every line that says what became of a run or how a module misbehaved,
// in one place. `libraryPath` is the module file as it was loaded or tried,
// `entryPoint` the function that was called (empty while the module is
// being loaded).

// No kind has that module number.
std::string noSuchModuleMessage(int moduleNumber);

// A data file name too long for the module's buffer (given whole), or one
// that needs the current folder when it cannot be read.
std::string dataFileNameTooLongMessage(std::string_view dataFileName);
std::string noCurrentDirectoryMessage(std::string_view argument);

// Loading and looking up.
std::string notRegularFileMessage(std::string_view libraryPath);
std::string cannotLoadMessage(std::string_view libraryPath, std::string_view loaderError);
std::string notFoundMessage(std::string_view fileName, std::string_view programDir,
                            std::string_view loaderError);
std::string missingEntryPointMessage(std::string_view libraryPath, std::string_view entryPoint);

// A C++ exception out of the entry point. `what` is the exception's text;
// empty or nullptr when it gave none.
std::string raisedErrorMessage(std::string_view libraryPath, std::string_view entryPoint,
                               const char* what);

// A C++ exception out of the module's own start-up code, while the loader
// was loading it: the loader cannot be used again, so the launcher ends.
std::string raisedWhileLoadingMessage(std::string_view libraryPath, std::string_view what);

// What a module did that the run survived. Its entry point removed
// `removedBytes` of arguments from the stack instead of `expectedBytes`
// (it was built with another calling convention or argument list); it
// posted a quit request; it left windows or threads of its own running,
// so that it stays loaded.
std::string stackRestoredMessage(std::string_view libraryPath, std::string_view entryPoint,
                                 std::size_t removedBytes, std::size_t expectedBytes);
std::string quitRequestMessage(std::string_view libraryPath, std::string_view entryPoint);
std::string leftRunningMessage(std::string_view libraryPath, int windows, int threads);

// The subject of the line a fatal fault leaves (the platform adds the
// signal or the exception), and the line exit() leaves, while the module
// is being loaded or while its entry point runs.
std::string crashSubject(std::string_view libraryPath, std::string_view entryPoint);
std::string endedProcessMessage(std::string_view libraryPath, std::string_view entryPoint);
// The same while the module is being unloaded (its detach code runs).
std::string crashWhileUnloadingSubject(std::string_view libraryPath);
std::string endedProcessWhileUnloadingMessage(std::string_view libraryPath);

// A module the loader refused because a library it needs is nowhere the
// loader looks; `library` names it as platform::loadObstacle() gives it.
std::string missingImportMessage(std::string_view libraryPath, std::string_view library);

// A module the loader refused because it, or a library it imports, is
// built for the COFF machine `machine` while this launcher is built for
// `nativeMachine` (platform::NativeMachine): a 64-bit module beside the
// 32-bit launcher, or the other way round. `library` names the library as
// platform::loadObstacle() gives it; empty when it is the module
// itself. The line says which launcher runs such modules.
std::string otherMachineMessage(std::string_view libraryPath, std::string_view library,
                                std::uint16_t machine, std::uint16_t nativeMachine);

} // namespace launcher
