#include "DictionaryFiles.h"
#include "FixtureRecord.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryReader.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace translation;
using namespace dictionarytest;

namespace {

// A reader over `data` that hands out at most `chunk` bytes a call and
// fails (returns -1) once `failAt` bytes have been handed out.
struct FakeFile
{
    std::string data;
    std::int64_t chunk = 7;
    std::int64_t failAt = -1;
    std::int64_t pos = 0;

    std::int64_t operator()(char* buffer, std::int64_t maxSize)
    {
        if (failAt >= 0 && pos >= failAt) {
            return -1;
        }
        std::int64_t count = std::min({maxSize, chunk, std::int64_t(data.size()) - pos});
        if (failAt >= 0) {
            count = std::min(count, failAt - pos);
        }
        std::copy_n(data.data() + pos, count, buffer);
        pos += count;
        return count;
    }
};

} // namespace

TEST(DictionaryLoad, ReadsTheFileAndTranslates)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "Orvanel.Dic";
    writeFile(path, "\"\xC2\xFB\xEF\xEE\xEB\xED\xE8\xF2\xFC\"=\"Run\"\r\n\"A||B\"=\"X||Y\"\r\n");
    EXPECT_EQ(loadCapturingStderr(path), "");
    ASSERT_TRUE(DictionaryLoaded());
    EXPECT_EQ(SourceTexts(), (std::vector<std::u16string>{u"Выполнить", u"A||B"}));
    EXPECT_EQ(TargetTexts(), (std::vector<std::u16string>{u"Run", u"X||Y"}));
    EXPECT_EQ(TranslateText(u"выполнить"), u"Run");
    EXPECT_EQ(TranslateText(u"a\r\nb"), u"X\r\nY");

    LoadDictionary((dir.path() / "missing").string());
    EXPECT_FALSE(DictionaryLoaded()) << "a second load starts afresh";
    EXPECT_EQ(TranslateText(u"Выполнить"), u"Выполнить");
}

TEST(DictionaryLoad, MissingFileOrFolderOfThatNameMeansNoDictionarySilently)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "Orvanel.Dic";
    EXPECT_EQ(loadCapturingStderr(path), "");
    EXPECT_FALSE(DictionaryLoaded());
    EXPECT_EQ(loadCapturingStderr(dir.path() / "no folder" / "Orvanel.Dic"), "");
    EXPECT_FALSE(DictionaryLoaded());
    std::filesystem::create_directory(path);
    EXPECT_EQ(loadCapturingStderr(path), "");
    EXPECT_FALSE(DictionaryLoaded());
    EXPECT_EQ(TranslateText(u"a||b"), u"a\r\nb");
}

TEST(DictionaryLoad, AnyContentLoads)
{
    testsupport::TempDir dir;
    const auto path = dir.path() / "Orvanel.Dic";
    std::mt19937 random(12345);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random());
    }
    const struct
    {
        const char* what;
        std::string bytes;
        std::ptrdiff_t entries;
        std::size_t bytesPerFileByte;
    } cases[] = {
        {"empty file", std::string(), 0, 3},
        {"byte-order mark alone", std::string("\xEF\xBB\xBF"), 0, 3},
        {"NUL bytes", std::string(1000, '\0'), 1, 3},
        {"invalid UTF-8", std::string("\"\xC3\"=\"\xE2\x82\"\n\"\xF0\x9F\x98\"=\"x\"\n"), 2, 3},
        {"binary garbage", garbage, -1, 3},
        // Every byte an entry: two offsets an entry, and an index that
        // grows with the one different source only.
        {"only line ends", std::string(1 << 20, '\n'), 1 << 20, 9},
    };
    for (const auto& c : cases) {
        writeFile(path, c.bytes);
        EXPECT_EQ(loadCapturingStderr(path), "") << c.what;
        EXPECT_TRUE(DictionaryLoaded()) << c.what;
        if (c.entries >= 0) {
            EXPECT_EQ(std::ptrdiff_t(SourceTexts().size()), c.entries) << c.what;
        }
        const Dictionary* dictionary = LoadedDictionary();
        ASSERT_NE(dictionary, nullptr);
        EXPECT_LE(dictionary->memoryUsed(), c.bytesPerFileByte * c.bytes.size() + 1024) << c.what;
        for (std::ptrdiff_t k = 0; k < std::min<std::ptrdiff_t>(dictionary->size(), 200); ++k) {
            const std::ptrdiff_t found = dictionary->find(dictionary->source(k));
            EXPECT_TRUE(found >= 0 && found <= k) << c.what << ": entry " << k;
        }
        TranslateText(u"x");
    }
}

TEST(DictionaryRead, FileThatShrinksOrGrowsWhileRead)
{
    FakeFile shrunk{"\"a\"=\"b\"\r\n\"c\"=\"d"};
    ReadResult result = readAllBytes(1000, std::ref(shrunk));
    EXPECT_EQ(result.status, ReadResult::Status::Complete);
    EXPECT_EQ(result.bytes, shrunk.data) << "the data that is there is the whole file";

    FakeFile grown{"\"a\"=\"b\"\r\n\"c\"=\"d\"\r\nmore and more"};
    result = readAllBytes(18, std::ref(grown));
    EXPECT_EQ(result.status, ReadResult::Status::Complete);
    EXPECT_EQ(result.bytes, "\"a\"=\"b\"\r\n\"c\"=\"d\"\r\n") << "nothing past the size at opening";
}

TEST(DictionaryRead, FailedReadIsNeverTakenForData)
{
    FakeFile failing{"\"a\"=\"b\"\r\n\"c\"=\"d\"\r\n\"e\"=\"f\"\r\n"};
    failing.failAt = 22;
    ReadResult result = readAllBytes(std::int64_t(failing.data.size()), std::ref(failing));
    EXPECT_EQ(result.status, ReadResult::Status::ReadFailed);
    EXPECT_EQ(result.bytes, "\"a\"=\"b\"\r\n\"c\"=\"d\"\r\n") << "the cut line is dropped";

    FakeFile failsAtOnce{"\"a\"=\"b\""};
    failsAtOnce.failAt = 0;
    result = readAllBytes(std::int64_t(failsAtOnce.data.size()), std::ref(failsAtOnce));
    EXPECT_EQ(result.status, ReadResult::Status::ReadFailed);
    EXPECT_TRUE(result.bytes.empty());

    // A read that claims more than it was asked for is a failure too.
    result = readAllBytes(10, [](char*, std::int64_t maxSize) { return maxSize + 1; });
    EXPECT_EQ(result.status, ReadResult::Status::ReadFailed);
    EXPECT_TRUE(result.bytes.empty());
}
