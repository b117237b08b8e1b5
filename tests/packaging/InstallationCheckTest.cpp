#include "InstallationCheck.h"

#include "FixtureRecord.h"
#include "TranslatorKit.h"
#include "launcher/CalculationKinds.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/wait.h>

namespace fs = std::filesystem;
using launcher::RunStatus;

namespace {

void copyModule(const std::string& set, const std::string& library, const fs::path& dir)
{
    fs::copy_file(testsupport::fixtureDir(set) + library + ".so", dir / (library + ".so"),
                  fs::copy_options::overwrite_existing);
}

// A program folder with every recording module except those listed.
void fillWithRecordingModules(const fs::path& dir, const std::vector<std::string>& except = {})
{
    for (const auto& entry : fs::directory_iterator(testsupport::fixtureDir("recording"))) {
        const std::string library = entry.path().stem().string();
        if (std::find(except.begin(), except.end(), library) == except.end()) {
            copyModule("recording", library, dir);
        }
    }
}

struct ProgramRun
{
    int status = -1;
    std::string output;
};

// Runs a shell command line, its standard error joined to its output.
ProgramRun runCommand(const std::string& commandLine)
{
    ProgramRun run;
    const std::string command = commandLine + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        run.output.append(buffer.data(), n);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// The run's output holds `part`.
void expectOutputHolds(const ProgramRun& run, const std::string& part)
{
    EXPECT_NE(run.output.find(part), std::string::npos) << "no \"" << part << "\" in:\n"
                                                        << run.output;
}

} // namespace

TEST(InstallationCheck, EveryModuleReadyIsProbedWithoutBeingCalled)
{
    testsupport::TempDir dir;
    fillWithRecordingModules(dir.path());
    testsupport::RecordFile record;

    const auto report = check::checkInstallation(dir.dirWithSlash(), "RUS");

    ASSERT_EQ(report.modules.size(), launcher::KindCount);
    for (const auto& module : report.modules) {
        SCOPED_TRACE(module.fileName);
        EXPECT_TRUE(module.ready()) << module.message;
        EXPECT_TRUE(module.besideLauncher);
        EXPECT_EQ(module.libraryPath, dir.dirWithSlash() + module.fileName);
    }
    EXPECT_TRUE(report.allModulesReady());
    EXPECT_TRUE(record.linesStartingWith("call ").empty())
        << "the check must never call an entry point";
    EXPECT_EQ(record.linesStartingWith("load ").size(), launcher::KindCount);
    EXPECT_EQ(record.linesStartingWith("unload ").size(), launcher::KindCount)
        << "every probed module must be unloaded again";
}

TEST(InstallationCheck, ReportsWhyAModuleIsNotReady)
{
    testsupport::TempDir dir;
    fillWithRecordingModules(dir.path(), {"trn_worm", "trn_chain", "trn_vbelt"});
    copyModule("no_entry", "trn_chain", dir.path());
    fs::copy_file(testsupport::fixtureDir("not_library") + "trn_vbelt.so",
                  dir.path() / "trn_vbelt.so");

    const auto report = check::checkInstallation(dir.dirWithSlash(), "EN");

    const auto& worm = report.modules[4];
    EXPECT_EQ(worm.status, RunStatus::LibraryNotFound);
    EXPECT_FALSE(worm.besideLauncher);
    EXPECT_EQ(worm.libraryPath, "trn_worm.so");
    EXPECT_NE(worm.message.find("trn_worm.so not found in " + dir.dirWithSlash()),
              std::string::npos)
        << worm.message;

    const auto& chain = report.modules[5];
    EXPECT_EQ(chain.status, RunStatus::EntryPointMissing);
    EXPECT_NE(chain.message.find("does not export the entry point TrnRun_Chain"), std::string::npos)
        << chain.message;

    const auto& vbelt = report.modules[6];
    EXPECT_EQ(vbelt.status, RunStatus::LibraryNotLoadable);
    EXPECT_NE(vbelt.message.find(dir.dirWithSlash() + "trn_vbelt.so"), std::string::npos)
        << vbelt.message;

    EXPECT_TRUE(report.modules[7].ready()) << report.modules[7].message;
    EXPECT_FALSE(report.allModulesReady());
}

TEST(InstallationCheck, DictionaryIsReadAsTheLauncherReadsIt)
{
    testsupport::TempDir dir;
    const fs::path path = dir.path() / "Orvanel.Dic";

    auto missing = check::checkDictionary(path.string());
    EXPECT_FALSE(missing.found);

    // Windows-1251, CR LF line ends, one line without its separator.
    std::ofstream(path, std::ios::binary) << "\"\xc7\xe0\xef\xf3\xf1\xea\"=\"Run\"\r\n"
                                             "\"\xc2\xfb\xf5\xee\xe4\"=\"Exit\"\r\n"
                                             "\"no separator\"\r\n";
    auto cp1251 = check::checkDictionary(path.string());
    EXPECT_TRUE(cp1251.found);
    EXPECT_TRUE(cp1251.read) << cp1251.problem;
    EXPECT_EQ(cp1251.encoding, "Windows-1251");
    EXPECT_FALSE(cp1251.byteOrderMark);
    EXPECT_EQ(cp1251.entries, 3u);
    EXPECT_EQ(cp1251.linesWithoutSeparator, 1u);

    // UTF-8 behind a byte-order mark, LF line ends.
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << "\xef\xbb\xbf\"\xd0\x9f\xd1\x83\xd1\x81\xd0\xba\"=\"Run\"\n";
    auto utf8 = check::checkDictionary(path.string());
    EXPECT_EQ(utf8.encoding, "UTF-8");
    EXPECT_TRUE(utf8.byteOrderMark);
    EXPECT_EQ(utf8.entries, 1u);
    EXPECT_EQ(utf8.linesWithoutSeparator, 0u);
}

TEST(InstallationCheckTool, ExitStatusAndReasonsForABrokenFolder)
{
    testsupport::TempDir dir;
    fillWithRecordingModules(dir.path(), {"trn_worm", "trn_chain"});
    copyModule("no_entry", "trn_chain", dir.path());

    std::ofstream(dir.path() / "Orvanel.Dic", std::ios::binary) << "\"a\"=\"b\"\n";

    const auto run = runCommand(std::string("LC_ALL=ru_RU.UTF-8 '") + DERIZE_CHECK_TOOL +
                                "' --program-dir '" + dir.path().string() + "'");

    EXPECT_EQ(run.status, 1) << run.output;
    expectOutputHolds(run, "trn_worm.so (worm_cyl_dat): not found");
    expectOutputHolds(run, "trn_chain.so (chai_rol_dat): entry point missing");
    expectOutputHolds(run, "does not export the entry point TrnRun_Chain");
    expectOutputHolds(run, "6 of 8 modules ready");
    expectOutputHolds(run, "1 entries, 0 lines without separator");
    expectOutputHolds(run, "Copyright notice: Russian (user's language: RUS)");
}

TEST(InstallationCheckTool, AModuleThatEndsTheProcessAsItIsLoadedLeavesTheReportSoFar)
{
    // The check loads each module, so its start-up code runs: one that
    // exits ends the check, which names itself, and what was reported
    // before is out already (standard output is a pipe here).
    testsupport::TempDir dir;
    fillWithRecordingModules(dir.path(), {"trn_worm"});
    copyModule("hostile", "trn_worm", dir.path());
    const auto run = runCommand("TRN_HOSTILE=exit-on-load '" + std::string(DERIZE_CHECK_TOOL) +
                                "' --program-dir '" + dir.path().string() + "'");
    EXPECT_EQ(run.status, 5) << run.output;
    expectOutputHolds(run, "4 trn_bevstr.so (gear_stb_dat): ready");
    expectOutputHolds(run, "derize-zizir-check: module " + dir.dirWithSlash() +
                               "trn_worm.so ended the process while being loaded; "
                               "derize-zizir-check ends with status 5\n");
}

TEST(InstallationCheckTool, LooksBesideItselfAndSucceedsWhenAllAreReady)
{
    // A copy of the tool in a folder of its own finds the modules there,
    // as the installed tool finds those beside the launcher.
    testsupport::TempDir dir;
    fillWithRecordingModules(dir.path());
    const fs::path tool = dir.path() / "derize-zizir-check";
    fs::copy_file(DERIZE_CHECK_TOOL, tool);

    const std::string quoted = "'" + tool.string() + "'";
    const auto run = runCommand("LC_ALL=C " + quoted);

    EXPECT_EQ(run.status, 0) << run.output;
    expectOutputHolds(run, "Program folder: " + dir.dirWithSlash() + "\n");
    expectOutputHolds(run, "8 of 8 modules ready");
    expectOutputHolds(run, "not found: the window keeps its built-in texts");
    EXPECT_NE(run.output.find("the ZEFRAN-DIVIZ developers All rights reserved."),
              std::string::npos)
        << "the English notice is shown when the language is not Russian:\n"
        << run.output;

    const auto help = runCommand(quoted + " --help");
    EXPECT_EQ(help.status, 0);
    expectOutputHolds(help, "Usage: derize-zizir-check");
    EXPECT_EQ(runCommand(quoted + " --bogus").status, 2);
}

TEST(InstallationCheckTool, TextsEndWithTheStatusOfTheTranslationAndOneLineForAnUnreadableFile)
{
    testsupport::TempDir dir;
    const std::string tool = std::string("'") + DERIZE_CHECK_TOOL + "'";
    const auto english =
        runCommand(tool + " --texts --dictionary '" + DERIZE_ENGLISH_DICTIONARY + "'");
    EXPECT_EQ(english.status, 0) << english.output;
    expectOutputHolds(english, "13 of 13 texts translated\n");

    const fs::path oneLine = dir.path() / "one.dic";
    std::ofstream(oneLine, std::ios::binary) << "\"Выполнить\"=\"Run\"\n";
    const auto partly = runCommand(tool + " --texts --dictionary '" + oneLine.string() + "'");
    EXPECT_EQ(partly.status, 1) << partly.output;
    expectOutputHolds(partly, "2 of 13 texts translated, 11 not\n");

    // --dictionary names the file the installation report reads too.
    const auto report = runCommand(tool + " --program-dir '" + dir.path().string() +
                                   "' --dictionary '" + DERIZE_ENGLISH_DICTIONARY + "'");
    expectOutputHolds(report, std::string("Dictionary: ") + DERIZE_ENGLISH_DICTIONARY +
                                  "\n      UTF-8, 12 entries");

    // Beside the tool is where it looks by default, as the launcher does.
    fs::copy_file(DERIZE_CHECK_TOOL, dir.path() / "derize-zizir-check");
    fs::copy_file(DERIZE_ENGLISH_DICTIONARY, dir.path() / "Orvanel.Dic");
    const auto beside =
        runCommand("'" + (dir.path() / "derize-zizir-check").string() + "' --texts");
    EXPECT_EQ(beside.status, 0) << beside.output;
    expectOutputHolds(beside, "Dictionary: " + dir.dirWithSlash() + "Orvanel.Dic\n");

    // No file, a folder, a file nobody may read: one line, status 2.
    fs::create_directory(dir.path() / "folder.dic");
    const fs::path unreadable = dir.path() / "unreadable.dic";
    std::ofstream(unreadable) << "\"a\"=\"b\"\n";
    fs::permissions(unreadable, fs::perms::none);
    const bool rootReadsAnyway = std::ifstream(unreadable).is_open();
    for (const fs::path& path : {dir.path() / "none.dic", dir.path() / "folder.dic", unreadable}) {
        if (path == unreadable && rootReadsAnyway) {
            continue;
        }
        const auto run = runCommand(tool + " --texts --dictionary '" + path.string() + "'");
        EXPECT_EQ(run.status, 2) << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
        EXPECT_EQ(run.output.rfind("derize-zizir-check: ", 0), 0u) << run.output;
        expectOutputHolds(run, path.string());
    }
}

TEST(InstallationCheckTool, TheTemplateGoesToStandardOutputAndAFailedWriteIsNoSuccess)
{
    testsupport::TempDir dir;
    const std::string tool = std::string("'") + DERIZE_CHECK_TOOL + "'";
    const fs::path path = dir.path() / "Orvanel.Dic";
    const auto written = runCommand(tool + " --dictionary-template > '" + path.string() + "'");
    EXPECT_EQ(written.status, 0) << written.output;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, check::dictionaryTemplate(launcher::launcherWindowLookups()).bytes);
    // A translator's script can tell that nothing of it is translated yet.
    const auto fresh = runCommand(tool + " --texts --dictionary '" + path.string() + "'");
    EXPECT_EQ(fresh.status, 1) << fresh.output;
    expectOutputHolds(fresh, "\n0 of 13 texts translated, 13 still as in the source\n");

    const auto full = runCommand("(" + tool + " --dictionary-template > /dev/full)");
    EXPECT_EQ(full.status, 2) << full.output;
    EXPECT_EQ(full.output, "derize-zizir-check: cannot write to standard output\n");

    for (const char* wrong : {" --dictionary-template --texts",
                              " --dictionary-template --dictionary x.dic", " --dictionary"}) {
        EXPECT_EQ(runCommand(tool + wrong).status, 2) << wrong;
    }
}
