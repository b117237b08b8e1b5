// What only Windows has of the module runner: the system's search for a
// bare module name begins with the folder of the running program. The
// cases every platform shares are tests/core/ModuleRunnerTest.cpp, which
// this program runs too.
#include "FixtureRecord.h"
#include "ModuleRuns.h"
#include "launcher/Paths.h"
#include "platform/Process.h"

#include <gtest/gtest.h>
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
    const auto outcome = testsupport::runCalculation(2, name, host);
    DeleteFileA(besideProgram.c_str());

    EXPECT_EQ(outcome.status, launcher::RunStatus::Completed) << outcome.message;
    EXPECT_EQ(outcome.libraryPath, "trn_cylint.dll");
    EXPECT_EQ(record.linesStartingWith("call TrnRun_CylInt").size(), 1u);
}
