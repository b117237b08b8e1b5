#include "launcher/ModuleRunner.h"

#include "launcher/CalculationKinds.h"
#include "launcher/CommandLine.h"
#include "launcher/ModuleFailures.h"
#include "launcher/Paths.h"
#include "platform/Library.h"
#include "platform/ModuleCallGuard.h"

#include <array>
#include <exception>

namespace launcher {

namespace {

const char* g_resultText1 = nullptr;
const char* g_resultText2 = nullptr;

TrnResult callEntryPoint(void* symbol, CallForm form, TrnWindowHandle owner, char* dataFileName)
{
    // Each form is called through a pointer of exactly its own signature:
    // a stdcall entry point removes its own arguments, so a call with a
    // wrong count would corrupt the caller.
    switch (form) {
    case CallForm::A:
        return reinterpret_cast<TrnRunFormA>(symbol)(owner, dataFileName, &g_resultText1,
                                                     &g_resultText2);
    case CallForm::B:
        return reinterpret_cast<TrnRunFormB>(symbol)(owner, dataFileName, &g_resultText1);
    case CallForm::C:
        return reinterpret_cast<TrnRunFormC>(symbol)(owner, dataFileName);
    }
    return 0;
}

} // namespace

const char** firstResultTextSlot()
{
    return &g_resultText1;
}

const char** secondResultTextSlot()
{
    return &g_resultText2;
}

std::string modulePathFor(const CalculationKind& kind, const std::string& programDir)
{
    const std::string fileName = moduleFileName(kind);
    const std::string besideLauncher = programDir + fileName;
    return platform::fileExists(besideLauncher) ? besideLauncher : fileName;
}

namespace {

// The steps every run and probe share: find the kind's module, load it and
// look its entry point up. Returns the loaded library with `symbol` set, or
// nullptr with `outcome` saying why (the library is then not loaded).
platform::LibraryHandle loadModule(const CalculationKind& kind, const std::string& programDir,
                                   RunOutcome& outcome, void*& symbol)
{
    symbol = nullptr;
    const std::string fileName = moduleFileName(kind);
    outcome.libraryPath = modulePathFor(kind, programDir);
    outcome.besideLauncher = outcome.libraryPath != fileName;

    if (outcome.besideLauncher && !platform::isRegularFile(outcome.libraryPath)) {
        outcome.status = RunStatus::LibraryNotLoadable;
        outcome.message = "module " + outcome.libraryPath + " is not a regular file; not loaded";
        return nullptr;
    }

    std::string loaderError;
    platform::LoadFailure failure = platform::LoadFailure::Refused;
    platform::LibraryHandle library = nullptr;
    {
        const platform::ModuleCallGuard guard(crashSubject(outcome.libraryPath, {}),
                                              endedProcessMessage(outcome.libraryPath, {}),
                                              ExitModuleEndedProcess);
        library = platform::loadLibrary(outcome.libraryPath, loaderError, &failure);
    }
    if (library == nullptr && failure == platform::LoadFailure::RaisedWhileLoading) {
        outcome.status = RunStatus::ModuleRaisedError;
        outcome.message = raisedWhileLoadingMessage(outcome.libraryPath, loaderError);
        outcome.loaderUnusable = true;
        return nullptr;
    }
    if (library == nullptr) {
        outcome.status =
            outcome.besideLauncher ? RunStatus::LibraryNotLoadable : RunStatus::LibraryNotFound;
        outcome.message = outcome.besideLauncher
                              ? "cannot load module " + outcome.libraryPath + ": " + loaderError
                              : "module " + fileName + " not found in " + programDir +
                                    " nor by the system's library search: " + loaderError;
        return nullptr;
    }

    const std::string entryPoint(kind.entryPoint);
    symbol = platform::resolveSymbol(library, entryPoint.c_str());
    if (symbol == nullptr) {
        platform::freeLibrary(library);
        outcome.status = RunStatus::EntryPointMissing;
        outcome.message =
            "module " + outcome.libraryPath + " does not export the entry point " + entryPoint;
        return nullptr;
    }
    return library;
}

RunOutcome noSuchModule(int moduleNumber)
{
    RunOutcome outcome;
    outcome.status = RunStatus::NoSuchModule;
    outcome.message = "no calculation module has number " + std::to_string(moduleNumber);
    return outcome;
}

// Loads, calls and unloads the kind's module. An error raised by the entry
// point passes to the caller with the library left loaded and `outcome`
// naming the file.
void runModule(const CalculationKind& kind, char* dataFileName, const ModuleHost& host,
               RunOutcome& outcome)
{
    void* symbol = nullptr;
    platform::LibraryHandle library = loadModule(kind, host.programDir, outcome, symbol);
    if (library == nullptr) {
        return;
    }
    {
        const platform::ModuleCallGuard guard(
            crashSubject(outcome.libraryPath, kind.entryPoint),
            endedProcessMessage(outcome.libraryPath, kind.entryPoint), ExitModuleEndedProcess);
        outcome.flag = callEntryPoint(symbol, kind.callForm, host.owner, dataFileName);
    }
    platform::freeLibrary(library);
    outcome.status = RunStatus::Completed;
}

} // namespace

RunOutcome RunCalculation(int moduleNumber, char* dataFileName, const ModuleHost& host)
{
    const CalculationKind* kind = kindForModuleNumber(moduleNumber);
    if (kind == nullptr) {
        return noSuchModule(moduleNumber);
    }
    RunOutcome outcome;
    runModule(*kind, dataFileName, host, outcome);
    return outcome;
}

RunOutcome runKind(int kindIndex, std::string_view dataFileName, const ModuleHost& host)
{
    const CalculationKind* kind = kindForModuleNumber(kindIndex + 1);
    if (kind == nullptr) {
        return noSuchModule(kindIndex + 1);
    }
    RunOutcome outcome;
    if (dataFileName.size() > MaxDataFileNameLength) {
        // Start-up refuses such names; a name is never shortened.
        outcome.status = RunStatus::DataFileNameTooLong;
        outcome.message = "data file name is longer than " + std::to_string(MaxDataFileNameLength) +
                          " bytes; the module is not called: " + std::string(dataFileName);
        return outcome;
    }
    // The module is given the name in a buffer of its own for the call.
    std::array<char, TRN_MAX_PATH> buffer{};
    dataFileName.copy(buffer.data(), dataFileName.size());

    bool raised = false;
    std::string raisedText; // copied at once: what() may give nullptr
    try {
        runModule(*kind, buffer.data(), host, outcome);
    } catch (const std::exception& error) {
        raised = true;
        const char* what = error.what();
        raisedText = what != nullptr ? what : "";
    } catch (...) {
        raised = true;
        raisedText = "an error that is not a standard exception";
    }
    if (raised) {
        // A window toolkit does not let an exception pass through its event
        // loop, so it ends here; the module stays loaded.
        outcome.status = RunStatus::ModuleRaisedError;
        outcome.flag = 0;
        outcome.message =
            raisedErrorMessage(outcome.libraryPath, kind->entryPoint, raisedText.c_str());
    }
    return outcome;
}

RunOutcome probeModule(int moduleNumber, const std::string& programDir)
{
    const CalculationKind* kind = kindForModuleNumber(moduleNumber);
    if (kind == nullptr) {
        return noSuchModule(moduleNumber);
    }
    RunOutcome outcome;
    void* symbol = nullptr;
    platform::LibraryHandle library = loadModule(*kind, programDir, outcome, symbol);
    if (library == nullptr) {
        return outcome;
    }
    platform::freeLibrary(library);
    outcome.status = RunStatus::Completed;
    return outcome;
}

int exitStatusFor(RunStatus status)
{
    switch (status) {
    case RunStatus::Completed:
        return 0;
    case RunStatus::ModuleRaisedError:
        return 1;
    case RunStatus::DataFileNameTooLong:
        return ExitBadDataFileName;
    case RunStatus::NoSuchModule:
    case RunStatus::LibraryNotFound:
    case RunStatus::LibraryNotLoadable:
        return 3;
    case RunStatus::EntryPointMissing:
        return 4;
    }
    return 1;
}

} // namespace launcher
