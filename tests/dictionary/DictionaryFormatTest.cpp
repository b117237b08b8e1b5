#include "translation/DictionaryFormat.h"

#include "QtPrinting.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace translation;

namespace {

std::vector<std::string> lines(const std::string& bytes)
{
    std::vector<std::string> result;
    for (const QByteArrayView line : splitLines(QByteArrayView(bytes.data(), bytes.size())))
        result.emplace_back(line.data(), static_cast<std::size_t>(line.size()));
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
    const LineParts parts = splitLine(QByteArrayView(line.data(), line.size()));
    return {line.substr(static_cast<std::size_t>(parts.source.begin),
                        static_cast<std::size_t>(parts.source.size())),
            line.substr(static_cast<std::size_t>(parts.target.begin),
                        static_cast<std::size_t>(parts.target.size()))};
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
    for (int i = 0; i < 1000; ++i)
        bytes += "\"k\"=\"v\"\n";
    bytes += "end\r";
    const Lines result = lines(bytes);
    ASSERT_EQ(result.size(), 1002u);
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
    const auto detect = [](const std::string& bytes) {
        return detectEncoding(QByteArrayView(bytes.data(), bytes.size()));
    };
    EXPECT_EQ(detect("\xEF\xBB\xBF\"a\"=\"b\"").encoding, TextEncoding::Utf8);
    EXPECT_EQ(detect("\xEF\xBB\xBF\"a\"=\"b\"").markLength, 3);
    EXPECT_EQ(detect("\xEF\xBB\xBF\xFF").encoding, TextEncoding::Utf8) << "the mark decides";
    EXPECT_EQ(detect("\"\xD0\x81\"=\"E\"").encoding, TextEncoding::Utf8);
    EXPECT_EQ(detect("\"\xD0\x81\"=\"E\"").markLength, 0);
    EXPECT_EQ(detect("\"\xC2\xFB\xEF\"=\"Run\"").encoding, TextEncoding::Windows1251);
    EXPECT_EQ(detect("\"\xED\xA0\x80\"").encoding, TextEncoding::Windows1251)
        << "an encoded surrogate is not valid UTF-8";
    EXPECT_EQ(detect("\"\xC0\xAF\"").encoding, TextEncoding::Windows1251) << "overlong form";
    EXPECT_EQ(detect("plain").encoding, TextEncoding::Windows1251);
}

TEST(DictionaryLineBreakMarks, BothDirectionsLeftToRight)
{
    EXPECT_EQ(toLineBreakMarks(QStringLiteral("A\r\nB")), QStringLiteral("A||B"));
    EXPECT_EQ(toLineBreakMarks(QStringLiteral("A\rB\nC\n\r")), QStringLiteral("A\rB\nC\n\r"));
    EXPECT_EQ(fromLineBreakMarks(QStringLiteral("X||Y")), QStringLiteral("X\r\nY"));
    EXPECT_EQ(fromLineBreakMarks(QStringLiteral("|||")), QStringLiteral("\r\n|"));
    EXPECT_EQ(fromLineBreakMarks(QStringLiteral("||||")), QStringLiteral("\r\n\r\n"));
}

TEST(DictionaryCaseFolding, LatinCyrillicAndBeyond)
{
    const auto fold = [](const QString& text) {
        FoldBuffer out;
        caseFold(text, out);
        return QString(reinterpret_cast<const QChar*>(out.data()), out.size());
    };
    EXPECT_EQ(fold(QStringLiteral("RUN run")), QStringLiteral("run run"));
    EXPECT_EQ(fold(QStringLiteral("ВЫПОЛНИТЬ Ё Ї Є І Ґ Ў")),
              QStringLiteral("выполнить ё ї є і ґ ў"));
    EXPECT_EQ(fold(QStringLiteral("Straße ẞ")), QStringLiteral("straße ß"))
        << "simple folding: one letter stays one letter";
    EXPECT_EQ(fold(QStringLiteral("ΣΑΣ ς")), QStringLiteral("σασ σ"));
    EXPECT_EQ(fold(QString::fromUcs4(U"\U00010400x")), QString::fromUcs4(U"\U00010428x"))
        << "a letter outside the BMP";
    const QString lone = QString(QChar(0xD801)) + QChar(u'A') + QChar(0);
    EXPECT_EQ(fold(lone), QString(QChar(0xD801)) + QChar(u'a') + QChar(0));
}
