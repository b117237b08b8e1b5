#include "launcher/ModuleRunner.h"

#include "FixtureRecord.h"
#include "launcher/Paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

using launcher::RunCalculation;
using launcher::RunStatus;
using testsupport::pointerText;
using testsupport::recordField;

namespace {

launcher::ModuleHost hostIn(const std::string& dir)
{
    launcher::ModuleHost host;
    host.programDir = dir;
    host.owner = reinterpret_cast<TrnWindowHandle>(std::uintptr_t{0x5a5a});
    return host;
}

} // namespace

TEST(ModuleRunner, EachFormGetsExactlyItsOwnArguments)
{
    testsupport::RecordFile record;
    const auto host = hostIn(testsupport::fixtureDir("recording"));
    char name[TRN_MAX_PATH] = "/data/x.dat";

    for (int number = 1; number <= 8; ++number) {
        const auto outcome = RunCalculation(number, name, host);
        ASSERT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
        EXPECT_EQ(outcome.flag, 1);
    }

    const auto calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 8u);
    // Module number n is the n-th kind: its entry point and its call form.
    const char* entries[] = {"CylExt", "CylInt", "BevSpir", "BevStr",
                             "Worm",   "Chain",  "VBelt",   "TBelt"};
    const char* forms = "AAAABCCC";
    const std::string slot1 = pointerText(launcher::firstResultTextSlot());
    const std::string slot2 = pointerText(launcher::secondResultTextSlot());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(calls[i]);
        EXPECT_EQ(calls[i].rfind(std::string("call TrnRun_") + entries[i] + " ", 0), 0u);
        EXPECT_EQ(recordField(calls[i], "form"), std::string(1, forms[i]));
        EXPECT_EQ(recordField(calls[i], "owner"), "0x5a5a");
        EXPECT_EQ(recordField(calls[i], "name"), testsupport::hexOf("/data/x.dat"));
        EXPECT_EQ(recordField(calls[i], "slot1"), i < 5 ? slot1 : "(nil)");
        EXPECT_EQ(recordField(calls[i], "slot2"), i < 4 ? slot2 : "(nil)");
    }
}

TEST(ModuleRunner, SlotsKeepWhatAnEarlierRunStored)
{
    testsupport::RecordFile record;
    const auto host = hostIn(testsupport::fixtureDir("recording"));
    char name[TRN_MAX_PATH] = "";

    ASSERT_EQ(RunCalculation(2, name, host).status, RunStatus::Completed);
    ASSERT_EQ(RunCalculation(5, name, host).status, RunStatus::Completed);
    ASSERT_EQ(RunCalculation(1, name, host).status, RunStatus::Completed);

    const auto calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 3u);
    // The worm module finds in slot 1 what the internal gear module left;
    // the next gear run finds the worm's text in slot 1 and the older one in slot 2.
    EXPECT_EQ(recordField(calls[1], "in1"), "recorded by TrnRun_CylInt");
    EXPECT_EQ(recordField(calls[2], "in1"), "recorded by TrnRun_Worm");
    EXPECT_EQ(recordField(calls[2], "in2"), "recorded by TrnRun_CylInt");
    // An empty file name arrives as an empty text, not as a null address.
    EXPECT_EQ(recordField(calls[0], "name"), "");
}

TEST(ModuleRunner, EveryRunLoadsAndUnloadsTheModule)
{
    testsupport::RecordFile record;
    const auto host = hostIn(testsupport::fixtureDir("recording"));
    char name[TRN_MAX_PATH] = "a.chai_rol_dat";

    ASSERT_EQ(RunCalculation(6, name, host).status, RunStatus::Completed);
    ASSERT_EQ(RunCalculation(6, name, host).status, RunStatus::Completed);

    const std::vector<std::string> expected = {"load trn_chain", "call", "unload trn_chain",
                                               "load trn_chain", "call", "unload trn_chain"};
    const auto lines = record.lines();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u) << lines[i];
    }
}

TEST(ModuleRunner, TheFlagOfTheEntryPointIsReturned)
{
    testsupport::RecordFile record;
    setenv("TRN_RECORD_FLAG", "0", 1);
    char name[TRN_MAX_PATH] = "";
    const auto outcome = RunCalculation(7, name, hostIn(testsupport::fixtureDir("recording")));
    unsetenv("TRN_RECORD_FLAG");
    EXPECT_EQ(outcome.status, RunStatus::Completed);
    EXPECT_EQ(outcome.flag, 0);
    EXPECT_EQ(launcher::exitStatusFor(outcome.status), 0);
}

TEST(ModuleRunner, AnOutOfRangeNumberDoesNothing)
{
    testsupport::RecordFile record;
    char name[TRN_MAX_PATH] = "";
    for (int number : {0, 9, -3}) {
        EXPECT_EQ(RunCalculation(number, name, hostIn(testsupport::fixtureDir("recording"))).status,
                  RunStatus::NoSuchModule);
    }
    EXPECT_TRUE(record.lines().empty());
}

TEST(ModuleRunner, AMissingEntryPointIsReportedAndTheLibraryUnloaded)
{
    testsupport::RecordFile record;
    char name[TRN_MAX_PATH] = "";
    const auto outcome = RunCalculation(5, name, hostIn(testsupport::fixtureDir("no_entry")));
    EXPECT_EQ(outcome.status, RunStatus::EntryPointMissing);
    EXPECT_EQ(launcher::exitStatusFor(outcome.status), 4);
    EXPECT_NE(outcome.message.find("no_entry/trn_worm.so"), std::string::npos) << outcome.message;
    EXPECT_NE(outcome.message.find("TrnRun_Worm"), std::string::npos) << outcome.message;
    EXPECT_EQ(record.lines(), (std::vector<std::string>{"load trn_worm", "unload trn_worm"}));
}

