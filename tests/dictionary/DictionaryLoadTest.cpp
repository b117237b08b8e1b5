// Loading files that only a POSIX file system makes: pipes, devices,
// unreadable permissions, sparse files.

#include "DictionaryFiles.h"
#include "FixtureRecord.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryReader.h"

#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace translation;
using namespace dictionarytest;

namespace {

struct LoadOutcome
{
    std::string errors;
    bool loaded = false;
    bool noUnprivilegedUser = false;
};

// Loads `path` as a user whom file permissions apply to: root reads any
// file, so as root the load runs in a child process that gives root up.
LoadOutcome loadWithoutRoot(const std::filesystem::path& path)
{
    LoadOutcome outcome;
    if (geteuid() != 0) {
        outcome.errors = loadCapturingStderr(path);
        outcome.loaded = DictionaryLoaded();
        return outcome;
    }
    // The folders on the way must let the unprivileged user through.
    std::filesystem::permissions(path.parent_path(), std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
    int errorPipe[2];
    if (pipe(errorPipe) != 0) {
        return outcome;
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(errorPipe[1], 2);
        close(errorPipe[0]);
        const uid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) {
            _exit(3);
        }
        LoadDictionary(path.string());
        _exit(DictionaryLoaded() ? 1 : 0);
    }
    close(errorPipe[1]);
    char buffer[512];
    for (ssize_t count; (count = read(errorPipe[0], buffer, sizeof buffer)) > 0;) {
        outcome.errors.append(buffer, static_cast<std::size_t>(count));
    }
    close(errorPipe[0]);
    int status = 0;
    waitpid(child, &status, 0);
    outcome.noUnprivilegedUser = !WIFEXITED(status) || WEXITSTATUS(status) == 3;
    outcome.loaded = WIFEXITED(status) && WEXITSTATUS(status) == 1;
    return outcome;
}

} // namespace

TEST(DictionaryLoad, UnreadableFileLeavesOneLineOnStderr)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "Orvanel.Dic";
    // A pipe would block a plain open for ever, and a device may never end:
    // each is opened without waiting, seen for what it is, and never read.
    // The same holds when the name leads there through a link.
    const auto fifo = dir.path() / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct
    {
        const char* what;
        std::filesystem::path target;
    } notFiles[] = {{"a pipe", fifo}, {"a device", "/dev/zero"}};
    for (const auto& c : notFiles) {
        for (const bool throughLink : {false, true}) {
            if (throughLink) {
                std::filesystem::create_symlink(c.target, path);
            } else if (c.target == fifo) {
                ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
            } else {
                continue;
            }
            const std::string errors = loadCapturingStderr(path);
            EXPECT_EQ(lineCount(errors), 1) << c.what << ": " << errors;
            EXPECT_NE(errors.find(path.string()), std::string::npos) << errors;
            EXPECT_NE(errors.find("not a regular file"), std::string::npos) << errors;
            EXPECT_FALSE(DictionaryLoaded()) << c.what;
            std::filesystem::remove(path);
        }
    }

    // Larger than 2 GiB (sparse, so it takes no disk): never read.
    writeFile(path, "\"a\"=\"b\"");
    std::filesystem::resize_file(path, std::uintmax_t(MaxDictionarySize) + 1);
    std::string errors = loadCapturingStderr(path);
    EXPECT_EQ(lineCount(errors), 1) << errors;
    EXPECT_FALSE(DictionaryLoaded());
    std::filesystem::remove(path);

    writeFile(path, "\"a\"=\"b\"");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const LoadOutcome outcome = loadWithoutRoot(path);
    if (outcome.noUnprivilegedUser) {
        GTEST_SKIP() << "running as root and cannot become an unprivileged user";
    }
    EXPECT_EQ(lineCount(outcome.errors), 1) << outcome.errors;
    EXPECT_NE(outcome.errors.find("Permission denied"), std::string::npos) << outcome.errors;
    EXPECT_FALSE(outcome.loaded);
}

TEST(DictionaryLoad, LineOf200Megabytes)
{
    const std::size_t length = 200 * 1024 * 1024;
    std::string bytes;
    bytes.reserve(length + 32);
    bytes += "\"\xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87\"=\""; // "Ключ" in UTF-8
    bytes.append(length, 'x');
    bytes += "\"\r\n\"K2\"=\"v\"";
    std::optional<Dictionary> dictionary = Dictionary::fromBytes(bytes);
    ASSERT_TRUE(dictionary);
    ASSERT_EQ(dictionary->size(), 2);
    EXPECT_EQ(dictionary->target(0).size(), length);
    EXPECT_EQ(dictionary->find(u"КЛЮЧ"), 0);
    EXPECT_EQ(dictionary->translate(u"k2"), u"v");
    EXPECT_LE(dictionary->memoryUsed(), 3 * bytes.size());
}
