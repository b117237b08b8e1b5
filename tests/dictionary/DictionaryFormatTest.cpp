#include "translation/DictionaryFormat.h"

#include "platform/Utf8.h"
#include "translation/CaseFolding.h"
#include "translation/TextDecoder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace translation;

namespace {

std::vector<std::string> lines(const std::string& bytes)
{
    std::vector<std::string> result;
    for (const std::string_view line : splitLines(bytes)) {
        result.emplace_back(line);
    }
    return result;
}

struct Split
{
    std::string source;
    std::string target;
    bool operator==(const Split&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Split& split)
{
    return os << "source [" << split.source << "] target [" << split.target << "]";
}

Split split(const std::string& line)
{
    const LineParts parts = splitLine(line);
    return {line.substr(parts.source.begin, parts.source.size()),
            line.substr(parts.target.begin, parts.target.size())};
}

using Lines = std::vector<std::string>;

} // namespace

TEST(DictionaryLines, EndAtCrLfOrCrLfAndAFinalEndAddsNoLine)
{
    EXPECT_EQ(lines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(lines("a\nb\n"), (Lines{"a", "b"})) << "LF ends a line";
    EXPECT_EQ(lines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(lines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(lines("a\n\rb"), (Lines{"a", "", "b"})) << "LF CR is two line ends";
    EXPECT_EQ(lines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(DictionaryLines, EmptyLinesInsideTheFileStay)
{
    EXPECT_EQ(lines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(lines("\n"), (Lines{""}));
    EXPECT_EQ(lines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(lines(""), Lines{});
    EXPECT_EQ(lines(std::string("a\0b\n", 4)), (Lines{std::string("a\0b", 3)}));
}

TEST(DictionaryLines, MixedLineEndsAreNotRescanned)
{
    // Many LF-only lines after one CR: each line must still be found.
    std::string bytes = "x\r";
    for (int i = 0; i < 1000; ++i) {
        bytes += "\"k\"=\"v\"\n";
    }
    bytes += "end\r";
    const Lines result = lines(bytes);
    ASSERT_EQ(result.size(), 1002u);
    EXPECT_EQ(countLines(bytes), 1002u);
    EXPECT_EQ(result.front(), "x");
    EXPECT_EQ(result[1000], "\"k\"=\"v\"");
    EXPECT_EQ(result.back(), "end");
}

TEST(DictionaryLineSplit, SourceFromSecondByteTargetWithoutLastByte)
{
    EXPECT_EQ(split("\"Run\"=\"Go\""), (Split{"Run", "Go"}));
    EXPECT_EQ(split("xRun\"=\"Gox"), (Split{"Run", "Go"})) << "the quotes are not checked";
    EXPECT_EQ(split("\"a\"=\"b\"=\"c\""), (Split{"a", "b\"=\"c"})) << "first separator counts";
    EXPECT_EQ(split("\"Run\"=\"Go\"   "), (Split{"Run", "Go\"  "}))
        << "spaces after the closing quote: quote and all but the last space stay";
    EXPECT_EQ(split("\"\"=\"\""), (Split{"", ""}));
    EXPECT_EQ(split("\"=\"x\""), (Split{"", "x"})) << "separator at the start";
    EXPECT_EQ(split("\"a\"=\""), (Split{"a", ""}));
    EXPECT_EQ(split("\"a\"="), (Split{"", "\""})) << "no separator";
}

TEST(DictionaryLineSplit, LineWithoutSeparatorGivesEmptySource)
{
    EXPECT_EQ(split("\"abc\""), (Split{"", "bc"}));
    EXPECT_EQ(split("abc"), (Split{"", ""}));
    EXPECT_EQ(split("ab"), (Split{"", ""}));
    EXPECT_EQ(split("a"), (Split{"", ""}));
    EXPECT_EQ(split(""), (Split{"", ""}));
}

TEST(DictionaryEncoding, ByteOrderMarkOrValidUtf8MeansUtf8)
{
    const auto detect = [](const std::string& bytes) { return detectEncoding(bytes); };
    EXPECT_EQ(detect("\xEF\xBB\xBF\"a\"=\"b\"").encoding, TextEncoding::Utf8);
    EXPECT_EQ(detect("\xEF\xBB\xBF\"a\"=\"b\"").markLength, 3u);
    EXPECT_EQ(detect("\xEF\xBB\xBF\xFF").encoding, TextEncoding::Utf8) << "the mark decides";
    EXPECT_EQ(detect("\"\xD0\x81\"=\"E\"").encoding, TextEncoding::Utf8);
    EXPECT_EQ(detect("\"\xD0\x81\"=\"E\"").markLength, 0u);
    EXPECT_EQ(detect("\"\xC2\xFB\xEF\"=\"Run\"").encoding, TextEncoding::Windows1251);
    EXPECT_EQ(detect("\"\xED\xA0\x80\"").encoding, TextEncoding::Windows1251)
        << "an encoded surrogate is not valid UTF-8";
    EXPECT_EQ(detect("\"\xC0\xAF\"").encoding, TextEncoding::Windows1251) << "overlong form";
    EXPECT_EQ(detect("plain").encoding, TextEncoding::Windows1251);
}

TEST(DictionaryLineBreakMarks, BothDirectionsLeftToRight)
{
    EXPECT_EQ(toLineBreakMarks(u"A\r\nB"), u"A||B");
    EXPECT_EQ(toLineBreakMarks(u"A\rB\nC\n\r"), u"A\rB\nC\n\r");
    EXPECT_EQ(fromLineBreakMarks(u"X||Y"), u"X\r\nY");
    EXPECT_EQ(fromLineBreakMarks(u"|||"), u"\r\n|");
    EXPECT_EQ(fromLineBreakMarks(u"||||"), u"\r\n\r\n");
    EXPECT_TRUE(hasLineBreak(u"A\r\nB"));
    EXPECT_FALSE(hasLineBreak(u"A\n\rB"));
}

TEST(DictionaryCaseFolding, LatinCyrillicAndBeyond)
{
    const auto fold = [](std::u16string_view text) {
        FoldBuffer out;
        caseFold(text, out);
        return std::u16string(out.begin(), out.end());
    };
    EXPECT_EQ(fold(u"RUN run"), u"run run");
    EXPECT_EQ(fold(u"ВЫПОЛНИТЬ Ё Ї Є І Ґ Ў"), u"выполнить ё ї є і ґ ў");
    EXPECT_EQ(fold(u"Straße ẞ"), u"straße ß") << "simple folding: one letter stays one letter";
    EXPECT_EQ(fold(u"ΣΑΣ ς"), u"σασ σ");
    EXPECT_EQ(fold(u"\U00010400x"), u"\U00010428x") << "a letter outside the BMP";
    EXPECT_EQ(fold(u"\U0001E900"), u"\U0001E922") << "the last block that folds";
    EXPECT_EQ(fold(u"\u13F8\uAB70"), u"\u13F0\u13A0") << "folds to a lower code point";
    const std::u16string lone{char16_t(0xD801), u'A', char16_t(0), char16_t(0xDC00)};
    EXPECT_EQ(fold(lone), (std::u16string{char16_t(0xD801), u'a', char16_t(0), char16_t(0xDC00)}));
    std::u16string longText(1000, u'Ж');
    EXPECT_EQ(fold(longText), std::u16string(1000, u'ж')) << "longer than the inline buffer";
    EXPECT_EQ(foldCodePoint(0x10FFFF), char32_t(0x10FFFF));
}

// Malformed UTF-8 is replaced byte by byte: each byte that does not start a
// well-formed sequence gives one U+FFFD, and decoding resumes right after it.
// The dictionary's decoder and the programs' own texts (platform::fromUtf8)
// follow the same rules.
TEST(DictionaryDecoding, MalformedUtf8GivesOneReplacementPerByteThatStartsNoLetter)
{
    const auto decode = [](std::string_view bytes) {
        std::u16string out(bytes.size(), u'\0');
        const TextDecoder decoder(TextEncoding::Utf8);
        out.resize(std::size_t(decoder.decode(bytes, out.data()) - out.data()));
        return out;
    };
    const struct
    {
        std::string_view bytes;
        std::u16string_view text;
    } cases[] = {
        {"a\xD0\x81"
         "b",
         u"aЁb"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xEF\xBB\xBFx", u"\uFEFFx"},
        {"\xEF\xBF\xBF", u"\uFFFF"},
        {"\xC3", u"\uFFFD"},
        {"\xE2\x82", u"\uFFFD\uFFFD"},
        {"\xE2\x82x", u"\uFFFD\uFFFDx"},
        {"\xF0\x9F\x98", u"\uFFFD\uFFFD\uFFFD"},
        {"\x80\xBF", u"\uFFFD\uFFFD"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF5\xFF", u"\uFFFD\uFFFD"},
        {"\xC3x\xA9", u"\uFFFDx\uFFFD"},
        {"\xE2\x82\xC3\xA9", u"\uFFFD\uFFFDé"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decode(c.bytes), c.text) << testing::PrintToString(std::string(c.bytes));
        EXPECT_EQ(platform::fromUtf8(c.bytes), c.text);
        EXPECT_LE(decode(c.bytes).size(), TextDecoder::maxUnits(c.bytes.size()));
    }
}

// UTF-16 back to UTF-8: pairs as one four-byte sequence, an unpaired
// surrogate, which UTF-8 cannot hold, as U+FFFD.
TEST(DictionaryDecoding, Utf16ToUtf8KeepsPairsAndReplacesUnpairedSurrogates)
{
    const std::u16string text = u"aЁ\uFEFF\uFFFF\U0001F600z";
    EXPECT_EQ(platform::toUtf8(text), "a\xD0\x81\xEF\xBB\xBF\xEF\xBF\xBF\xF0\x9F\x98\x80z");
    EXPECT_EQ(platform::fromUtf8(platform::toUtf8(text)), text);
    const char16_t high = 0xD83D;
    const char16_t low = 0xDE00;
    EXPECT_EQ(platform::toUtf8(std::u16string{high}), "\xEF\xBF\xBD");
    EXPECT_EQ(platform::toUtf8(std::u16string{low, high, u'x', high}),
              "\xEF\xBF\xBD\xEF\xBF\xBDx\xEF\xBF\xBD");
}

TEST(DictionaryDecoding, Windows1251IsOneUnitPerByteAndFoldsFromTheBytes)
{
    const std::string bytes = "\xC2\xFB\xEF\xA8\xB8\x98 AZ";
    const TextDecoder decoder(TextEncoding::Windows1251);
    std::u16string out(bytes.size(), u'\0');
    out.resize(std::size_t(decoder.decode(bytes, out.data()) - out.data()));
    EXPECT_EQ(out, u"ВыпЁё\u0098 AZ");
    FoldBuffer folded;
    ASSERT_TRUE(decoder.decodeFolded(bytes, folded));
    EXPECT_EQ(std::u16string(folded.begin(), folded.end()), u"выпёё\u0098 az");
    EXPECT_FALSE(TextDecoder(TextEncoding::Utf8).decodeFolded(bytes, folded));
}
