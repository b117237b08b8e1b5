// The module runner against real __stdcall DLLs: what differs on Windows
// (the system's error codes, backslash paths, the library search, handles
// freed with FreeLibrary). The rules that hold everywhere, such as the result
// slots kept from run to run, are tested in tests/core.
#include "launcher/ModuleRunner.h"

#include "FixtureRecord.h"
#include "launcher/Paths.h"
#include "platform/Process.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <stdexcept>
#include <windows.h>

using launcher::RunCalculation;
using launcher::RunStatus;
using testsupport::fixtureDir;
using testsupport::recordField;

namespace {

launcher::ModuleHost hostIn(const std::string& dir)
{
    launcher::ModuleHost host;
    host.programDir = dir;
    host.owner = reinterpret_cast<TrnWindowHandle>(std::uintptr_t{0x5a5a});
    return host;
}

// A harmless place for an entry point given too few arguments to store its
// result text in: what it takes for a missing argument is this address.
const char* g_strayWord = nullptr;

// Fills the stack below the caller with the address of g_strayWord, so that
// no address handed to an earlier call (a result slot's, say) is still lying
// where the next call's entry point looks beyond its own arguments: what an
// entry point finds there is then what this run's caller put there.
__attribute__((noinline)) void scrubStack()
{
    volatile std::uintptr_t words[4096];
    for (volatile std::uintptr_t& word : words) {
        word = reinterpret_cast<std::uintptr_t>(&g_strayWord);
    }
}

} // namespace

TEST(Win32ModuleRunner, EachFormGetsExactlyItsOwnArguments)
{
    testsupport::RecordFile record;
    const auto host = hostIn(fixtureDir("recording"));
    char name[TRN_MAX_PATH] = "C:\\data\\x.dat";

    for (int number = 1; number <= 8; ++number) {
        scrubStack();
        const auto outcome = RunCalculation(number, name, host);
        ASSERT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
        EXPECT_EQ(outcome.flag, 1);
    }

    const auto calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 8u);
    const char* forms = "AAAABCCC";
    const std::string slot1 = testsupport::pointerText(launcher::firstResultTextSlot());
    const std::string slot2 = testsupport::pointerText(launcher::secondResultTextSlot());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(calls[i]);
        EXPECT_EQ(recordField(calls[i], "form"), std::string(1, forms[i]));
        EXPECT_EQ(recordField(calls[i], "owner"), "0x5a5a");
        EXPECT_EQ(recordField(calls[i], "name"), testsupport::hexOf("C:\\data\\x.dat"));
        EXPECT_EQ(recordField(calls[i], "slot1"), i < 5 ? slot1 : "(nil)");
        EXPECT_EQ(recordField(calls[i], "slot2"), i < 4 ? slot2 : "(nil)");
        // One argument too many would lie just beyond the entry point's own:
        // the address of the result slot that follows the form's last one.
        // A runner that calls form B as A, or C as B, puts it there every
        // time; this catches it should the runner come back unharmed from
        // the corrupted stack (a crash ends the program with status 3, see
        // UnhandledExceptionExit.cpp).
        const std::string beyond = recordField(calls[i], "beyond");
        EXPECT_TRUE(beyond.rfind("0x", 0) == 0 || beyond == "(nil)") << "no word recorded";
        EXPECT_NE(beyond, slot1);
        EXPECT_NE(beyond, slot2);
    }
}

TEST(Win32ModuleRunner, EveryRunLoadsAndUnloadsTheModule)
{
    testsupport::RecordFile record;
    testsupport::setVariable("TRN_RECORD_FLAG", "0");
    char name[TRN_MAX_PATH] = "a.chai_rol_dat";
    const auto first = RunCalculation(6, name, hostIn(fixtureDir("recording")));
    const auto second = RunCalculation(6, name, hostIn(fixtureDir("recording")));
    testsupport::setVariable("TRN_RECORD_FLAG", nullptr);

    EXPECT_EQ(first.status, RunStatus::Completed);
    EXPECT_EQ(second.flag, 0);
    const std::vector<std::string> expected = {"load trn_chain", "call", "unload trn_chain",
                                               "load trn_chain", "call", "unload trn_chain"};
    const auto lines = record.lines();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u) << lines[i];
    }
}

