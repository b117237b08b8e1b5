// What only Windows has of the module runner: the system's search for a
// bare module name begins with the folder of the running program, modules
// of the other bitness are refused, and modules as old ones built by other
// compilers misbehave (another calling convention, windows and threads
// left running, a quit request). The cases
// every platform shares are tests/core/ModuleRunnerTest.cpp, which this
// program runs too.
#include "FixtureRecord.h"
#include "launcher/ModuleRunner.h"
#include "launcher/Paths.h"
#include "platform/ImportTable.h"
#include "platform/Process.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>
#include <windows.h>

TEST(Win32ModuleRunner, ABareNameIsSearchedFromTheProgramsFolder)
{
    testsupport::RecordFile record;
    const std::string besideProgram =
        launcher::programDirFromExecutable(platform::executablePath(),
                                           launcher::PathStyle::Windows) +
        "trn_cylint.dll";
    ASSERT_TRUE(CopyFileA((testsupport::fixtureDir("recording") + "trn_cylint.dll").c_str(),
                          besideProgram.c_str(), FALSE));
    testsupport::TempDir programDir;
    launcher::ModuleHost host;
    host.programDir = programDir.dirWithSlash();
    char name[TRN_MAX_PATH] = "";
    const auto outcome = launcher::RunCalculation(2, name, host);
    DeleteFileA(besideProgram.c_str());

    EXPECT_EQ(outcome.status, launcher::RunStatus::Completed) << outcome.message;
    EXPECT_EQ(outcome.libraryPath, "trn_cylint.dll");
    EXPECT_EQ(record.linesStartingWith("call TrnRun_CylInt").size(), 1u);
}

TEST(Win32ModuleRunner, AModuleOrAnImportOfTheOtherBitnessIsNamedWithTheLauncherThatRunsIt)
{
    const bool wide = platform::NativeMachine == platform::MachineAmd64;
    const std::string other = wide ? "32-bit" : "64-bit";
    const std::string advice =
        wide ? "; this launcher runs 64-bit modules (use the 32-bit launcher in the program folder)"
             : "; this launcher runs 32-bit modules (use the 64-bit launcher in the x64 folder)";
    char name[TRN_MAX_PATH] = "";
    launcher::ModuleHost host;

    host.programDir = testsupport::fixtureDir("other_bitness");
    const auto module = launcher::RunCalculation(5, name, host);
    EXPECT_EQ(module.status, launcher::RunStatus::LibraryNotLoadable);
    EXPECT_EQ(module.message,
              "module " + host.programDir + "trn_worm.dll is a " + other + " module" + advice);
    EXPECT_EQ(
        module.loaderMessage.rfind("cannot load module " + host.programDir + "trn_worm.dll: ", 0),
        0u)
        << module.loaderMessage;
    EXPECT_EQ(module.missingImport, "");

    // trn_chain.dll is of this bitness; the trn_fixture_foreign.dll beside
    // the test program is not.
    host.programDir = testsupport::fixtureDir("other_bitness_import");
    const auto import = launcher::RunCalculation(6, name, host);
    EXPECT_EQ(import.status, launcher::RunStatus::LibraryNotLoadable);
    EXPECT_EQ(import.message, "module " + host.programDir +
                                  "trn_chain.dll needs trn_fixture_foreign.dll, which is a " +
                                  other + " library" + advice);
    EXPECT_FALSE(import.loaderMessage.empty());
    EXPECT_EQ(import.missingImport, "");

    // The headers of a file cut short name the other machine, but the file
    // is no module: the loader's reason, as for a text file.
    for (const auto& [set, number, library] :
         {std::tuple{"cut_short", 8, "trn_tbelt"}, std::tuple{"not_library", 7, "trn_vbelt"}}) {
        SCOPED_TRACE(set);
        host.programDir = testsupport::fixtureDir(set);
        const auto refused = launcher::RunCalculation(number, name, host);
        EXPECT_EQ(refused.status, launcher::RunStatus::LibraryNotLoadable);
        EXPECT_EQ(
            refused.message.rfind("cannot load module " + host.programDir + library + ".dll: ", 0),
            0u)
            << refused.message;
        EXPECT_EQ(refused.loaderMessage, "");
    }
}

