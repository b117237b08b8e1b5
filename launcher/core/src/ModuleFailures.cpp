#include "launcher/ModuleFailures.h"

namespace launcher {

namespace {

std::string during(std::string_view entryPoint)
{
    return entryPoint.empty() ? std::string(" while being loaded")
                              : " in " + std::string(entryPoint);
}

} // namespace

std::string raisedErrorMessage(std::string_view libraryPath, std::string_view entryPoint,
                               const char* what)
{
    std::string message =
        "module " + std::string(libraryPath) + " raised an error" + during(entryPoint);
    if (what == nullptr || *what == '\0') {
        return message + " without a message";
    }
    return message + ": " + what;
}

std::string raisedWhileLoadingMessage(std::string_view libraryPath, std::string_view what)
{
    return "module " + std::string(libraryPath) + " raised an error while being loaded" +
           (what.empty() ? std::string(" without a message") : ": " + std::string(what)) +
           "; the system loader cannot be used again, so the launcher ends";
}

std::string crashSubject(std::string_view libraryPath, std::string_view entryPoint)
{
    return "module " + std::string(libraryPath) + " crashed" + during(entryPoint);
}

std::string endedProcessMessage(std::string_view libraryPath, std::string_view entryPoint)
{
    return "module " + std::string(libraryPath) + " ended the process" + during(entryPoint) +
           "; the launcher ends with status " + std::to_string(ExitModuleEndedProcess);
}

std::string missingImportMessage(std::string_view libraryPath, std::string_view library)
{
    return "module " + std::string(libraryPath) + " needs " + std::string(library) +
           ", which was not found";
}

} // namespace launcher
