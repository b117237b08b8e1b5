#include "launcher/Paths.h"

#include "launcher/CommandLine.h"
#include "platform/Process.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using launcher::PathStyle;

constexpr PathStyle Win = PathStyle::Windows;
constexpr PathStyle Posix = PathStyle::Posix;

TEST(ProgramDir, EndsInOneSeparatorAndARootKeepsItsOwn)
{
    const std::tuple<const char*, PathStyle, const char*> cases[] = {
        {"C:\\tools\\prog.exe", Win, "C:\\tools\\"},
        {"C:\\a\\b\\prog.exe", Win, "C:\\a\\b\\"},
        {"C:\\prog.exe", Win, "C:\\"},
        {"/opt/derize/derize-zizir", Posix, "/opt/derize/"},
        {"/derize-zizir", Posix, "/"},
    };
    for (const auto& [executable, style, dir] : cases) {
        EXPECT_EQ(launcher::programDirFromExecutable(executable, style), dir) << executable;
    }
}

TEST(DataFileName, ABareNameGoesIntoTheCurrentDirectoryOneWithTheSeparatorIsKept)
{
    const std::tuple<const char*, std::optional<std::string>, PathStyle, const char*> cases[] = {
        {"x.toothedbelt_dat", "/home/d", Posix, "/home/d/x.toothedbelt_dat"},
        {"x.gear_exc_dat", "/", Posix, "/x.gear_exc_dat"},
        {"x.toothedbelt_dat", "D:\\data", Win, "D:\\data\\x.toothedbelt_dat"},
        // At a Windows drive root the backslash is put in front all the same.
        {"x.gear_exc_dat", "C:\\", Win, "C:\\\\x.gear_exc_dat"},
        {"sub/x.gear_exc_dat", "/home/d", Posix, "sub/x.gear_exc_dat"},
        {"sub\\x.gear_exc_dat", "D:\\data", Win, "sub\\x.gear_exc_dat"},
        {"/x.gear_exc_dat", std::nullopt, Posix, "/x.gear_exc_dat"},
        // Only the platform's own separator counts; a drive letter is none.
        {"sub/x.gear_exc_dat", "D:\\data", Win, "D:\\data\\sub/x.gear_exc_dat"},
        {"D:x.gear_exc_dat", "C:\\w", Win, "C:\\w\\D:x.gear_exc_dat"},
    };
    for (const auto& [argument, cwd, style, expected] : cases) {
        EXPECT_EQ(launcher::dataFileNameForArgument(argument, cwd, style), expected)
            << argument << " in " << cwd.value_or("(no current directory)");
    }
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

TEST(CommandLine, WindowsCommandLineSplitsOnBlanksAndControlsQuotesGroupAndAreDropped)
{
    using Words = std::vector<std::string>;
    const std::pair<std::string, Words> cases[] = {
        {"prog.exe", {"prog.exe"}},
        {"\"C:\\Program Files\\d\\derize-zizir.exe\" x.gear_exc_dat",
         {"C:\\Program Files\\d\\derize-zizir.exe", "x.gear_exc_dat"}},
        // Tabs and other control characters separate, as blanks do.
        {"prog\ta\x01"
         "b \r\n c  ",
         {"prog", "a", "b", "c"}},
        // Quotes group a stretch anywhere in a word and are dropped.
        {"prog \"My Box\".gear_exc_dat a\"b c\"d", {"prog", "My Box.gear_exc_dat", "ab cd"}},
        // A pair of quotes standing alone is no word; an open quote runs to the end.
        {"prog \"\" \"\"  x", {"prog", "x"}},
        {"prog \"a b", {"prog", "a b"}},
        // Bytes of 0x80 and above (Windows-1251 letters) and DEL are kept.
        {"prog \xCA\xEE\xF0\x7F.gear_exc_dat", {"prog", "\xCA\xEE\xF0\x7F.gear_exc_dat"}},
        {"", {}},
    };
    for (const auto& [line, words] : cases) {
        EXPECT_EQ(launcher::splitCommandLine(line), words) << line;
    }
    EXPECT_EQ(launcher::firstArgumentOfCommandLine("prog a.gear_exc_dat b.worm_cyl_dat"),
              "a.gear_exc_dat");
    EXPECT_EQ(launcher::firstArgumentOfCommandLine("\"prog\" \"\""), std::nullopt);
}

TEST(CommandLine, ArgumentOneIsTheFirstThatIsNotEmpty)
{
    const char* const onlyEmpty[] = {"derize-zizir", "", ""};
    EXPECT_EQ(launcher::firstArgument(3, onlyEmpty), std::nullopt);
    EXPECT_EQ(launcher::firstArgument(1, onlyEmpty), std::nullopt);
    const char* const skipped[] = {"derize-zizir", "", "x.gear_exc_dat", "notes.txt"};
    EXPECT_EQ(launcher::firstArgument(4, skipped), "x.gear_exc_dat");
}

TEST(LibraryPath, EntriesThatLeadToTheCurrentFolderAreDropped)
{
    const std::tuple<const char*, std::optional<std::string>> cases[] = {
        {"/usr/lib:/opt/lib", std::nullopt},
        {"$ORIGIN/lib:${ORIGIN}", std::nullopt},
        {"", std::nullopt}, // an empty variable is not read at all
        {".", std::string()},
        {"/usr/lib:", std::string("/usr/lib")},
        {":/usr/lib", std::string("/usr/lib")},
        {"a::b", std::string()},
        {"/usr/lib;lib;/opt/lib", std::string("/usr/lib:/opt/lib")},
        {"$LIB:$ORIGINAL:/x", std::string("/x")},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(platform::libraryPathWithoutRelativeEntries(value), expected) << value;
    }
}
