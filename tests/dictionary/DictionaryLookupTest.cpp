#include "QtPrinting.h"
#include "translation/Dictionary.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace translation;

namespace {

Dictionary make(const QByteArray& bytes)
{
    std::optional<Dictionary> dictionary = Dictionary::fromBytes(bytes);
    if (!dictionary)
        throw std::runtime_error("no Windows-1251 converter");
    return std::move(*dictionary);
}

Dictionary make(const char* bytes)
{
    return make(QByteArray(bytes));
}

QByteArray windows1251(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

using Entries = std::vector<std::pair<QString, QString>>;

Entries entries(const Dictionary& dictionary)
{
    Entries result;
    for (qsizetype k = 0; k < dictionary.size(); ++k)
        result.emplace_back(dictionary.source(k).toString(), dictionary.target(k).toString());
    return result;
}

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(DictionaryLookup, FirstMatchWinsIgnoringCase)
{
    const Dictionary dictionary = make(windows1251(u("\"Выполнить\"=\"Run\"\r\n"
                                                     "\"ВЫПОЛНИТЬ\"=\"Second\"\r\n"
                                                     "\"Выход\"=\"Exit\"\r\n")));
    EXPECT_EQ(dictionary.translate(u("Выполнить")), "Run");
    EXPECT_EQ(dictionary.translate(u("выполнить")), "Run") << "case is ignored";
    EXPECT_EQ(dictionary.translate(u("вЫпОлНиТь")), "Run");
    EXPECT_EQ(dictionary.translate(u("Выход")), "Exit");
    EXPECT_EQ(dictionary.translate(u("Выполнить ")), u("Выполнить ")) << "no partial match";
    EXPECT_EQ(dictionary.find(u("ВЫПОЛНИТЬ")), 0);
}

// The letters themselves are covered by DictionaryCaseFolding; here the
// index has to find what the folding makes equal, and nothing more.
TEST(DictionaryLookup, CaseFoldingCoversLatinAndCyrillicLetters)
{
    const Dictionary dictionary = make(u("\"File\"=\"1\"\n"
                                         "\"ёлка\"=\"2\"\n"
                                         "\"straße\"=\"5\"\n")
                                           .toUtf8());
    EXPECT_EQ(dictionary.translate("FILE"), "1");
    EXPECT_EQ(dictionary.translate(u("ЁЛКА")), "2");
    EXPECT_EQ(dictionary.translate(u("STRAẞE")), "5");
    EXPECT_EQ(dictionary.translate(u("елка")), u("елка")) << "е and ё are different letters";
    EXPECT_EQ(dictionary.translate("STRASSE"), "STRASSE") << "only simple folding";
}

TEST(DictionaryLookup, NulAndEmptyTextsAreLookedUpLikeAnyOther)
{
    static const char bytes[] = "\"a\0b\"=\"with nul\"\r\n\"a\"=\"without\"\r\n\"\"=\"empty\"\r\n";
    const Dictionary dictionary = make(QByteArray(bytes, sizeof bytes - 1));
    ASSERT_EQ(dictionary.size(), 3);
    EXPECT_EQ(dictionary.translate(QString("A") + QChar(0) + "B"), "with nul");
    EXPECT_EQ(dictionary.translate("a"), "without");
    EXPECT_EQ(dictionary.translate(""), "empty");
}

TEST(DictionaryLookup, LineWithoutSeparatorAnswersEveryEmptyText)
{
    const Dictionary dictionary = make("\"Run\"=\"Go\"\r\n\"abc\"\r\n\"\"=\"later\"\r\n");
    EXPECT_EQ(dictionary.translate(""), "bc");
    EXPECT_EQ(dictionary.translate("Run"), "Go");
    EXPECT_EQ(dictionary.translate("abc"), "abc") << "its text is not a source";

    const Dictionary withEmptyLine = make("\"Run\"=\"Go\"\n\n\"abc\"\n");
    EXPECT_EQ(withEmptyLine.translate(""), "") << "an empty line is an entry too, and first";
    EXPECT_EQ(entries(withEmptyLine).size(), 3u);
}

TEST(DictionaryLookup, LineBreaksTravelAsBars)
{
    const Dictionary dictionary = make("\"A||B\"=\"X||Y\"\r\n\"Close\"=\"Left|\"\r\n");
    EXPECT_EQ(dictionary.translate("A\r\nB"), "X\r\nY") << "a two-line caption";
    EXPECT_EQ(dictionary.translate("a||b"), "X\r\nY");
    EXPECT_EQ(dictionary.translate("Close"), "Left|");
    EXPECT_EQ(dictionary.translate("A|\r\nB"), "A\r\n|B")
        << "a bar before a line break comes back after it";
    EXPECT_EQ(dictionary.translate("A\rB"), "A\rB") << "a lone CR is never found";
    EXPECT_EQ(dictionary.translate("A\nB"), "A\nB") << "a lone LF is never found";
}

TEST(DictionaryLookup, WithoutDictionaryOnlyTheMarksChange)
{
    LoadDictionary("/nonexistent/Orvanel.Dic");
    ASSERT_FALSE(DictionaryLoaded());
    EXPECT_EQ(TranslateText("one||two"), "one\r\ntwo");
    EXPECT_EQ(TranslateText("A|\r\nB"), "A\r\n|B");
    EXPECT_EQ(TranslateText("A\r\nB"), "A\r\nB");
    EXPECT_EQ(TranslateText("A\rB\n"), "A\rB\n");
    EXPECT_TRUE(SourceTexts().isEmpty());
}

TEST(DictionaryEncodings, Windows1251CrLfAndUtf8LfGiveTheSameEntries)
{
    const QString text = u("\"Выполнить\"=\"Run\"\n"
                           "\"Ёж, Ґ, ў, «№»\"=\"Hedgehog\"\n"
                           "\"Расчёт||передачи\"=\"Drive||design\"  \n"
                           "\"abc\"\n"
                           "\n");
    QString crLf = text;
    crLf.replace("\n", "\r\n");
    const Entries fromWindows1251 = entries(make(windows1251(crLf)));
    const Entries fromUtf8 = entries(make(text.toUtf8()));
    const Entries fromUtf8WithMark = entries(make("\xEF\xBB\xBF" + text.toUtf8()));
    ASSERT_EQ(fromWindows1251.size(), 5u);
    EXPECT_EQ(fromWindows1251, fromUtf8);
    EXPECT_EQ(fromUtf8WithMark, fromUtf8) << "the byte-order mark is dropped";
    EXPECT_EQ(fromUtf8[1].first, u("Ёж, Ґ, ў, «№»"));
    EXPECT_EQ(fromUtf8[2].second, u("Drive||design\" "));
    EXPECT_EQ(fromUtf8[3], std::make_pair(QString(), QString("bc")));
}

TEST(DictionaryEncodings, Windows1251BytesDecodeExactly)
{
    // Letters outside the basic Russian alphabet and a byte the code page
    // leaves undefined (0x98, kept as U+0098).
    const Dictionary dictionary =
        make(QByteArray("\"\xA8\xB8\xA5\xB4\xA1\xA2\xAA\xBA\xAF\xBF\xB2\xB3"
                        "\x98\x88\xB9\"=\"x\""));
    ASSERT_EQ(dictionary.size(), 1);
    EXPECT_EQ(dictionary.source(0).toString(), QString::fromUtf16(u"ЁёҐґЎўЄєЇїІі\u0098€№"));
}

TEST(DictionaryEncodings, Utf8IsSplitOnBytesThenDecoded)
{
    // The first byte of a line is skipped even when it starts a letter; a
    // text starting with U+FEFF inside the file keeps it.
    const Dictionary dictionary = make(u("Ж\"=\"a\"\n\"\uFEFFb\"=\"c\"\n").toUtf8());
    ASSERT_EQ(dictionary.size(), 2);
    EXPECT_EQ(dictionary.source(0).toString(), QString(QChar::ReplacementCharacter));
    EXPECT_EQ(dictionary.source(1).toString(), QString(QChar(0xFEFF)) + "b");

    const Dictionary marked = make("\xEF\xBB\xBF");
    EXPECT_EQ(marked.size(), 0) << "a mark alone holds no line";
}