TEST(ModuleRunner, LibrariesThatCannotBeLoadedSayWhyAndNameTheFile)
{
    char name[TRN_MAX_PATH] = "";

    const auto unresolved = RunCalculation(6, name, hostIn(testsupport::fixtureDir("unresolved")));
    EXPECT_EQ(unresolved.status, RunStatus::LibraryNotLoadable);
    EXPECT_NE(unresolved.message.find("unresolved/trn_chain.so"), std::string::npos)
        << unresolved.message;
    EXPECT_NE(unresolved.message.find("trn_fixture_symbol_nobody_defines"), std::string::npos)
        << unresolved.message;

    const auto notLibrary = RunCalculation(7, name, hostIn(testsupport::fixtureDir("not_library")));
    EXPECT_EQ(notLibrary.status, RunStatus::LibraryNotLoadable);
    EXPECT_NE(notLibrary.message.find("not_library/trn_vbelt.so"), std::string::npos)
        << notLibrary.message;

    EXPECT_TRUE(notLibrary.besideLauncher);

    testsupport::TempDir empty;
    const auto missing = RunCalculation(8, name, hostIn(empty.dirWithSlash()));
    EXPECT_EQ(missing.status, RunStatus::LibraryNotFound);
    EXPECT_FALSE(missing.besideLauncher) << "left to the system's search";
    EXPECT_NE(missing.message.find("trn_tbelt.so"), std::string::npos) << missing.message;
    for (const auto& outcome : {unresolved, notLibrary, missing}) {
        EXPECT_EQ(launcher::exitStatusFor(outcome.status), 3);
    }
}

TEST(ModuleRunner, TheCurrentDirectoryIsNeverSearched)
{
    testsupport::RecordFile record;
    testsupport::TempDir programDir;
    const testsupport::CurrentDirectory inFixtures(testsupport::fixtureDir("recording"));
    char name[TRN_MAX_PATH] = "";
    const auto outcome = RunCalculation(1, name, hostIn(programDir.dirWithSlash()));

    EXPECT_EQ(outcome.status, RunStatus::LibraryNotFound) << outcome.message;
    EXPECT_TRUE(record.lines().empty());
}

TEST(ModuleRunner, AnErrorRaisedByTheModuleReachesTheCallerAndLeavesItLoaded)
{
    testsupport::RecordFile record;
    setenv("TRN_RECORD_THROW", "1", 1);
    char name[TRN_MAX_PATH] = "";
    EXPECT_THROW(RunCalculation(3, name, hostIn(testsupport::fixtureDir("recording"))),
                 std::runtime_error);
    unsetenv("TRN_RECORD_THROW");
    EXPECT_TRUE(record.linesStartingWith("unload ").empty());
}

TEST(RunKind, TheNameGoesInABufferOfItsOwnAndIsNeverShortened)
{
    testsupport::RecordFile record;
    const auto host = hostIn(testsupport::fixtureDir("recording"));
    const std::string longest = "/" + std::string(launcher::MaxDataFileNameLength - 1, 'n');
    const auto fits = launcher::runKind(5, longest, host);
    EXPECT_EQ(fits.status, RunStatus::Completed) << fits.message;
    EXPECT_TRUE(fits.besideLauncher);

    const auto tooLong = launcher::runKind(5, longest + "x", host);
    EXPECT_EQ(tooLong.status, RunStatus::DataFileNameTooLong);
    EXPECT_EQ(launcher::exitStatusFor(tooLong.status), 2);
    EXPECT_NE(tooLong.message.find(longest + "x"), std::string::npos) << "the name is given whole";

    EXPECT_EQ(launcher::runKind(8, "", host).status, RunStatus::NoSuchModule);
    EXPECT_EQ(launcher::runKind(-1, "", host).status, RunStatus::NoSuchModule);

    const auto calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 1u) << "only the name that fits reaches the module";
    EXPECT_EQ(recordField(calls[0], "name"), testsupport::hexOf(longest));
}

TEST(RunKind, AnErrorRaisedByTheModuleIsCaughtNamedAndLeavesItLoaded)
{
    testsupport::RecordFile record;
    setenv("TRN_RECORD_THROW", "1", 1);
    // The same module as the test above that lets the error through: it
    // stays loaded either way.
    const auto outcome = launcher::runKind(2, "", hostIn(testsupport::fixtureDir("recording")));
    unsetenv("TRN_RECORD_THROW");
    EXPECT_EQ(outcome.status, RunStatus::ModuleRaisedError);
    EXPECT_EQ(launcher::exitStatusFor(outcome.status), 1);
    EXPECT_TRUE(outcome.besideLauncher);
    EXPECT_EQ(outcome.message, "module " + outcome.libraryPath +
                                   " raised an error in TrnRun_BevSpir: calculation failed in "
                                   "TrnRun_BevSpir");
    EXPECT_NE(outcome.libraryPath.find("recording/trn_bevspir.so"), std::string::npos);
    EXPECT_EQ(record.linesStartingWith("call ").size(), 1u);
    EXPECT_TRUE(record.linesStartingWith("unload ").empty());
}