namespace {

// A run of one of the wild modules (tests/wine/fixtures/wild_module.c).
launcher::RunOutcome runWild(const std::string& which, int moduleNumber)
{
    launcher::ModuleHost host;
    host.programDir = testsupport::fixtureDir("wild_" + which);
    char name[TRN_MAX_PATH] = "C:\\data\\x.dat";
    return launcher::RunCalculation(moduleNumber, name, host);
}

std::string wildModule(const std::string& which, const char* library)
{
    return testsupport::fixtureDir("wild_" + which) + library + ".dll";
}

} // namespace

#if DERIZE_CHECKED_CALL
TEST(Win32ModuleRunner, AnEntryPointOfAnotherConventionIsNamedAndTheStackPutBack)
{
    const struct
    {
        const char* which;
        int moduleNumber;
        const char* library;
        const char* entry;
        int removed;
        int expected;
    } cases[] = {
        {"cdecl", 1, "trn_cylext", "TrnRun_CylExt", 0, 16},
        {"two_arguments", 2, "trn_cylint", "TrnRun_CylInt", 8, 16},
        {"four_arguments", 6, "trn_chain", "TrnRun_Chain", 16, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.which);
        testsupport::RecordFile record;
        const launcher::RunOutcome outcome = runWild(c.which, c.moduleNumber);
        EXPECT_EQ(outcome.status, launcher::RunStatus::Completed) << outcome.message;
        EXPECT_EQ(launcher::exitStatusFor(outcome.status), 0);
        EXPECT_EQ(outcome.flag, 1);
        EXPECT_EQ(outcome.notes,
                  std::vector<std::string>{
                      "module " + wildModule(c.which, c.library) + ": " + c.entry + " removed " +
                      std::to_string(c.removed) + " bytes of arguments instead of " +
                      std::to_string(c.expected) +
                      " (built with another calling convention or argument list); the launcher "
                      "put its stack back"});
        EXPECT_EQ(record.linesStartingWith("call ").size(), 1u);
        EXPECT_EQ(GetModuleHandleA((std::string(c.library) + ".dll").c_str()), nullptr)
            << "unloaded as after any run";
    }
    // The runner goes on as before: a correct module after them.
    testsupport::RecordFile record;
    launcher::ModuleHost host;
    host.programDir = testsupport::fixtureDir("recording");
    char name[TRN_MAX_PATH] = "";
    for (int number = 1; number <= 8; ++number) {
        const auto outcome = launcher::RunCalculation(number, name, host);
        EXPECT_EQ(outcome.status, launcher::RunStatus::Completed) << outcome.message;
        EXPECT_TRUE(outcome.notes.empty()) << number << ": " << outcome.notes.front();
    }
}
#endif

TEST(Win32ModuleRunner, AModuleThatLeavesItsCodeRunningStaysLoaded)
{
    const struct
    {
        const char* which;
        int moduleNumber;
        const char* library;
        const char* left;
    } cases[] = {
        {"window", 5, "trn_worm", "1 window open"},
        {"thread", 7, "trn_vbelt", "1 thread running"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.which);
        const launcher::RunOutcome first = runWild(c.which, c.moduleNumber);
        EXPECT_EQ(first.status, launcher::RunStatus::Completed) << first.message;
        EXPECT_EQ(first.notes,
                  std::vector<std::string>{"module " + wildModule(c.which, c.library) + " left " +
                                           c.left + "; it stays loaded until the launcher ends"});
        EXPECT_NE(GetModuleHandleA((std::string(c.library) + ".dll").c_str()), nullptr);
        // The next run of the kind loads it as usual (the system counts the
        // loads) and runs it again.
        testsupport::RecordFile record;
        const launcher::RunOutcome second = runWild(c.which, c.moduleNumber);
        EXPECT_EQ(second.status, launcher::RunStatus::Completed) << second.message;
        EXPECT_EQ(record.linesStartingWith("call ").size(), 1u);
    }
}

TEST(Win32ModuleRunner, AQuitRequestOfAModuleIsTakenOutAndNamed)
{
    const launcher::RunOutcome outcome = runWild("quit", 8);
    EXPECT_EQ(outcome.status, launcher::RunStatus::Completed) << outcome.message;
    EXPECT_EQ(outcome.notes, std::vector<std::string>{
                                 "module " + wildModule("quit", "trn_tbelt") +
                                 " asked the launcher to quit in TrnRun_TBelt (a quit message "
                                 "posted to its thread); the request was taken out, the launcher "
                                 "goes on"});
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "no quit request is left for the launcher's loop";
}
