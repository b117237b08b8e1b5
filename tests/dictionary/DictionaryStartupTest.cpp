// The real derize-zizir in a program folder of its own, with a missing,
// broken or large Orvanel.Dic beside it: automatic mode must still run the
// module and end with status 0.
#include "FixtureRecord.h"

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
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using testsupport::RecordFile;
using testsupport::TempDir;

namespace {

struct Finished
{
    int status = -1; // exit status; -1 when killed after the wait
    std::string errors;
};

// Runs the launcher in `folder` on a data file of the worm kind, waiting
// at most 30 seconds.
Finished runLauncher(const TempDir& folder)
{
    TempDir output;
    const fs::path errorsFile = output.path() / "stderr";
    const fs::path runtimeDir = output.path() / "runtime";
    fs::create_directory(runtimeDir);
    fs::permissions(runtimeDir, fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    std::string program = (folder.path() / "derize-zizir").string();
    std::string argument = "/data/case.worm_cyl_dat";
    char* argv[] = {program.data(), argument.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    Finished finished;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return finished;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int waitStatus = 0;
    while (waitpid(pid, &waitStatus, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &waitStatus, 0);
            ADD_FAILURE() << "still running after 30 s: killed";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (WIFEXITED(waitStatus)) {
        finished.status = WEXITSTATUS(waitStatus);
    }
    std::ifstream in(errorsFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    finished.errors = text.str();
    return finished;
}

class DictionaryAtStartup : public testing::Test
{
protected:
    DictionaryAtStartup()
    {
        fs::copy_file(DERIZE_LAUNCHER_EXECUTABLE, folder.path() / "derize-zizir");
        fs::copy_file(testsupport::fixtureDir("recording") + "trn_worm.so",
                      folder.path() / "trn_worm.so");
    }

    fs::path dictionary() const { return folder.path() / "Orvanel.Dic"; }

    void expectModuleRan(const Finished& finished, const char* what)
    {
        EXPECT_EQ(finished.status, 0) << what << ": " << finished.errors;
        EXPECT_EQ(record.linesStartingWith("call TrnRun_Worm ").size(), ++calls) << what;
    }

    TempDir folder;
    RecordFile record;
    std::size_t calls = 0;
};

long lineCount(const std::string& text)
{
    return static_cast<long>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST_F(DictionaryAtStartup, MissingOrBrokenDictionaryNeverStopsTheRun)
{
    Finished finished = runLauncher(folder);
    expectModuleRan(finished, "no dictionary");
    EXPECT_EQ(finished.errors, "");

    fs::create_directory(dictionary());
    finished = runLauncher(folder);
    expectModuleRan(finished, "a folder named Orvanel.Dic");
    EXPECT_EQ(finished.errors, "");
    fs::remove(dictionary());

    std::mt19937 random(7);
    std::string garbage(256 * 1024, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random());
    }
    std::ofstream(dictionary(), std::ios::binary) << garbage;
    finished = runLauncher(folder);
    expectModuleRan(finished, "binary garbage");
    EXPECT_EQ(finished.errors, "");
    fs::remove(dictionary());

    // A pipe of that name is never opened, so start-up cannot wait on it.
    ASSERT_EQ(mkfifo(dictionary().c_str(), 0600), 0);
    finished = runLauncher(folder);
    expectModuleRan(finished, "a pipe named Orvanel.Dic");
    EXPECT_EQ(lineCount(finished.errors), 1) << finished.errors;
    EXPECT_NE(finished.errors.find("Orvanel.Dic"), std::string::npos) << finished.errors;
}

TEST_F(DictionaryAtStartup, FiftyMegabyteDictionaryStillRunsTheModule)
{
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
    std::ofstream(dictionary(), std::ios::binary) << bytes;
    const Finished finished = runLauncher(folder);
    expectModuleRan(finished, "a 50 MB dictionary");
    EXPECT_EQ(finished.errors, "");
}
