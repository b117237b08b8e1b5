// The start-up rules with the values a Windows process really gets: its
// own path, its current directory (also at a drive root) and the module
// file names.
#include "FixtureRecord.h"
#include "launcher/CalculationKinds.h"
#include "launcher/CommandLine.h"
#include "launcher/Paths.h"
#include "platform/Process.h"

#include <gtest/gtest.h>

using launcher::nativePathStyle;
using launcher::PathStyle;

TEST(WindowsStartup, ModulesAreTheDllsOfTheKindTable)
{
    EXPECT_EQ(nativePathStyle(), PathStyle::Windows);
    EXPECT_EQ(launcher::moduleFileName(launcher::CalculationKinds[4]), "trn_worm.dll");
    for (const launcher::CalculationKind& kind : launcher::CalculationKinds) {
        EXPECT_EQ(launcher::moduleFileName(kind), std::string(kind.libraryName) + ".dll");
    }
}

TEST(WindowsStartup, ProgramDirIsTheExecutablesFolderWithABackslash)
{
    const std::string executable = platform::executablePath();
    const std::string programDir =
        launcher::programDirFromExecutable(executable, nativePathStyle());
    ASSERT_FALSE(programDir.empty()) << executable;
    EXPECT_EQ(programDir.back(), '\\');
    EXPECT_EQ(programDir + "wine_tests.exe", executable);
}

TEST(WindowsStartup, ABareNameAtADriveRootGetsTwoBackslashes)
{
    testsupport::CurrentDirectory atRoot("C:\\");
    const auto request = launcher::parseCommandLine("x.gear_exc_dat", platform::currentDirectory(),
                                                    nativePathStyle());
    EXPECT_TRUE(request.autoRun);
    EXPECT_EQ(request.kindIndex, 0);
    EXPECT_EQ(request.dataFileName, "C:\\\\x.gear_exc_dat");
}

TEST(WindowsStartup, OnlyABackslashMakesANameKeepItsPlace)
{
    testsupport::TempDir folder;
    testsupport::CurrentDirectory inFolder(folder.path());
    const std::string cwd = folder.path().string();
    const auto current = platform::currentDirectory();

    EXPECT_EQ(
        launcher::parseCommandLine("x.toothedbelt_dat", current, nativePathStyle()).dataFileName,
        cwd + "\\x.toothedbelt_dat");
    // A drive prefix without a backslash, or forward slashes, still get the
    // current directory put in front.
    EXPECT_EQ(
        launcher::parseCommandLine("D:x.gear_exc_dat", current, nativePathStyle()).dataFileName,
        cwd + "\\D:x.gear_exc_dat");
    EXPECT_EQ(
        launcher::parseCommandLine("sub/x.gear_exc_dat", current, nativePathStyle()).dataFileName,
        cwd + "\\sub/x.gear_exc_dat");
    const auto relative =
        launcher::parseCommandLine("sub\\x.toothedbelt_dat", current, nativePathStyle());
    EXPECT_EQ(relative.kindIndex, 7);
    EXPECT_EQ(relative.dataFileName, "sub\\x.toothedbelt_dat");
}
