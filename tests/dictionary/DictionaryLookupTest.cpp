#include "translation/Dictionary.h"
#include "translation/TextDecoder.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace translation;

namespace {

Dictionary make(std::string_view bytes)
{
    std::optional<Dictionary> dictionary = Dictionary::fromBytes(bytes);
    if (!dictionary) {
        throw std::runtime_error("not loaded");
    }
    return std::move(*dictionary);
}

// The Windows-1251 bytes of `text`, by the decoder's own table (which the
// Qt tests hold against Qt's converter).
std::string windows1251(std::u16string_view text)
{
    const auto& units = windows1251Units();
    std::string bytes;
    for (const char16_t c : text) {
        std::size_t byte = 0;
        while (byte < 256 && units[byte] != c) {
            ++byte;
        }
        if (byte == 256) {
            throw std::invalid_argument("not in Windows-1251");
        }
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

// The UTF-8 bytes of `text`: the source file is UTF-8, so a u8 literal is.
std::string utf8(std::u8string_view text)
{
    return std::string(text.begin(), text.end());
}

using Entries = std::vector<std::pair<std::u16string, std::u16string>>;

Entries entries(const Dictionary& dictionary)
{
    Entries result;
    for (std::ptrdiff_t k = 0; k < dictionary.size(); ++k) {
        result.emplace_back(dictionary.source(k), dictionary.target(k));
    }
    return result;
}

} // namespace

TEST(DictionaryLookup, FirstMatchWinsIgnoringCase)
{
    const Dictionary dictionary = make(windows1251(u"\"Выполнить\"=\"Run\"\r\n"
                                                   u"\"ВЫПОЛНИТЬ\"=\"Second\"\r\n"
                                                   u"\"Выход\"=\"Exit\"\r\n"));
    EXPECT_EQ(dictionary.translate(u"Выполнить"), u"Run");
    EXPECT_EQ(dictionary.translate(u"выполнить"), u"Run") << "case is ignored";
    EXPECT_EQ(dictionary.translate(u"вЫпОлНиТь"), u"Run");
    EXPECT_EQ(dictionary.translate(u"Выход"), u"Exit");
    EXPECT_EQ(dictionary.translate(u"Выполнить "), u"Выполнить ") << "no partial match";
    EXPECT_EQ(dictionary.find(u"ВЫПОЛНИТЬ"), 0);
}

TEST(DictionaryLookup, NulAndEmptyTextsAreLookedUpLikeAnyOther)
{
    static const char bytes[] = "\"a\0b\"=\"with nul\"\r\n\"a\"=\"without\"\r\n\"\"=\"empty\"\r\n";
    const Dictionary dictionary = make(std::string_view(bytes, sizeof bytes - 1));
    ASSERT_EQ(dictionary.size(), 3);
    EXPECT_EQ(dictionary.translate(std::u16string(u"A\0B", 3)), u"with nul");
    EXPECT_EQ(dictionary.translate(u"a"), u"without");
    EXPECT_EQ(dictionary.translate(u""), u"empty");
}

TEST(DictionaryLookup, LineWithoutSeparatorAnswersEveryEmptyText)
{
    const Dictionary dictionary = make("\"Run\"=\"Go\"\r\n\"abc\"\r\n\"\"=\"later\"\r\n");
    EXPECT_EQ(dictionary.translate(u""), u"bc");
    EXPECT_EQ(dictionary.translate(u"Run"), u"Go");
    EXPECT_EQ(dictionary.translate(u"abc"), u"abc") << "its text is not a source";

    const Dictionary withEmptyLine = make("\"Run\"=\"Go\"\n\n\"abc\"\n");
    EXPECT_EQ(withEmptyLine.translate(u""), u"") << "an empty line is an entry too, and first";
    EXPECT_EQ(entries(withEmptyLine).size(), 3u);
}

TEST(DictionaryLookup, LineBreaksTravelAsBars)
{
    const Dictionary dictionary = make("\"A||B\"=\"X||Y\"\r\n\"Close\"=\"Left|\"\r\n");
    EXPECT_EQ(dictionary.translate(u"A\r\nB"), u"X\r\nY") << "a two-line caption";
    EXPECT_EQ(dictionary.translate(u"a||b"), u"X\r\nY");
    EXPECT_EQ(dictionary.translate(u"Close"), u"Left|");
    EXPECT_EQ(dictionary.translate(u"A|\r\nB"), u"A\r\n|B")
        << "a bar before a line break comes back after it";
    EXPECT_EQ(dictionary.translate(u"A\rB"), u"A\rB") << "a lone CR is never found";
    EXPECT_EQ(dictionary.translate(u"A\nB"), u"A\nB") << "a lone LF is never found";

    // Without a copy: the same texts, viewing the text or the target where
    // nothing changes.
    for (const std::u16string_view text :
         {u"A\r\nB", u"a||b", u"Close", u"A|\r\nB", u"A\rB", u"nothing", u""}) {
        std::u16string storage;
        EXPECT_EQ(dictionary.translate(text, storage), dictionary.translate(text));
    }
    std::u16string storage;
    const std::u16string_view unchanged = u"nothing";
    EXPECT_EQ(dictionary.translate(unchanged, storage).data(), unchanged.data());
    EXPECT_EQ(dictionary.translate(u"close", storage).data(), dictionary.target(1).data());
}

TEST(DictionaryLookup, WithoutDictionaryOnlyTheMarksChange)
{
    LoadDictionary("/nonexistent/Orvanel.Dic");
    ASSERT_FALSE(DictionaryLoaded());
    EXPECT_EQ(TranslateText(u"one||two"), u"one\r\ntwo");
    EXPECT_EQ(TranslateText(u"A|\r\nB"), u"A\r\n|B");
    EXPECT_EQ(TranslateText(u"A\r\nB"), u"A\r\nB");
    EXPECT_EQ(TranslateText(u"A\rB\n"), u"A\rB\n");
    std::u16string storage;
    EXPECT_EQ(TranslateText(u"one||two", storage), u"one\r\ntwo");
    EXPECT_EQ(TranslateText(u"A|\r\nB", storage), u"A\r\n|B");
    EXPECT_TRUE(SourceTexts().empty());
}

// Many entries, many of them the same under folding: the index grows with
// the different sources, and each text still finds its first entry.
TEST(DictionaryLookup, ShortLinesAndDuplicatesAcrossIndexGrowth)
{
    std::string bytes;
    for (int k = 0; k < 20000; ++k) {
        bytes += '"';
        bytes += std::to_string(k % 5000);
        bytes += (k / 5000) % 2 ? "x\"=\"" : "X\"=\"";
        bytes += std::to_string(k);
        bytes += "\"\n";
    }
    bytes += std::string(200000, '\n');
    const Dictionary dictionary = make(bytes);
    ASSERT_EQ(dictionary.size(), 220000);
    for (int k = 0; k < 5000; k += 7) {
        const std::string key = std::to_string(k) + "x";
        EXPECT_EQ(dictionary.find(std::u16string(key.begin(), key.end())), k) << key;
    }
    EXPECT_EQ(dictionary.find(u""), 20000) << "the first of the empty lines";
    EXPECT_EQ(dictionary.find(u"5000x"), -1);
    EXPECT_LE(dictionary.memoryUsed(), 9 * bytes.size());
}

TEST(DictionaryEncodings, Windows1251CrLfAndUtf8LfGiveTheSameEntries)
{
    const std::u16string text = u"\"Выполнить\"=\"Run\"\n"
                                u"\"Ёж, Ґ, ў, «№»\"=\"Hedgehog\"\n"
                                u"\"Расчёт||передачи\"=\"Drive||design\"  \n"
                                u"\"abc\"\n"
                                u"\n";
    const std::string utf8Text = utf8(u8"\"Выполнить\"=\"Run\"\n"
                                      u8"\"Ёж, Ґ, ў, «№»\"=\"Hedgehog\"\n"
                                      u8"\"Расчёт||передачи\"=\"Drive||design\"  \n"
                                      u8"\"abc\"\n"
                                      u8"\n");
    std::u16string crLf;
    for (const char16_t c : text) {
        crLf += c == u'\n' ? std::u16string(u"\r\n") : std::u16string(1, c);
    }
    const Entries fromWindows1251 = entries(make(windows1251(crLf)));
    const Entries fromUtf8 = entries(make(utf8Text));
    const Entries fromUtf8WithMark = entries(make("\xEF\xBB\xBF" + utf8Text));
    ASSERT_EQ(fromWindows1251.size(), 5u);
    EXPECT_EQ(fromWindows1251, fromUtf8);
    EXPECT_EQ(fromUtf8WithMark, fromUtf8) << "the byte-order mark is dropped";
    EXPECT_EQ(fromUtf8[1].first, u"Ёж, Ґ, ў, «№»");
    EXPECT_EQ(fromUtf8[2].second, u"Drive||design\" ");
    EXPECT_EQ(fromUtf8[3], std::make_pair(std::u16string(), std::u16string(u"bc")));
}

TEST(DictionaryEncodings, Utf8IsSplitOnBytesThenDecoded)
{
    // The first byte of a line is skipped even when it starts a letter; a
    // text starting with U+FEFF inside the file keeps it.
    const Dictionary dictionary = make(utf8(u8"Ж\"=\"a\"\n\"\uFEFFb\"=\"c\"\n"));
    ASSERT_EQ(dictionary.size(), 2);
    EXPECT_EQ(dictionary.source(0), u"\uFFFD");
    EXPECT_EQ(dictionary.source(1), u"\uFEFFb");

    const Dictionary marked = make("\xEF\xBB\xBF");
    EXPECT_EQ(marked.size(), 0) << "a mark alone holds no line";
}