TEST(Win32ModuleRunner, AMissingEntryPointIsReportedAndTheLibraryUnloaded)
{
    testsupport::RecordFile record;
    char name[TRN_MAX_PATH] = "";
    const auto outcome = RunCalculation(5, name, hostIn(fixtureDir("no_entry")));
    EXPECT_EQ(outcome.status, RunStatus::EntryPointMissing);
    EXPECT_NE(outcome.message.find("no_entry\\trn_worm.dll"), std::string::npos) << outcome.message;
    EXPECT_NE(outcome.message.find("TrnRun_Worm"), std::string::npos) << outcome.message;
    EXPECT_EQ(record.lines(), (std::vector<std::string>{"load trn_worm", "unload trn_worm"}));
}

TEST(Win32ModuleRunner, LibrariesThatCannotBeLoadedSayWhyAndNameTheFile)
{
    char name[TRN_MAX_PATH] = "";

    const auto unresolved = RunCalculation(6, name, hostIn(fixtureDir("unresolved")));
    EXPECT_EQ(unresolved.status, RunStatus::LibraryNotLoadable);
    EXPECT_NE(unresolved.message.find("unresolved\\trn_chain.dll"), std::string::npos)
        << unresolved.message;
    EXPECT_NE(unresolved.message.find("error 126"), std::string::npos) << unresolved.message;

    const auto notLibrary = RunCalculation(7, name, hostIn(fixtureDir("not_library")));
    EXPECT_EQ(notLibrary.status, RunStatus::LibraryNotLoadable);
    EXPECT_NE(notLibrary.message.find("not_library\\trn_vbelt.dll"), std::string::npos)
        << notLibrary.message;
    EXPECT_NE(notLibrary.message.find("error 193"), std::string::npos) << notLibrary.message;

    testsupport::TempDir empty;
    const auto missing = RunCalculation(8, name, hostIn(empty.dirWithSlash()));
    EXPECT_EQ(missing.status, RunStatus::LibraryNotFound);
    EXPECT_NE(missing.message.find("trn_tbelt.dll"), std::string::npos) << missing.message;
    for (const auto& outcome : {unresolved, notLibrary, missing}) {
        EXPECT_EQ(launcher::exitStatusFor(outcome.status), 3);
    }
}

TEST(Win32ModuleRunner, TheCurrentDirectoryIsNeverSearched)
{
    testsupport::RecordFile record;
    testsupport::TempDir programDir;
    testsupport::CurrentDirectory inFixtures(fixtureDir("recording"));
    char name[TRN_MAX_PATH] = "";
    const auto outcome = RunCalculation(1, name, hostIn(programDir.dirWithSlash()));

    EXPECT_EQ(outcome.status, RunStatus::LibraryNotFound) << outcome.message;
    EXPECT_TRUE(record.lines().empty());
}

TEST(Win32ModuleRunner, ABareNameIsSearchedFromTheProgramsFolder)
{
    // The system's search for a module that is not in the given folder
    // begins with the folder of the running program.
    testsupport::RecordFile record;
    const std::string besideProgram =
        launcher::programDirFromExecutable(platform::executablePath(),
                                           launcher::PathStyle::Windows) +
        "trn_cylint.dll";
    ASSERT_TRUE(CopyFileA((fixtureDir("recording") + "trn_cylint.dll").c_str(),
                          besideProgram.c_str(), FALSE));
    testsupport::TempDir programDir;
    char name[TRN_MAX_PATH] = "";
    const auto outcome = RunCalculation(2, name, hostIn(programDir.dirWithSlash()));
    DeleteFileA(besideProgram.c_str());

    EXPECT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
    EXPECT_EQ(outcome.libraryPath, "trn_cylint.dll");
    EXPECT_EQ(record.linesStartingWith("call TrnRun_CylInt").size(), 1u);
}

TEST(Win32ModuleRunner, AnErrorRaisedByTheModuleReachesTheCallerAndLeavesItLoaded)
{
    testsupport::RecordFile record;
    testsupport::setVariable("TRN_RECORD_THROW", "1");
    char name[TRN_MAX_PATH] = "";
    EXPECT_THROW(RunCalculation(3, name, hostIn(fixtureDir("recording"))), std::runtime_error);
    testsupport::setVariable("TRN_RECORD_THROW", nullptr);
    HMODULE stillLoaded = GetModuleHandleA("trn_bevspir.dll");
    EXPECT_NE(stillLoaded, nullptr);
    EXPECT_TRUE(record.linesStartingWith("unload ").empty());
    // Leave no module behind for the tests that follow.
    if (stillLoaded != nullptr) {
        FreeLibrary(stillLoaded);
    }
}
