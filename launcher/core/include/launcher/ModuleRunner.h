#pragma once

#include <string>
#include <string_view>
#include <trn_module.h>
#include <vector>

namespace launcher {

struct CalculationKind;

// What became of one run of a calculation module (the check tool words
// each in this order).
enum class RunStatus
{
    Completed,           // the entry point was called and returned
    NoSuchModule,        // module number outside 1 to 8: nothing was done
    LibraryNotFound,     // no module file beside the launcher, and the system search failed
    LibraryNotLoadable,  // the module file exists but the loader refused it
    EntryPointMissing,   // loaded, but the entry point is not exported; unloaded again
    ModuleRaisedError,   // the entry point raised an error (caught by RunCalculation)
    DataFileNameTooLong, // the name does not fit the module's buffer: nothing was done
};

struct RunOutcome
{
    RunStatus status = RunStatus::NoSuchModule;
    const CalculationKind* kind = nullptr; // the kind of the run; nullptr when there is none
    TrnResult flag = 0;                    // the entry point's flag; meaningful only when Completed
    std::string libraryPath;               // the file that was loaded or tried
    bool besideLauncher = false; // libraryPath lies in the program folder (not the system search)
    std::string message; // one line naming the file and the loader's reason; empty on success
    bool loaderUnusable = false; // the module raised an error while being loaded: no library
                                 // can be loaded or unloaded again, the process is to end
    // The library the module imports that the loader found nowhere
    // (platform::loadObstacle); `message` then names it.
    std::string missingImport;
    // When the files told why the loader refused the module (a missing
    // import, or the module or an import built for the other bitness, which
    // `message` then names): the line the loader's own reason gave.
    std::string loaderMessage;
    // Lines about what the module did that the run survived (its stack put
    // back, a quit request taken out, windows or threads it left running,
    // for which it stays loaded); reported as a failure's message is.
    std::vector<std::string> notes;
};

// Where modules are looked for and whom their windows belong to.
struct ModuleHost
{
    std::string programDir;          // the launcher's folder, ending in the separator
    TrnWindowHandle owner = nullptr; // the launcher window's native handle
};

// How far a run goes.
enum class RunStep
{
    Call,     // load the module, call its entry point, unload it
    LookOnly, // load the module, look its entry point up, unload it: no call
};

// Runs the module of `kind`: loads it, calls its entry point with
// `host.owner`, `dataFileName` and the result-text slots of its call form,
// and unloads it. What became of the run is the value returned; the entry
// point's flag is in it (0 when it was not called). With RunStep::LookOnly
// the run stops before the call: the status is then Completed when the
// entry point is there, otherwise the status and message are those of a
// run.
//
// `dataFileName` is copied into a buffer of TRN_MAX_PATH bytes of the
// run's own, which the module is given; a name longer than
// MaxDataFileNameLength is never shortened: the module is not loaded
// (DataFileNameTooLong).
//
// The module file is looked for in `host.programDir` first; when no such
// file is there, the system's standard library search is given the bare
// file name (the current directory is never searched on purpose); a module
// file there that is not a regular file (a FIFO, a device) is refused
// before the loader opens it. The call is synchronous. On 32-bit Windows
// it goes through platform::checkedCall(): an entry point that removes
// another number of bytes of arguments than its form's leaves the stack as
// it was and a note. After the call a quit request the module posted is
// taken out of the queue, and a module that left windows or threads of its
// own running is not unloaded; each gives a note. While the module is
// loaded and while its entry point runs, a crash or an exit() of the module
// leaves one line first (platform::ModuleCallGuard); exit() then ends the
// process with ExitModuleEndedProcess. An error raised while the module is
// being loaded (by its static constructors) gives ModuleRaisedError with
// `loaderUnusable` set.
//
// An error raised by the entry point is caught here: the status is then
// ModuleRaisedError, the library stays loaded (the error may still refer to
// its code) and the message names the file and the entry point. Reports
// nothing itself; a failed outcome's message is the line to show.
RunOutcome RunCalculation(const CalculationKind& kind, std::string_view dataFileName,
                          const ModuleHost& host, RunStep step = RunStep::Call);

// The same run for module number 1 to 8 (the kind index plus one);
// NoSuchModule, and nothing done, for any other number.
RunOutcome RunCalculation(int moduleNumber, std::string_view dataFileName, const ModuleHost& host,
                          RunStep step = RunStep::Call);

// The file RunCalculation loads for the module file `fileName`: in
// `programDir` when the file is there, otherwise the bare file name for the
// system's standard library search.
std::string modulePath(const std::string& fileName, const std::string& programDir);

// The two result-text slots. They live for the whole process, start out
// null and are never reset by the launcher; every run is given these
// addresses.
const char** firstResultTextSlot();
const char** secondResultTextSlot();

// Exit status of the launcher in automatic mode after a run
// (launcher/ExitStatus.h): ExitCompleted when the entry point was called
// and returned, whatever its flag.
int exitStatusFor(RunStatus status);

} // namespace launcher
