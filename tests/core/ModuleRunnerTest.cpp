// The module runner against the fixture modules, run by the Linux build and,
// against the same modules built as __stdcall DLLs, under Wine. What only
// Windows has (the system's search from the program's folder) is in
// tests/wine/Win32ModuleRunnerTest.cpp.
#include "launcher/ModuleRunner.h"

#include "FixtureRecord.h"
#include "launcher/CalculationKinds.h"
#include "launcher/Paths.h"
#include "platform/Library.h"

#include <cstdint>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

using launcher::RunStatus;
using testsupport::fixtureDir;
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

// The module file `base` of the fixture set `set`, as the runner names it.
std::string fixtureModule(const std::string& set, const std::string& base)
{
    return fixtureDir(set) + base + platform::librarySuffix();
}

bool holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

#ifdef _WIN32
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
#else
void scrubStack() {}
#endif

// A module that raised an error stays loaded. Under Wine every test of the
// program shares one process: it is then unloaded for the tests that follow,
// whose records would otherwise miss its loading.
void expectStillLoaded([[maybe_unused]] const std::string& base)
{
#ifdef _WIN32
    HMODULE stillLoaded = GetModuleHandleA((base + platform::librarySuffix()).c_str());
    EXPECT_NE(stillLoaded, nullptr) << base;
    if (stillLoaded != nullptr) {
        FreeLibrary(stillLoaded);
    }
#endif
}

} // namespace

TEST(ModuleRunner, EachFormGetsExactlyItsOwnArguments)
{
    testsupport::RecordFile record;
    const auto host = hostIn(fixtureDir("recording"));
    const std::string dataFile = launcher::nativePathStyle() == launcher::PathStyle::Windows
                                     ? "C:\\data\\x.dat"
                                     : "/data/x.dat";

    for (int number = 1; number <= 8; ++number) {
        scrubStack();
        const auto outcome = launcher::RunCalculation(number, dataFile, host);
        ASSERT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
        EXPECT_EQ(outcome.flag, 1);
        ASSERT_NE(outcome.kind, nullptr);
        EXPECT_EQ(outcome.kind, &launcher::CalculationKinds[static_cast<std::size_t>(number - 1)]);
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
        EXPECT_EQ(recordField(calls[i], "name"), testsupport::hexOf(dataFile));
        EXPECT_EQ(recordField(calls[i], "slot1"), i < 5 ? slot1 : "(nil)");
        EXPECT_EQ(recordField(calls[i], "slot2"), i < 4 ? slot2 : "(nil)");
#if DERIZE_CHECKED_CALL
        // One argument too many would lie just beyond the entry point's own:
        // the address of the result slot that follows the form's last one.
        // A runner that calls form B as A, or C as B, puts it there every
        // time; this catches it should the runner come back unharmed from
        // the corrupted stack (a crash ends the program with status 3, see
        // tests/wine/UnhandledExceptionExit.cpp).
        const std::string beyond = recordField(calls[i], "beyond");
        EXPECT_TRUE(beyond.rfind("0x", 0) == 0 || beyond == "(nil)") << "no word recorded";
        EXPECT_NE(beyond, slot1);
        EXPECT_NE(beyond, slot2);
#endif
    }
}

TEST(ModuleRunner, SlotsKeepWhatAnEarlierRunStored)
{
    testsupport::RecordFile record;
    const auto host = hostIn(fixtureDir("recording"));

    for (int number : {2, 5, 1}) {
        ASSERT_EQ(launcher::RunCalculation(number, "", host).status, RunStatus::Completed);
    }

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

TEST(ModuleRunner, EveryRunLoadsAndUnloadsTheModuleAndReturnsItsFlag)
{
    testsupport::RecordFile record;
    const auto host = hostIn(fixtureDir("recording"));
    const char* name = "a.chai_rol_dat";

    ASSERT_EQ(launcher::RunCalculation(6, name, host).status, RunStatus::Completed);
    testsupport::setVariable("TRN_RECORD_FLAG", "0");
    const auto outcome = launcher::RunCalculation(6, name, host);
    testsupport::setVariable("TRN_RECORD_FLAG", nullptr);
    EXPECT_EQ(outcome.status, RunStatus::Completed);
    EXPECT_EQ(outcome.flag, 0);
    EXPECT_EQ(launcher::exitStatusFor(outcome.status), 0) << "whatever the flag";

    const std::vector<std::string> expected = {"load trn_chain", "call", "unload trn_chain",
                                               "load trn_chain", "call", "unload trn_chain"};
    const auto lines = record.lines();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u) << lines[i];
    }
}

