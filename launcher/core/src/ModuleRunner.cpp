#include "launcher/ModuleRunner.h"

#include "launcher/CalculationKinds.h"
#include "launcher/ExitStatus.h"
#include "launcher/ModuleFailures.h"
#include "launcher/Paths.h"
#include "platform/Library.h"
#include "platform/ModuleCallGuard.h"
#include "platform/ModuleLeftovers.h"

#if DERIZE_CHECKED_CALL
#include "platform/CheckedCall.h"
#endif

#include <array>
#include <cfenv>
#include <cstdint>
#include <optional>

namespace launcher {

namespace {

// A module may leave the floating-point unit set its own way: compilers of
// the Pascal family unmask the invalid-operation, division-by-zero and
// overflow traps of the x87 (control word 0x1332), others change the SSE
// unit's rounding or traps (MXCSR). The launcher's own arithmetic would then
// fault far from the module. While alive this keeps what the thread had:
// the x87 control word and MXCSR as they were are put back, silently, when
// it ends, after the x87's pending exceptions are cleared (which the
// module's unmasked traps would otherwise raise at the launcher's next x87
// instruction).
class FloatingPointState
{
public:
    FloatingPointState()
    {
#if defined(__i386__) || defined(__x86_64__)
        __asm__ volatile("fnstcw %0" : "=m"(m_controlWord));
        __asm__ volatile("stmxcsr %0" : "=m"(m_mxcsr));
#else
        std::fegetenv(&m_saved);
#endif
    }
    ~FloatingPointState()
    {
#if defined(__i386__) || defined(__x86_64__)
        __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(m_controlWord));
        __asm__ volatile("ldmxcsr %0" : : "m"(m_mxcsr));
#else
        std::fesetenv(&m_saved);
#endif
    }
    FloatingPointState(const FloatingPointState&) = delete;
    FloatingPointState& operator=(const FloatingPointState&) = delete;

private:
#if defined(__i386__) || defined(__x86_64__)
    unsigned short m_controlWord = 0;
    unsigned int m_mxcsr = 0;
#else
    std::fenv_t m_saved;
#endif
};

const char* g_resultText1 = nullptr;
const char* g_resultText2 = nullptr;

#if DERIZE_CHECKED_CALL
// The entry point removes its own arguments; one built with another
// calling convention or argument list removes another number, and the
// checked call puts the stack back whatever it did.
TrnResult callEntryPoint(void* symbol, CallForm form, TrnWindowHandle owner, char* dataFileName,
                         RunOutcome& outcome)
{
    const std::uintptr_t arguments[] = {reinterpret_cast<std::uintptr_t>(owner),
                                        reinterpret_cast<std::uintptr_t>(dataFileName),
                                        reinterpret_cast<std::uintptr_t>(&g_resultText1),
                                        reinterpret_cast<std::uintptr_t>(&g_resultText2)};
    const std::size_t count = argumentCount(form);
    const platform::CheckedCallResult result = platform::checkedCall(symbol, arguments, count);
    const std::size_t expected = count * sizeof(std::uintptr_t);
    if (result.removedBytes != expected) {
        outcome.notes.push_back(stackRestoredMessage(outcome.libraryPath, outcome.kind->entryPoint,
                                                     result.removedBytes, expected));
    }
    return static_cast<TrnResult>(result.value & 0xFF);
}
#else
TrnResult callEntryPoint(void* symbol, CallForm form, TrnWindowHandle owner, char* dataFileName,
                         RunOutcome&)
{
    // Each form is called through a pointer of exactly its own signature.
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
#endif

} // namespace

const char** firstResultTextSlot()
{
    return &g_resultText1;
}

const char** secondResultTextSlot()
{
    return &g_resultText2;
}

std::string modulePath(const std::string& fileName, const std::string& programDir)
{
    const std::string besideLauncher = programDir + fileName;
    return platform::fileExists(besideLauncher) ? besideLauncher : fileName;
}

namespace {

// Unloads a module: its detach code runs under a guard too.
void unloadModule(platform::LibraryHandle library, const std::string& libraryPath)
{
    const platform::ModuleCallGuard guard(crashWhileUnloadingSubject(libraryPath),
                                          endedProcessWhileUnloadingMessage(libraryPath),
                                          ExitModuleEndedProcess);
    platform::freeLibrary(library);
}

// Finds the kind's module, loads it and looks its entry point up. Returns the loaded library with
// `symbol` set, or nullptr with `outcome` saying why (the library is then not loaded).
platform::LibraryHandle loadModule(const CalculationKind& kind, const std::string& programDir,
                                   RunOutcome& outcome, void*& symbol)
{
    symbol = nullptr;
    const std::string fileName = moduleFileName(kind);
    outcome.libraryPath = modulePath(fileName, programDir);
    outcome.besideLauncher = outcome.libraryPath != fileName;

    if (outcome.besideLauncher && !platform::isRegularFile(outcome.libraryPath)) {
        outcome.status = RunStatus::LibraryNotLoadable;
        outcome.message = notRegularFileMessage(outcome.libraryPath);
        return nullptr;
    }

    std::string loaderError;
    platform::LoadFailure failure = platform::LoadFailure::Refused;
    platform::LibraryHandle library = nullptr;
    {
        // Where C++ cannot unwind through the system's loader (Windows), an
        // error a static constructor raises ends here with its line.
        const std::string& path = outcome.libraryPath;
        const platform::ModuleCallGuard guard(
            crashSubject(path, {}), endedProcessMessage(path, {}), ExitModuleEndedProcess,
            {[&path](std::string_view what) { return raisedWhileLoadingMessage(path, what); },
             ExitModuleRaisedError});
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
                              ? cannotLoadMessage(outcome.libraryPath, loaderError)
                              : notFoundMessage(fileName, programDir, loaderError);
        // The loader's code for a missing import is the one for a missing
        // module, and the one for a module of the other bitness is that of
        // a file that is no module; the files tell which it was.
        if (std::optional<platform::LoadObstacle> obstacle =
                platform::loadObstacle(outcome.libraryPath)) {
            outcome.status = RunStatus::LibraryNotLoadable;
            outcome.loaderMessage = std::move(outcome.message);
            if (obstacle->machine == 0) {
                outcome.missingImport = std::move(obstacle->library);
                outcome.message = missingImportMessage(outcome.libraryPath, outcome.missingImport);
            } else {
                outcome.message = otherMachineMessage(outcome.libraryPath, obstacle->library,
                                                      obstacle->machine, platform::NativeMachine);
            }
        }
        return nullptr;
    }

    const std::string entryPoint(kind.entryPoint);
    symbol = platform::resolveSymbol(library, entryPoint.c_str());
    if (symbol == nullptr) {
        unloadModule(library, outcome.libraryPath);
        outcome.status = RunStatus::EntryPointMissing;
        outcome.message = missingEntryPointMessage(outcome.libraryPath, entryPoint);
        return nullptr;
    }
    return library;
}

// Calls the entry point; an error it raises ends here, because a window
// toolkit does not let one pass through its event loop. Returns false then,
// with `raisedText` copied at once.
bool callCatching(void* symbol, const CalculationKind& kind, TrnWindowHandle owner,
                  char* dataFileName, RunOutcome& outcome, std::string& raisedText)
{
    try {
        const platform::ModuleCallGuard guard(
            crashSubject(outcome.libraryPath, kind.entryPoint),
            endedProcessMessage(outcome.libraryPath, kind.entryPoint), ExitModuleEndedProcess);
        outcome.flag = callEntryPoint(symbol, kind.callForm, owner, dataFileName, outcome);
        return true;
    } catch (...) {
        raisedText = platform::currentExceptionText();
    }
    return false;
}

} // namespace

RunOutcome RunCalculation(const CalculationKind& kind, std::string_view dataFileName,
                          const ModuleHost& host, RunStep step)
{
    RunOutcome outcome;
    outcome.kind = &kind;
    if (dataFileName.size() > MaxDataFileNameLength) {
        // Start-up refuses such names; a name is never shortened.
        outcome.status = RunStatus::DataFileNameTooLong;
        outcome.message = dataFileNameTooLongMessage(dataFileName);
        return outcome;
    }
    // The module is given the name in a buffer of its own for the call.
    std::array<char, TRN_MAX_PATH> buffer{};
    dataFileName.copy(buffer.data(), dataFileName.size());

    // Whatever the module does to the floating-point unit while it is
    // loaded, called and unloaded is undone when the run ends.
    const FloatingPointState floatingPoint;
    const platform::ThreadList threadsBefore = platform::currentThreads();
    void* symbol = nullptr;
    platform::LibraryHandle library = loadModule(kind, host.programDir, outcome, symbol);
    if (library == nullptr) {
        return outcome;
    }
    outcome.status = RunStatus::Completed;
    if (step == RunStep::Call) {
        std::string raisedText;
        if (!callCatching(symbol, kind, host.owner, buffer.data(), outcome, raisedText)) {
            // The module stays loaded.
            outcome.status = RunStatus::ModuleRaisedError;
            outcome.flag = 0;
            outcome.message =
                raisedErrorMessage(outcome.libraryPath, kind.entryPoint, raisedText.c_str());
            return outcome;
        }
        if (platform::takePostedQuitRequest()) {
            outcome.notes.push_back(quitRequestMessage(outcome.libraryPath, kind.entryPoint));
        }
        // Nothing of the module may run after it is unloaded; the system
        // counts the loads, so the next run of the kind loads it as usual.
        if (const platform::ModuleLeftovers left = platform::leftoversOf(library, threadsBefore);
            left.any()) {
            outcome.notes.push_back(
                leftRunningMessage(outcome.libraryPath, left.windows, left.threads));
            return outcome;
        }
    }
    unloadModule(library, outcome.libraryPath);
    return outcome;
}

RunOutcome RunCalculation(int moduleNumber, std::string_view dataFileName, const ModuleHost& host,
                          RunStep step)
{
    const CalculationKind* kind = kindForModuleNumber(moduleNumber);
    if (kind == nullptr) {
        RunOutcome outcome;
        outcome.status = RunStatus::NoSuchModule;
        outcome.message = noSuchModuleMessage(moduleNumber);
        return outcome;
    }
    return RunCalculation(*kind, dataFileName, host, step);
}

int exitStatusFor(RunStatus status)
{
    switch (status) {
    case RunStatus::Completed:
        return ExitCompleted;
    case RunStatus::ModuleRaisedError:
        return ExitModuleRaisedError;
    case RunStatus::DataFileNameTooLong:
        return ExitBadDataFileName;
    case RunStatus::NoSuchModule:
    case RunStatus::LibraryNotFound:
    case RunStatus::LibraryNotLoadable:
        return ExitModuleNotLoaded;
    case RunStatus::EntryPointMissing:
        return ExitEntryPointMissing;
    }
    return ExitModuleRaisedError;
}

} // namespace launcher
