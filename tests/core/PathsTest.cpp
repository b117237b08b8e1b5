#include "launcher/Paths.h"

#include "launcher/CommandLine.h"

#include <gtest/gtest.h>

using launcher::PathStyle;

TEST(ProgramDir, WindowsFolderGetsABackslashAndADriveRootKeepsItsOwn)
{
    EXPECT_EQ(launcher::programDirFromExecutable("C:\\tools\\prog.exe", PathStyle::Windows),
              "C:\\tools\\");
    EXPECT_EQ(launcher::programDirFromExecutable("C:\\prog.exe", PathStyle::Windows), "C:\\");
    EXPECT_EQ(launcher::programDirFromExecutable("C:\\a\\b\\prog.exe", PathStyle::Windows),
              "C:\\a\\b\\");
}

TEST(ProgramDir, PosixFolderEndsInASlashAndTheRootIsNotDoubled)
{
    EXPECT_EQ(launcher::programDirFromExecutable("/opt/derize/derize-zizir", PathStyle::Posix),
              "/opt/derize/");
    EXPECT_EQ(launcher::programDirFromExecutable("/derize-zizir", PathStyle::Posix), "/");
}

TEST(DataFileName, ABareNameIsPutInTheCurrentDirectory)
{
    EXPECT_EQ(launcher::dataFileNameForArgument("x.toothedbelt_dat", std::string("/home/d"),
                                                PathStyle::Posix),
              "/home/d/x.toothedbelt_dat");
    EXPECT_EQ(
        launcher::dataFileNameForArgument("x.gear_exc_dat", std::string("/"), PathStyle::Posix),
        "/x.gear_exc_dat");
    EXPECT_EQ(launcher::dataFileNameForArgument("x.toothedbelt_dat", std::string("D:\\data"),
                                                PathStyle::Windows),
              "D:\\data\\x.toothedbelt_dat");
    // At a Windows drive root the backslash is put in front all the same.
    EXPECT_EQ(launcher::dataFileNameForArgument("x.gear_exc_dat", std::string("C:\\"),
                                                PathStyle::Windows),
              "C:\\\\x.gear_exc_dat");
}

TEST(DataFileName, ANameWithASeparatorIsPassedOnUnchanged)
{
    EXPECT_EQ(launcher::dataFileNameForArgument("sub/x.gear_exc_dat", std::string("/home/d"),
                                                PathStyle::Posix),
              "sub/x.gear_exc_dat");
    EXPECT_EQ(launcher::dataFileNameForArgument("sub\\x.gear_exc_dat", std::string("D:\\data"),
                                                PathStyle::Windows),
              "sub\\x.gear_exc_dat");
    // Only the platform's own separator counts.
    EXPECT_EQ(launcher::dataFileNameForArgument("sub/x.gear_exc_dat", std::string("D:\\data"),
                                                PathStyle::Windows),
              "D:\\data\\sub/x.gear_exc_dat");
    EXPECT_EQ(launcher::dataFileNameForArgument("D:x.gear_exc_dat", std::string("C:\\w"),
                                                PathStyle::Windows),
              "C:\\w\\D:x.gear_exc_dat");
    EXPECT_EQ(launcher::dataFileNameForArgument("/x.gear_exc_dat", std::nullopt, PathStyle::Posix),
              "/x.gear_exc_dat");
}

TEST(CommandLine, NoArgumentOrAnUnknownOneStaysInteractive)
{
    auto none = launcher::parseCommandLine(std::nullopt, std::string("/d"), PathStyle::Posix);
    EXPECT_FALSE(none.autoRun);
    EXPECT_EQ(none.kindIndex, -1);

    auto unknown = launcher::parseCommandLine("notes.txt", std::string("/d"), PathStyle::Posix);
    EXPECT_FALSE(unknown.autoRun);
    EXPECT_EQ(unknown.kindIndex, -1);
    EXPECT_TRUE(unknown.dataFileName.empty());
    EXPECT_TRUE(unknown.error.empty());
}

TEST(CommandLine, AKnownDataFileStartsAutomaticModeWithItsFullName)
{
    auto request =
        launcher::parseCommandLine("x.worm_cyl_dat", std::string("/home/d"), PathStyle::Posix);
    EXPECT_TRUE(request.autoRun);
    EXPECT_EQ(request.kindIndex, 4);
    EXPECT_EQ(request.dataFileName, "/home/d/x.worm_cyl_dat");
    EXPECT_TRUE(request.error.empty());
}

TEST(CommandLine, ANameLongerThanTheModuleBufferIsRefusedNotShortened)
{
    const std::string dir = "/d";
    // "/d/" + name: 259 bytes fit, 260 do not.
    const std::string ext = ".gear_exc_dat";
    const std::string fits(259 - dir.size() - 1 - ext.size(), 'a');
    const std::string tooLong(fits.size() + 1, 'a');

    auto ok = launcher::parseCommandLine(fits + ext, dir, PathStyle::Posix);
    EXPECT_TRUE(ok.error.empty());
    EXPECT_EQ(ok.dataFileName.size(), 259u);

    auto refused = launcher::parseCommandLine(tooLong + ext, dir, PathStyle::Posix);
    EXPECT_TRUE(refused.autoRun);
    EXPECT_TRUE(refused.dataFileName.empty());
    EXPECT_NE(refused.error.find("260 bytes"), std::string::npos) << refused.error;

    auto noCwd = launcher::parseCommandLine("x.gear_exc_dat", std::nullopt, PathStyle::Posix);
    EXPECT_TRUE(noCwd.autoRun);
    EXPECT_FALSE(noCwd.error.empty());
}