TEST(ModuleRunner, AnOutOfRangeNumberDoesNothing)
{
    testsupport::RecordFile record;
    for (int number : {0, 9, -3}) {
        const auto outcome = launcher::RunCalculation(number, "", hostIn(fixtureDir("recording")));
        EXPECT_EQ(outcome.status, RunStatus::NoSuchModule);
        EXPECT_EQ(outcome.kind, nullptr);
    }
    EXPECT_TRUE(record.lines().empty());
}

TEST(ModuleRunner, AMissingEntryPointIsReportedAndTheLibraryUnloaded)
{
    testsupport::RecordFile record;
    const auto outcome = launcher::RunCalculation(5, "", hostIn(fixtureDir("no_entry")));
    EXPECT_EQ(outcome.status, RunStatus::EntryPointMissing);
    EXPECT_EQ(launcher::exitStatusFor(outcome.status), 4);
    EXPECT_EQ(outcome.message, "module " + fixtureModule("no_entry", "trn_worm") +
                                   " does not export the entry point TrnRun_Worm");
    EXPECT_EQ(record.lines(), (std::vector<std::string>{"load trn_worm", "unload trn_worm"}));
}

TEST(ModuleRunner, LibrariesThatCannotBeLoadedSayWhyAndNameTheFile)
{

    const auto unresolved = launcher::RunCalculation(6, "", hostIn(fixtureDir("unresolved")));
    EXPECT_EQ(unresolved.status, RunStatus::LibraryNotLoadable);
    // The loader's own reason names the missing symbol on Linux; on Windows
    // its code is the one for a missing module, and the line names the DLL
    // that the module's import table asks for instead.
#ifdef _WIN32
    EXPECT_EQ(unresolved.message, "module " + fixtureModule("unresolved", "trn_chain") +
                                      " needs trn_fixture_dependency.dll, which was not found");
    EXPECT_EQ(unresolved.missingImport, "trn_fixture_dependency.dll");
    EXPECT_TRUE(holds(unresolved.loaderMessage, "error 126")) << unresolved.loaderMessage;
#else
    EXPECT_TRUE(holds(unresolved.message,
                      "cannot load module " + fixtureModule("unresolved", "trn_chain") + ": "))
        << unresolved.message;
    EXPECT_EQ(unresolved.missingImport, "");
    EXPECT_TRUE(holds(unresolved.message, "trn_fixture_symbol_nobody_defines"))
        << unresolved.message;
#endif

    const auto notLibrary = launcher::RunCalculation(7, "", hostIn(fixtureDir("not_library")));
    EXPECT_EQ(notLibrary.status, RunStatus::LibraryNotLoadable);
    EXPECT_TRUE(holds(notLibrary.message, fixtureModule("not_library", "trn_vbelt")))
        << notLibrary.message;
#ifdef _WIN32
    EXPECT_TRUE(holds(notLibrary.message, "error 193")) << notLibrary.message;
#endif
    EXPECT_TRUE(notLibrary.besideLauncher);

    testsupport::TempDir empty;
    const auto missing = launcher::RunCalculation(8, "", hostIn(empty.dirWithSlash()));
    EXPECT_EQ(missing.status, RunStatus::LibraryNotFound);
    EXPECT_FALSE(missing.besideLauncher) << "left to the system's search";
    EXPECT_TRUE(holds(missing.message, std::string("module trn_tbelt") + platform::librarySuffix() +
                                           " not found in " + empty.dirWithSlash()))
        << missing.message;
    for (const auto& outcome : {unresolved, notLibrary, missing}) {
        EXPECT_EQ(launcher::exitStatusFor(outcome.status), 3);
    }
}

TEST(ModuleRunner, TheCurrentDirectoryIsNeverSearched)
{
    testsupport::RecordFile record;
    testsupport::TempDir programDir;
    const testsupport::CurrentDirectory inFixtures(fixtureDir("recording"));
    const auto outcome = launcher::RunCalculation(1, "", hostIn(programDir.dirWithSlash()));

    EXPECT_EQ(outcome.status, RunStatus::LibraryNotFound) << outcome.message;
    EXPECT_TRUE(record.lines().empty());
}

