// The real derize-zizir, copied into a program folder of its own beside
// fixture modules, started in automatic mode the way a file manager or a
// script starts it: argument bytes, working folder, the dictionary beside
// it and exit status.
#include "FixtureRecord.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using testsupport::hexOf;
using testsupport::recordField;
using testsupport::RecordFile;
using testsupport::TempDir;

namespace {

struct Finished
{
    int status = -1;      // exit status; -1 when it did not exit by itself in time
    int signal = 0;       // the signal that ended it, 0 when it exited
    std::string errors;   // standard error
    bool running = false; // still running when the wait ended (then killed)
};

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Standard error is one line, and it holds `part`.
void expectOneLineWith(const Finished& finished, const std::string& part)
{
    EXPECT_EQ(linesOf(finished.errors).size(), 1u) << finished.errors;
    EXPECT_NE(finished.errors.find(part), std::string::npos) << finished.errors;
}

// A program folder: the launcher and the modules of one fixture set.
class ProgramFolder
{
public:
    explicit ProgramFolder(const std::string& fixtureSet = "recording")
    {
        fs::copy_file(DERIZE_LAUNCHER_EXECUTABLE, executable());
        if (!fixtureSet.empty()) {
            for (const auto& entry : fs::directory_iterator(testsupport::fixtureDir(fixtureSet))) {
                fs::copy_file(entry.path(), m_dir.path() / entry.path().filename());
            }
        }
    }
    fs::path path() const { return m_dir.path(); }
    fs::path executable() const { return m_dir.path() / "derize-zizir"; }

private:
    TempDir m_dir;
};

// Runs `program` with `arguments` (raw bytes) in `workingDir`. Waits up to
// `patience` for it to end; a program still running then is killed. Its
// standard error is captured, or is `errorsFd` when one is given.
Finished run(const fs::path& program, const std::vector<std::string>& arguments,
             const fs::path& workingDir,
             std::chrono::milliseconds patience = std::chrono::seconds(60), int errorsFd = -1)
{
    TempDir output;
    const fs::path errorsFile = output.path() / "stderr";
    // Qt warns on standard error when it has no runtime folder; a desktop
    // session always gives one.
    const fs::path runtimeDir = output.path() / "runtime";
    fs::create_directory(runtimeDir);
    fs::permissions(runtimeDir, fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    std::vector<char*> argv;
    std::string programText = program.string();
    argv.push_back(programText.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (errorsFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, errorsFd, 2);
    } else {
        posix_spawn_file_actions_addopen(&actions, 2, errorsFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, programText.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Finished finished;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return finished;
    }

    const auto deadline = std::chrono::steady_clock::now() + patience;
    int waitStatus = 0;
    while (waitpid(pid, &waitStatus, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            finished.running = true;
            kill(pid, SIGKILL);
            waitpid(pid, &waitStatus, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!finished.running && WIFEXITED(waitStatus)) {
        finished.status = WEXITSTATUS(waitStatus);
    }
    if (!finished.running && WIFSIGNALED(waitStatus)) {
        finished.signal = WTERMSIG(waitStatus);
    }
    finished.errors = readAll(errorsFile);
    return finished;
}

class LauncherExecutable : public testing::Test
{
protected:
    void TearDown() override
    {
        unsetenv("TRN_RECORD_THROW");
        unsetenv("TRN_RECORD_FLAG");
        unsetenv("TRN_HOSTILE");
        unsetenv("LD_LIBRARY_PATH");
    }

    Finished start(const std::string& argument)
    {
        return run(folder.executable(), {argument}, data.path());
    }

    ProgramFolder folder;
    TempDir data; // the working folder
    RecordFile record;
};

TEST_F(LauncherExecutable, WormFileInTheWorkingFolderRunsTheWormModuleWithThreeArguments)
{
    const Finished finished = start("x.worm_cyl_dat");
    EXPECT_EQ(finished.status, 0) << finished.errors;
    EXPECT_EQ(finished.errors, "");
    const std::vector<std::string> lines = record.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "load trn_worm");
    EXPECT_EQ(lines[1].rfind("call TrnRun_Worm form=B ", 0), 0u) << lines[1];
    EXPECT_EQ(recordField(lines[1], "name"), hexOf(data.path().string() + "/x.worm_cyl_dat"));
    EXPECT_NE(recordField(lines[1], "owner"), "(nil)") << "the owner window handle is given";
    EXPECT_NE(recordField(lines[1], "slot1"), "(nil)");
    EXPECT_EQ(recordField(lines[1], "slot2"), "(nil)") << "form B has no fourth argument";
    EXPECT_EQ(lines[2], "unload trn_worm");
}

TEST_F(LauncherExecutable, EveryKindRunsItsEntryPointWithItsFormAndTheNameByThePathRules)
{
    struct Case
    {
        std::string argument;
        std::string expectedName;
        const char* call; // start of the recorded call: entry point and form
    };
    const std::string cwd = data.path().string();
    const Case cases[] = {
        {"x.toothedbelt_dat", cwd + "/x.toothedbelt_dat", "TrnRun_TBelt form=C"},
        {"sub/x.toothedbelt_dat", "sub/x.toothedbelt_dat", "TrnRun_TBelt form=C"},
        {"./x.belt_vee_dat", "./x.belt_vee_dat", "TrnRun_VBelt form=C"},
        {"/work/Box.GEAR_EXC_DAT", "/work/Box.GEAR_EXC_DAT", "TrnRun_CylExt form=A"},
        {"Box.Gear_Inc_Dat", cwd + "/Box.Gear_Inc_Dat", "TrnRun_CylInt form=A"},
        {"/a.gear_exc_dat/b.gear_exc_dat", "/a.gear_exc_dat/b.gear_exc_dat",
         "TrnRun_CylExt form=A"},
        {"/a.gear_spb_dat/b.gear_stb_dat", "/a.gear_spb_dat/b.gear_stb_dat",
         "TrnRun_BevStr form=A"},
        {"/data/c.gear_spb_dat", "/data/c.gear_spb_dat", "TrnRun_BevSpir form=A"},
        {"x y.chai_rol_dat", cwd + "/x y.chai_rol_dat", "TrnRun_Chain form=C"},
        {"-platform.gear_exc_dat", cwd + "/-platform.gear_exc_dat", "TrnRun_CylExt form=A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        const Finished finished = start(c.argument);
        EXPECT_EQ(finished.status, 0) << finished.errors;
        const std::vector<std::string> calls = record.linesStartingWith("call ");
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().rfind(std::string("call ") + c.call + " ", 0), 0u) << calls.back();
        EXPECT_EQ(recordField(calls.back(), "name"), hexOf(c.expectedName));
    }

    // In the root folder a bare name gets one '/' only.
    const Finished atRoot = run(folder.executable(), {"x.gear_exc_dat"}, "/");
    EXPECT_EQ(atRoot.status, 0) << atRoot.errors;
    EXPECT_EQ(recordField(record.linesStartingWith("call ").back(), "name"),
              hexOf("/x.gear_exc_dat"));
}

TEST_F(LauncherExecutable, BytesThatAreNotUtf8ReachTheModuleUnchanged)
{
    const std::string argument = "caf\xe9 \xff\xfe\x01.belt_vee_dat";
    const Finished finished = start(argument);
    EXPECT_EQ(finished.status, 0) << finished.errors;
    const std::vector<std::string> calls = record.linesStartingWith("call TrnRun_VBelt");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(recordField(calls[0], "name"), hexOf(data.path().string() + "/" + argument));
}

TEST_F(LauncherExecutable, NamesUpTo259BytesRunLongerOnesEndWithStatus2)
{
    const std::string extension = ".gear_exc_dat";
    const auto absoluteName = [&](std::size_t length) {
        std::string name = "/";
        while (name.size() + extension.size() < length) {
            name += name.size() % 100 == 0 ? '/' : 'n';
        }
        return name + extension;
    };
    const std::string fits = absoluteName(259);
    ASSERT_EQ(fits.size(), 259u);
    const Finished ok = start(fits);
    EXPECT_EQ(ok.status, 0) << ok.errors;
    ASSERT_EQ(record.linesStartingWith("call ").size(), 1u);
    EXPECT_EQ(recordField(record.linesStartingWith("call ")[0], "name"), hexOf(fits))
        << "a 259-byte name arrives whole";

    const std::string tooLong = absoluteName(260);
    ASSERT_EQ(tooLong.size(), 260u);
    const Finished refused = start(tooLong);
    EXPECT_EQ(refused.status, 2);
    expectOneLineWith(refused, "260");

    // The working folder counts: a bare name that becomes 260 bytes long.
    const std::string bare(260 - data.path().string().size() - 1 - extension.size(), 'b');
    const Finished refusedBare = start(bare + extension);
    EXPECT_EQ(refusedBare.status, 2) << refusedBare.errors;
    EXPECT_EQ(linesOf(refusedBare.errors).size(), 1u) << refusedBare.errors;
    EXPECT_EQ(record.linesStartingWith("load ").size(), 1u)
        << "no module is loaded for a long name";

    // The refused name is on the line with its control bytes escaped: a
    // terminal never sees an escape sequence from a file name.
    const Finished escaped = start("\x1b]0;X\a" + std::string(260, 'e') + extension);
    EXPECT_EQ(escaped.status, 2) << escaped.errors;
    EXPECT_NE(escaped.errors.find("\\x1B]0;X\\x07eee"), std::string::npos) << escaped.errors;
    EXPECT_EQ(escaped.errors.find_first_of("\x1b\a"), std::string::npos) << escaped.errors;
}

TEST_F(LauncherExecutable, SymlinkedExecutableLooksForModulesInTheRealFolder)
{
    // Beside the link lie modules without entry points: finding those would
    // end with status 4.
    ProgramFolder linkFolder("no_entry");
    fs::remove(linkFolder.executable());
    fs::create_symlink(folder.executable(), linkFolder.executable());
    const Finished finished = run(linkFolder.executable(), {"x.gear_exc_dat"}, data.path());
    EXPECT_EQ(finished.status, 0) << finished.errors;
    EXPECT_EQ(record.linesStartingWith("call TrnRun_CylExt").size(), 1u);
}

TEST_F(LauncherExecutable, ExitStatusSaysWhatBecameOfTheRun)
{
    setenv("TRN_RECORD_FLAG", "0", 1);
    const Finished flagZero = start("x.gear_exc_dat");
    EXPECT_EQ(flagZero.status, 0) << "the module's flag does not change the status";
    unsetenv("TRN_RECORD_FLAG");

    setenv("TRN_RECORD_THROW", "1", 1);
    const Finished raised = start("x.gear_inc_dat");
    unsetenv("TRN_RECORD_THROW");
    EXPECT_EQ(raised.status, 1);
    expectOneLineWith(raised, "calculation failed in TrnRun_CylInt");

    // Each way a run can fail has its status in tests/window/StartupTest.cpp;
    // here the program ends with it.
    ProgramFolder noModule("");
    const Finished missing = run(noModule.executable(), {"x.worm_cyl_dat"}, data.path());
    EXPECT_EQ(missing.status, 3) << missing.errors;
    expectOneLineWith(missing, "trn_worm.so");
}

TEST_F(LauncherExecutable, OtherArgumentsStartTheWindowWithoutRunningAModule)
{
    const std::vector<std::vector<std::string>> interactive = {
        {"notes.txt"}, {"x.gear_exc_dat.bak"}, {"gear_exc_dat"}, {"notes.txt", "x.gear_exc_dat"},
        {""},
    };
    for (const auto& arguments : interactive) {
        const Finished finished =
            run(folder.executable(), arguments, data.path(), std::chrono::milliseconds(1500));
        EXPECT_TRUE(finished.running) << arguments[0] << " must open the window and wait";
        EXPECT_EQ(finished.errors, "") << arguments[0];
    }
    EXPECT_TRUE(record.lines().empty()) << "no module is loaded in interactive mode";

    // Only the first argument is looked at; empty ones are skipped.
    const Finished first = run(folder.executable(), {"x.gear_exc_dat", "notes.txt"}, data.path());
    EXPECT_EQ(first.status, 0) << first.errors;
    EXPECT_EQ(record.linesStartingWith("call TrnRun_CylExt").size(), 1u);
    const Finished afterEmpty = run(folder.executable(), {"", "x.worm_cyl_dat"}, data.path());
    EXPECT_EQ(afterEmpty.status, 0) << afterEmpty.errors;
    EXPECT_EQ(record.linesStartingWith("call TrnRun_Worm").size(), 1u);
}

TEST_F(LauncherExecutable, AMisbehavingModuleLeavesOneLineNamingItAndWhatHappened)
{
    // Crashing modules leave no core files behind.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    testsupport::leaveFatalSignalsToTheProgram();
    struct Case
    {
        const char* behaviour; // TRN_HOSTILE
        int status;            // exit status, or -1 when ended by `signal`
        int signal;
        const char* part; // what the one line holds
    };
    const Case cases[] = {
        {"throw-empty", 1, 0, "raised an error in TrnRun_Worm without a message"},
        {"throw-null", 1, 0, "raised an error in TrnRun_Worm without a message"},
        {"throw-int", 1, 0,
         "raised an error in TrnRun_Worm: an error that is not a standard exception"},
        {"throw-on-load", 1, 0,
         "raised an error while being loaded: constructor of a static object failed"},
        {"segv", -1, SIGSEGV, "crashed in TrnRun_Worm: signal SIGSEGV"},
        {"bus", -1, SIGBUS, "crashed in TrnRun_Worm: signal SIGBUS"},
        {"ill", -1, SIGILL, "crashed in TrnRun_Worm: signal SIGILL"},
        {"fpe", -1, SIGFPE, "crashed in TrnRun_Worm: signal SIGFPE"},
        {"abort", -1, SIGABRT, "crashed in TrnRun_Worm: signal SIGABRT"},
        {"overflow", -1, SIGSEGV, "crashed in TrnRun_Worm: signal SIGSEGV"},
        {"exit", 5, 0, "ended the process in TrnRun_Worm"},
        // Unloaded, the module would pull the code from under its thread.
        {"thread", 0, 0, "left 1 thread running; it stays loaded until the launcher ends"},
    };
    ProgramFolder hostile("hostile");
    const std::string module = "module " + hostile.path().string() + "/trn_worm.so ";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        setenv("TRN_HOSTILE", c.behaviour, 1);
        const Finished finished = run(hostile.executable(), {"x.worm_cyl_dat"}, data.path());
        EXPECT_EQ(finished.status, c.status) << finished.errors;
        EXPECT_EQ(finished.signal, c.signal) << finished.errors;
        expectOneLineWith(finished, c.part);
        EXPECT_EQ(finished.errors.rfind("derize-zizir: " + module, 0), 0u) << finished.errors;
    }
}

TEST_F(LauncherExecutable, AModuleFileThatIsNotARegularFileIsRefusedWithoutWaiting)
{
    ProgramFolder fifoFolder("");
    ASSERT_EQ(mkfifo((fifoFolder.path() / "trn_worm.so").c_str(), 0600), 0);
    const Finished finished =
        run(fifoFolder.executable(), {"x.worm_cyl_dat"}, data.path(), std::chrono::seconds(10));
    EXPECT_FALSE(finished.running) << "the launcher waited on the FIFO";
    EXPECT_EQ(finished.status, 3) << finished.errors;
    expectOneLineWith(finished, "trn_worm.so is not a regular file");
}

TEST_F(LauncherExecutable, LibraryPathEntriesNeverLeadToTheWorkingFolder)
{
    // The module lies in the working folder only; none beside the launcher.
    ProgramFolder bare("");
    fs::copy_file(fs::path(testsupport::fixtureDir("recording")) / "trn_worm.so",
                  data.path() / "trn_worm.so");
    const std::string absolute = data.path().string();
    const std::pair<std::string, int> cases[] = {
        {"/usr/lib:", 3},     {".", 3}, {"a::b", 3}, {":" + absolute + "/..", 3}, {absolute, 0},
        {".:" + absolute, 0}, // an absolute entry still counts
    };
    for (const auto& [value, status] : cases) {
        SCOPED_TRACE("LD_LIBRARY_PATH=" + value);
        setenv("LD_LIBRARY_PATH", value.c_str(), 1);
        const Finished finished = run(bare.executable(), {"x.worm_cyl_dat"}, data.path());
        EXPECT_EQ(finished.status, status) << finished.errors;
    }
    EXPECT_EQ(record.linesStartingWith("call TrnRun_Worm").size(), 2u)
        << "the arguments survive the second start";
}

TEST_F(LauncherExecutable, AnErrorLineToAPipeWithoutReaderKeepsTheStatus)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    ProgramFolder empty("");
    const Finished finished =
        run(empty.executable(), {"x.worm_cyl_dat"}, data.path(), std::chrono::seconds(60), ends[1]);
    close(ends[1]);
    EXPECT_EQ(finished.signal, 0) << "ended by a signal";
    EXPECT_EQ(finished.status, 3);
}

// A missing, broken or large Orvanel.Dic beside the launcher never stops
// automatic mode from running the module and ending with status 0.
TEST_F(LauncherExecutable, AMissingBrokenOrLargeDictionaryNeverStopsTheRun)
{
    const fs::path dictionary = folder.path() / "Orvanel.Dic";
    std::size_t calls = 0;
    const auto expectModuleRan = [&](const char* what, bool silent = true) {
        const Finished finished = start("/data/case.worm_cyl_dat");
        EXPECT_EQ(finished.status, 0) << what << ": " << finished.errors;
        EXPECT_EQ(record.linesStartingWith("call TrnRun_Worm ").size(), ++calls) << what;
        if (silent) {
            EXPECT_EQ(finished.errors, "") << what;
        }
        return finished;
    };
    expectModuleRan("no dictionary");
    fs::create_directory(dictionary);
    expectModuleRan("a folder named Orvanel.Dic");
    fs::remove(dictionary);

    std::mt19937 random(7);
    std::string garbage(256 * 1024, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random());
    }
    std::ofstream(dictionary, std::ios::binary) << garbage;
    expectModuleRan("binary garbage");

    std::string bytes;
    bytes.reserve(51'000'000);
    char line[96];
    for (int k = 0; k < 1'000'000; ++k) {
        // "Надпись на окне номер k"="Caption k" in Windows-1251.
        const int n = std::snprintf(line, sizeof line,
                                    "\"\xCD\xE0\xE4\xEF\xE8\xF1\xFC \xED\xE0 \xEE\xEA\xED\xE5 "
                                    "\xED\xEE\xEC\xE5\xF0 %07d\"=\"Caption %07d\"\r\n",
                                    k, k);
        bytes.append(line, static_cast<std::size_t>(n));
    }
    std::ofstream(dictionary, std::ios::binary) << bytes;
    expectModuleRan("a 50 MB dictionary");
    fs::remove(dictionary);

    // A pipe of that name is never opened, so start-up cannot wait on it.
    ASSERT_EQ(mkfifo(dictionary.c_str(), 0600), 0);
    expectOneLineWith(expectModuleRan("a pipe named Orvanel.Dic", false), "Orvanel.Dic");
}

} // namespace
