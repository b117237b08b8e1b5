#include "launcher/ModuleRunner.h"

#include "launcher/CalculationKinds.h"
#include "platform/Library.h"

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

// The steps RunCalculation and probeModule share: find the module, load it
// and look its entry point up. Returns the loaded library with `symbol`
// set, or nullptr with `outcome` saying why (the library is then not
// loaded).
platform::LibraryHandle loadModule(int moduleNumber, const std::string& programDir,
                                   RunOutcome& outcome, void*& symbol)
{
    symbol = nullptr;
    const CalculationKind* kind = kindForModuleNumber(moduleNumber);
    if (kind == nullptr) {
        outcome.status = RunStatus::NoSuchModule;
        outcome.message = "no calculation module has number " + std::to_string(moduleNumber);
        return nullptr;
    }

    const std::string fileName = moduleFileName(*kind);
    outcome.libraryPath = modulePathFor(*kind, programDir);
    const bool inProgramDir = outcome.libraryPath != fileName;

    std::string loaderError;
    platform::LibraryHandle library = platform::loadLibrary(outcome.libraryPath, loaderError);
    if (library == nullptr) {
        outcome.status = inProgramDir ? RunStatus::LibraryNotLoadable : RunStatus::LibraryNotFound;
        outcome.message = inProgramDir
                              ? "cannot load module " + outcome.libraryPath + ": " + loaderError
                              : "module " + fileName + " not found in " + programDir +
                                    " nor by the system's library search: " + loaderError;
        return nullptr;
    }

    const std::string entryPoint(kind->entryPoint);
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

} // namespace

RunOutcome RunCalculation(int moduleNumber, char* dataFileName, const ModuleHost& host)
{
    RunOutcome outcome;
    void* symbol = nullptr;
    platform::LibraryHandle library = loadModule(moduleNumber, host.programDir, outcome, symbol);
    if (library == nullptr) {
        return outcome;
    }
    const CalculationKind* kind = kindForModuleNumber(moduleNumber);
    outcome.flag = callEntryPoint(symbol, kind->callForm, host.owner, dataFileName);
    platform::freeLibrary(library);
    outcome.status = RunStatus::Completed;
    return outcome;
}

RunOutcome probeModule(int moduleNumber, const std::string& programDir)
{
    RunOutcome outcome;
    void* symbol = nullptr;
    platform::LibraryHandle library = loadModule(moduleNumber, programDir, outcome, symbol);
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