#if defined(__i386__) || defined(__x86_64__)
TEST(ModuleRunner, WhatAModuleDoesToTheFloatingPointUnitIsUndone)
{
    const auto units = [] {
        unsigned short controlWord = 0;
        unsigned int mxcsr = 0;
        __asm__ volatile("fnstcw %0" : "=m"(controlWord));
        __asm__ volatile("stmxcsr %0" : "=m"(mxcsr));
        // MXCSR's control bits, without its exception flags.
        return std::pair<unsigned, unsigned>(controlWord, mxcsr & ~0x3Fu);
    };
    const auto before = units();
    // In the entry point, and as the library is loaded; a module runs with
    // what its own start-up code set.
    for (const char* when : {"1", "load"}) {
        SCOPED_TRACE(when);
        testsupport::RecordFile record;
        testsupport::setVariable("TRN_RECORD_FPU", when);
        const auto outcome = launcher::RunCalculation(1, "", hostIn(fixtureDir("recording")));
        testsupport::setVariable("TRN_RECORD_FPU", nullptr);
        ASSERT_EQ(outcome.status, RunStatus::Completed) << outcome.message;
        EXPECT_EQ(units(), before)
            << std::hex << "x87 control word " << units().first << ", MXCSR " << units().second;
        const auto calls = record.linesStartingWith("call ");
        ASSERT_EQ(calls.size(), 1u);
        // The exception masks (the low six bits): 0x32 as the module set them.
        const unsigned long seen = std::stoul(recordField(calls[0], "fpu"), nullptr, 16);
        EXPECT_EQ((seen & 0x3F) == 0x32, std::string(when) == "load") << calls[0];
    }
    // The launcher's own arithmetic goes on as before: no trap.
    volatile double zero = 0.0;
    EXPECT_TRUE(1.0 / zero > 1e308);
}
#endif

TEST(ModuleRunner, TheNameGoesInABufferOfItsOwnAndIsNeverShortened)
{
    testsupport::RecordFile record;
    const auto host = hostIn(fixtureDir("recording"));
    const std::string longest = "/" + std::string(launcher::MaxDataFileNameLength - 1, 'n');
    const auto fits = launcher::RunCalculation(6, longest, host);
    EXPECT_EQ(fits.status, RunStatus::Completed) << fits.message;
    EXPECT_TRUE(fits.besideLauncher);

    const auto tooLong = launcher::RunCalculation(6, longest + "x", host);
    EXPECT_EQ(tooLong.status, RunStatus::DataFileNameTooLong);
    EXPECT_EQ(tooLong.kind, &launcher::CalculationKinds[5]);
    EXPECT_EQ(launcher::exitStatusFor(tooLong.status), 2);
    EXPECT_TRUE(holds(tooLong.message, longest + "x")) << "the name is given whole";

    const auto calls = record.linesStartingWith("call ");
    ASSERT_EQ(calls.size(), 1u) << "only the name that fits reaches the module";
    EXPECT_EQ(recordField(calls[0], "name"), testsupport::hexOf(longest));
}

TEST(ModuleRunner, AnErrorRaisedByTheModuleIsCaughtNamedAndLeavesItLoaded)
{
    testsupport::RecordFile record;
    testsupport::setVariable("TRN_RECORD_THROW", "1");
    const auto outcome = launcher::RunCalculation(3, "", hostIn(fixtureDir("recording")));
    testsupport::setVariable("TRN_RECORD_THROW", nullptr);
    EXPECT_EQ(outcome.status, RunStatus::ModuleRaisedError);
    EXPECT_EQ(outcome.kind, &launcher::CalculationKinds[2]);
    EXPECT_EQ(outcome.flag, 0);
    EXPECT_EQ(launcher::exitStatusFor(outcome.status), 1);
    EXPECT_TRUE(outcome.besideLauncher);
    EXPECT_EQ(outcome.libraryPath, fixtureModule("recording", "trn_bevspir"));
    EXPECT_EQ(outcome.message, "module " + outcome.libraryPath +
                                   " raised an error in TrnRun_BevSpir: calculation failed in "
                                   "TrnRun_BevSpir");
    EXPECT_EQ(record.linesStartingWith("call ").size(), 1u);
    EXPECT_TRUE(record.linesStartingWith("unload ").empty());
    expectStillLoaded("trn_bevspir");
}
