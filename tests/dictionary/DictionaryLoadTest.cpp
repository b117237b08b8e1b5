#include "FixtureRecord.h"
#include "QtPrinting.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryReader.h"

#include <QByteArray>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace translation;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

void writeFile(const std::filesystem::path& path, const QByteArray& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.constData(), bytes.size());
}

// Loads `path` and returns what went to standard error meanwhile.
std::string loadCapturingStderr(const std::filesystem::path& path)
{
    CaptureStderr();
    LoadDictionary(path.string());
    return GetCapturedStderr();
}

long lineCount(const std::string& text)
{
    return static_cast<long>(std::count(text.begin(), text.end(), '\n'));
}

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
    if (pipe(errorPipe) != 0)
        return outcome;
    const pid_t child = fork();
    if (child == 0) {
        dup2(errorPipe[1], 2);
        close(errorPipe[0]);
        const uid_t nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(3);
        LoadDictionary(path.string());
        _exit(DictionaryLoaded() ? 1 : 0);
    }
    close(errorPipe[1]);
    char buffer[512];
    for (ssize_t count; (count = read(errorPipe[0], buffer, sizeof buffer)) > 0;)
        outcome.errors.append(buffer, static_cast<std::size_t>(count));
    close(errorPipe[0]);
    int status = 0;
    waitpid(child, &status, 0);
    outcome.noUnprivilegedUser = !WIFEXITED(status) || WEXITSTATUS(status) == 3;
    outcome.loaded = WIFEXITED(status) && WEXITSTATUS(status) == 1;
    return outcome;
}

// A reader over `data` that hands out at most `chunk` bytes a call and
// fails (returns -1) once `failAt` bytes have been handed out.
struct FakeFile
{
    QByteArray data;
    qint64 chunk = 7;
    qint64 failAt = -1;
    qint64 pos = 0;

    qint64 operator()(char* buffer, qint64 maxSize)
    {
        if (failAt >= 0 && pos >= failAt)
            return -1;
        qint64 count = std::min({maxSize, chunk, qint64(data.size()) - pos});
        if (failAt >= 0)
            count = std::min(count, failAt - pos);
        std::copy_n(data.constData() + pos, count, buffer);
        pos += count;
        return count;
    }
};

} // namespace

TEST(DictionaryLoad, ReadsTheFileAndTranslates)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "Orvanel.Dic";
    writeFile(
        path,
        QByteArray("\"\xC2\xFB\xEF\xEE\xEB\xED\xE8\xF2\xFC\"=\"Run\"\r\n\"A||B\"=\"X||Y\"\r\n"));
    EXPECT_EQ(loadCapturingStderr(path), "");
    ASSERT_TRUE(DictionaryLoaded());
    EXPECT_EQ(SourceTexts(), QStringList({QString::fromUtf8("Выполнить"), "A||B"}));
    EXPECT_EQ(TargetTexts(), QStringList({"Run", "X||Y"}));
    EXPECT_EQ(TranslateText(QString::fromUtf8("выполнить")), "Run");
    EXPECT_EQ(TranslateText("a\r\nb"), "X\r\nY");

    LoadDictionary((dir.path() / "missing").string());
    EXPECT_FALSE(DictionaryLoaded()) << "a second load starts afresh";
    EXPECT_EQ(TranslateText(QString::fromUtf8("Выполнить")), QString::fromUtf8("Выполнить"));
}

TEST(DictionaryLoad, MissingFileOrFolderOfThatNameMeansNoDictionarySilently)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "Orvanel.Dic";
    EXPECT_EQ(loadCapturingStderr(path), "");
    EXPECT_FALSE(DictionaryLoaded());
    std::filesystem::create_directory(path);
    EXPECT_EQ(loadCapturingStderr(path), "");
    EXPECT_FALSE(DictionaryLoaded());
    EXPECT_EQ(TranslateText("a||b"), "a\r\nb");
}

TEST(DictionaryLoad, UnreadableFileLeavesOneLineOnStderr)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "Orvanel.Dic";

    // A pipe would block an open for ever; it is never opened.
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::string errors = loadCapturingStderr(path);
    EXPECT_EQ(lineCount(errors), 1) << errors;
    EXPECT_NE(errors.find(path.string()), std::string::npos) << errors;
    EXPECT_FALSE(DictionaryLoaded());
    std::filesystem::remove(path);

    // Larger than 2 GiB (sparse, so it takes no disk): never read.
    writeFile(path, "\"a\"=\"b\"");
    std::filesystem::resize_file(path, std::uintmax_t(MaxDictionarySize) + 1);
    errors = loadCapturingStderr(path);
    EXPECT_EQ(lineCount(errors), 1) << errors;
    EXPECT_FALSE(DictionaryLoaded());
    std::filesystem::remove(path);

    writeFile(path, "\"a\"=\"b\"");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const LoadOutcome outcome = loadWithoutRoot(path);
    if (outcome.noUnprivilegedUser)
        GTEST_SKIP() << "running as root and cannot become an unprivileged user";
    EXPECT_EQ(lineCount(outcome.errors), 1) << outcome.errors;
    EXPECT_NE(outcome.errors.find("Permission denied"), std::string::npos) << outcome.errors;
    EXPECT_FALSE(outcome.loaded);
}

