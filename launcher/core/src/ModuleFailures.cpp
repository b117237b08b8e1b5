#include "launcher/ModuleFailures.h"

#include "launcher/ExitStatus.h"
#include "launcher/Paths.h"
#include "platform/ErrorReport.h"
#include "platform/ImportTable.h"

#include <cstdio>

namespace launcher {

namespace {

std::string during(std::string_view entryPoint)
{
    return entryPoint.empty() ? std::string(" while being loaded")
                              : " in " + std::string(entryPoint);
}

std::string module(std::string_view libraryPath)
{
    return "module " + std::string(libraryPath);
}

// "; the launcher ends with status 5", or with the name of the program that
// loads the module when it is another (the check tool names itself on its
// lines).
std::string endsWithStatus(int status)
{
    std::string_view program = platform::errorLinePrefix();
    program.remove_suffix(program.size() >= 2 ? 2 : 0); // ": "
    const std::string who = program == "derize-zizir" ? "the launcher" : std::string(program);
    return "; " + who + " ends with status " + std::to_string(status);
}

std::string withMessage(std::string_view what)
{
    return what.empty() ? std::string(" without a message") : ": " + std::string(what);
}

// "64-bit module", "32-bit libraries"; "module for machine 0xAA64" for a
// machine no launcher is built for.
std::string builtFor(std::uint16_t machine, const char* what)
{
    if (machine == platform::MachineI386) {
        return std::string("32-bit ") + what;
    }
    if (machine == platform::MachineAmd64) {
        return std::string("64-bit ") + what;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(machine));
    return std::string(what) + " for machine 0x" + hex;
}

} // namespace

std::string noSuchModuleMessage(int moduleNumber)
{
    return "no calculation module has number " + std::to_string(moduleNumber);
}

std::string dataFileNameTooLongMessage(std::string_view dataFileName)
{
    return "data file name is " + std::to_string(dataFileName.size()) +
           " bytes long, longer than the " + std::to_string(MaxDataFileNameLength) +
           " bytes a module accepts; no module is called: " + std::string(dataFileName);
}

std::string noCurrentDirectoryMessage(std::string_view argument)
{
    return "cannot read the current directory to complete the data file name " +
           std::string(argument) + "; no module is called";
}

std::string notRegularFileMessage(std::string_view libraryPath)
{
    return module(libraryPath) + " is not a regular file; not loaded";
}

std::string cannotLoadMessage(std::string_view libraryPath, std::string_view loaderError)
{
    return "cannot load " + module(libraryPath) + ": " + std::string(loaderError);
}

std::string notFoundMessage(std::string_view fileName, std::string_view programDir,
                            std::string_view loaderError)
{
    return module(fileName) + " not found in " + std::string(programDir) +
           " nor by the system's library search: " + std::string(loaderError);
}

std::string missingEntryPointMessage(std::string_view libraryPath, std::string_view entryPoint)
{
    return module(libraryPath) + " does not export the entry point " + std::string(entryPoint);
}

std::string raisedErrorMessage(std::string_view libraryPath, std::string_view entryPoint,
                               const char* what)
{
    return module(libraryPath) + " raised an error" + during(entryPoint) +
           withMessage(what != nullptr ? what : "");
}

std::string raisedWhileLoadingMessage(std::string_view libraryPath, std::string_view what)
{
    return module(libraryPath) + " raised an error while being loaded" + withMessage(what) +
           "; the system loader cannot be used again, so the launcher ends";
}

std::string stackRestoredMessage(std::string_view libraryPath, std::string_view entryPoint,
                                 std::size_t removedBytes, std::size_t expectedBytes)
{
    return module(libraryPath) + ": " + std::string(entryPoint) + " removed " +
           std::to_string(removedBytes) + " bytes of arguments instead of " +
           std::to_string(expectedBytes) +
           " (built with another calling convention or argument list); the launcher put its "
           "stack back";
}

std::string quitRequestMessage(std::string_view libraryPath, std::string_view entryPoint)
{
    return module(libraryPath) + " asked the launcher to quit in " + std::string(entryPoint) +
           " (a quit message posted to its thread); the request was taken out, the launcher "
           "goes on";
}

std::string leftRunningMessage(std::string_view libraryPath, int windows, int threads)
{
    const auto counted = [](int count, const char* one, const char* many) {
        return std::to_string(count) + " " + (count == 1 ? one : many);
    };
    std::string left;
    if (windows > 0) {
        left = counted(windows, "window", "windows") + " open";
    }
    if (threads > 0) {
        left += (left.empty() ? "" : " and ") + counted(threads, "thread", "threads") + " running";
    }
    return module(libraryPath) + " left " + left + "; it stays loaded until the launcher ends";
}

std::string crashSubject(std::string_view libraryPath, std::string_view entryPoint)
{
    return module(libraryPath) + " crashed" + during(entryPoint);
}

std::string endedProcessMessage(std::string_view libraryPath, std::string_view entryPoint)
{
    return module(libraryPath) + " ended the process" + during(entryPoint) +
           endsWithStatus(ExitModuleEndedProcess);
}

std::string crashWhileUnloadingSubject(std::string_view libraryPath)
{
    return module(libraryPath) + " crashed while being unloaded";
}

std::string endedProcessWhileUnloadingMessage(std::string_view libraryPath)
{
    return module(libraryPath) + " ended the process while being unloaded" +
           endsWithStatus(ExitModuleEndedProcess);
}

std::string missingImportMessage(std::string_view libraryPath, std::string_view library)
{
    return "module " + std::string(libraryPath) + " needs " + std::string(library) +
           ", which was not found";
}

std::string otherMachineMessage(std::string_view libraryPath, std::string_view library,
                                std::uint16_t machine, std::uint16_t nativeMachine)
{
    std::string line = module(libraryPath);
    if (library.empty()) {
        line += " is a " + builtFor(machine, "module");
    } else {
        line += " needs " + std::string(library) + ", which is a " + builtFor(machine, "library");
    }
    line += "; this launcher runs " + builtFor(nativeMachine, "modules");
    // The 32-bit launcher lies in the program folder, the 64-bit one in its
    // x64 folder.
    if (nativeMachine == platform::MachineI386 && machine == platform::MachineAmd64) {
        line += " (use the 64-bit launcher in the x64 folder)";
    } else if (nativeMachine == platform::MachineAmd64 && machine == platform::MachineI386) {
        line += " (use the 32-bit launcher in the program folder)";
    }
    return line;
}

} // namespace launcher