TEST(DictionaryLoad, AnyContentLoads)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "Orvanel.Dic";
    std::mt19937 random(12345);
    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    for (char& c : garbage)
        c = static_cast<char>(random());
    const struct
    {
        const char* what;
        QByteArray bytes;
        qsizetype entries;
        std::size_t bytesPerFileByte;
    } cases[] = {
        {"empty file", QByteArray(), 0, 3},
        {"byte-order mark alone", QByteArray("\xEF\xBB\xBF"), 0, 3},
        {"NUL bytes", QByteArray(1000, '\0'), 1, 3},
        {"invalid UTF-8", QByteArray("\"\xC3\"=\"\xE2\x82\"\n\"\xF0\x9F\x98\"=\"x\"\n"), 2, 3},
        {"binary garbage", garbage, -1, 3},
        // Every byte an entry: bounded by the file's size all the same.
        {"only line ends", QByteArray(1 << 20, '\n'), 1 << 20, 16},
    };
    for (const auto& c : cases) {
        writeFile(path, c.bytes);
        EXPECT_EQ(loadCapturingStderr(path), "") << c.what;
        EXPECT_TRUE(DictionaryLoaded()) << c.what;
        if (c.entries >= 0) {
            EXPECT_EQ(SourceTexts().size(), c.entries) << c.what;
        }
        const Dictionary* dictionary = LoadedDictionary();
        ASSERT_NE(dictionary, nullptr);
        EXPECT_LE(dictionary->memoryUsed(), c.bytesPerFileByte * std::size_t(c.bytes.size()) + 1024)
            << c.what;
        for (qsizetype k = 0; k < std::min<qsizetype>(dictionary->size(), 200); ++k) {
            const qsizetype found = dictionary->find(dictionary->source(k));
            EXPECT_TRUE(found >= 0 && found <= k) << c.what << ": entry " << k;
        }
        TranslateText("x");
    }
}

TEST(DictionaryRead, FileThatShrinksOrGrowsWhileRead)
{
    FakeFile shrunk{QByteArray("\"a\"=\"b\"\r\n\"c\"=\"d")};
    ReadResult result = readAllBytes(1000, std::ref(shrunk));
    EXPECT_EQ(result.status, ReadResult::Status::Complete);
    EXPECT_EQ(result.bytes, shrunk.data) << "the data that is there is the whole file";

    FakeFile grown{QByteArray("\"a\"=\"b\"\r\n\"c\"=\"d\"\r\nmore and more")};
    result = readAllBytes(18, std::ref(grown));
    EXPECT_EQ(result.status, ReadResult::Status::Complete);
    EXPECT_EQ(result.bytes, "\"a\"=\"b\"\r\n\"c\"=\"d\"\r\n") << "nothing past the size at opening";
}

TEST(DictionaryRead, FailedReadIsNeverTakenForData)
{
    FakeFile failing{QByteArray("\"a\"=\"b\"\r\n\"c\"=\"d\"\r\n\"e\"=\"f\"\r\n")};
    failing.failAt = 22;
    ReadResult result = readAllBytes(failing.data.size(), std::ref(failing));
    EXPECT_EQ(result.status, ReadResult::Status::ReadFailed);
    EXPECT_EQ(result.bytes, "\"a\"=\"b\"\r\n\"c\"=\"d\"\r\n") << "the cut line is dropped";

    FakeFile failsAtOnce{QByteArray("\"a\"=\"b\"")};
    failsAtOnce.failAt = 0;
    result = readAllBytes(failsAtOnce.data.size(), std::ref(failsAtOnce));
    EXPECT_EQ(result.status, ReadResult::Status::ReadFailed);
    EXPECT_TRUE(result.bytes.isEmpty());

    // A read that claims more than it was asked for is a failure too.
    result = readAllBytes(10, [](char*, qint64 maxSize) { return maxSize + 1; });
    EXPECT_EQ(result.status, ReadResult::Status::ReadFailed);
    EXPECT_TRUE(result.bytes.isEmpty());
}

TEST(DictionaryLoad, LineOf200Megabytes)
{
    const qsizetype length = 200 * 1024 * 1024;
    QByteArray bytes;
    bytes.reserve(length + 32);
    bytes.append(QString::fromUtf8("\"Ключ\"=\"").toUtf8());
    bytes.append(length, 'x');
    bytes.append("\"\r\n\"K2\"=\"v\"");
    std::optional<Dictionary> dictionary = Dictionary::fromBytes(bytes);
    ASSERT_TRUE(dictionary);
    ASSERT_EQ(dictionary->size(), 2);
    EXPECT_EQ(dictionary->target(0).size(), length);
    EXPECT_EQ(dictionary->find(QString::fromUtf8("КЛЮЧ")), 0);
    EXPECT_EQ(dictionary->translate(QStringLiteral("k2")), "v");
    EXPECT_LE(dictionary->memoryUsed(), 3 * std::size_t(bytes.size()));
}
