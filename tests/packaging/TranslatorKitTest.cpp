// The translator's kit of the check tool: the texts the launcher window
// looks up, what a dictionary makes of them, and the dictionary template,
// loaded back as the launcher loads its dictionary. Built on Linux and for
// Windows alike.
#include "TranslatorKit.h"

#include "FixtureRecord.h"
#include "launcher/window/WindowTexts.h"
#include "platform/Utf8.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryFormat.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using launcher::LookedUpText;
using launcher::TextRole;

namespace {

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string printed(const check::TextsReport& report)
{
    std::ostringstream out;
    check::printTextsReport(report, out);
    return out.str();
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Unloads whatever dictionary a test loaded.
class LoadedDictionary : public testing::Test
{
protected:
    void TearDown() override { translation::LoadDictionary((m_dir.path() / "none").string()); }

    testsupport::TempDir m_dir;
};

} // namespace

TEST(TranslatorKit, TheEnglishDictionaryTranslatesEveryTextTheWindowLooksUp)
{
    const std::vector<LookedUpText> texts = launcher::launcherWindowLookups();
    const auto report = check::checkTexts(texts, fileBytes(DERIZE_ENGLISH_DICTIONARY));
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->allTranslated());
    EXPECT_TRUE(report->unusedLines.empty());
    EXPECT_TRUE(report->linesWithoutSeparator.empty());
    for (const check::TextTranslation& text : report->texts) {
        SCOPED_TRACE(platform::toUtf8(text.text.text));
        // Only the window's empty hint needs no entry.
        EXPECT_EQ(text.found(), !text.text.text.empty());
        if (text.found()) {
            EXPECT_NE(text.target, text.text.text);
        }
    }
    const std::string out = printed(*report);
    EXPECT_TRUE(contains(out, "   1 FormGears caption \"Комплекс программ ЗЕФРАН-DIVIZ\"\n"
                              "       line 1: \"ZEFRAN-DIVIZ program suite\"\n"))
        << out;
    EXPECT_TRUE(contains(out, "       line 12: \"© 2026 the ZEFRAN-DIVIZ developers||    All "
                              "rights reserved.\"\n"))
        << out;
    EXPECT_TRUE(contains(out, std::to_string(texts.size()) + " of " + std::to_string(texts.size()) +
                                  " texts translated\n"))
        << out;
    EXPECT_FALSE(contains(out, "NOT TRANSLATED")) << out;
}

TEST(TranslatorKit, AOneLineDictionaryLeavesEveryOtherTextNotTranslated)
{
    const std::vector<LookedUpText> texts = launcher::launcherWindowLookups();
    // Windows-1251 and upper case: the lookup ignores case as the launcher's.
    const auto report =
        check::checkTexts(texts, "\"\xc2\xdb\xcf\xce\xcb\xcd\xc8\xd2\xdc\"=\"Run\"");
    ASSERT_TRUE(report);
    EXPECT_FALSE(report->allTranslated());
    // The Run button, and the empty hint, which needs no entry.
    EXPECT_EQ(report->translatedCount(), 2u);
    EXPECT_EQ(report->texts.back().text.component, "btnRun");
    EXPECT_EQ(report->texts.back().line, 1u);
    EXPECT_EQ(report->texts.back().target, u"Run");
    const std::string out = printed(*report);
    std::size_t marks = 0;
    for (std::size_t at = out.find("NOT TRANSLATED"); at != std::string::npos;
         at = out.find("NOT TRANSLATED", at + 1)) {
        ++marks;
    }
    EXPECT_EQ(marks, texts.size() - 2) << out;
    EXPECT_TRUE(contains(out, "2 of " + std::to_string(texts.size()) + " texts translated, " +
                                  std::to_string(texts.size() - 2) + " not\n"))
        << out;
}

TEST(TranslatorKit, LinesThatGiveTheWindowNoTextAreNamedByTheirNumbers)
{
    const std::vector<LookedUpText> texts = launcher::launcherWindowLookups();
    // Mixed line ends after a byte-order mark; line numbers count each one.
    const std::string dictionary = "\xEF\xBB\xBF"
                                   "\"Выполнитъ\"=\"Run\"\r\n"          // 1: a typo
                                   "\"выполнить\"=\"Run\"\r\n"          // 2: the Run button
                                   "\"ВЫПОЛНИТЬ\"=\"Go\"\n"             // 3: repeats line 2
                                   "\n"                                 // 4: empty: the hint's
                                   "\"Calculation types\"\r"            // 5: no separator
                                   "\"Типы расчетов\"=\"Types\x1b[2J\"" // 6: the group box
        ;
    const auto report = check::checkTexts(texts, dictionary);
    ASSERT_TRUE(report);
    ASSERT_EQ(report->unusedLines.size(), 2u);
    EXPECT_EQ(report->unusedLines[0].line, 1u);
    EXPECT_EQ(report->unusedLines[0].why, check::UnusedLine::Why::MatchesNoText);
    EXPECT_EQ(report->unusedLines[0].source, u"Выполнитъ");
    EXPECT_EQ(report->unusedLines[1].line, 3u);
    EXPECT_EQ(report->unusedLines[1].why, check::UnusedLine::Why::Repeats);
    EXPECT_EQ(report->unusedLines[1].earlierLine, 2u);
    EXPECT_EQ(report->linesWithoutSeparator, std::vector<std::size_t>{5});
    // The first entry with an empty source answers the window's hint.
    EXPECT_EQ(report->texts[1].line, 4u);

    const std::string out = printed(*report);
    EXPECT_TRUE(contains(out, "Dictionary lines that give the window no text:\n"
                              "  line 1: \"Выполнитъ\" is no text the window looks up\n"
                              "  line 3: \"ВЫПОЛНИТЬ\" repeats the source of line 2, which is "
                              "used instead\n"
                              "  line 5: no \"=\" between quotes, so its source is empty\n"))
        << out;
    // A target's control characters never reach the terminal raw.
    EXPECT_TRUE(contains(out, "line 6: \"Types\\x1B[2J\"")) << out;
}

TEST_F(LoadedDictionary, TheTemplateChangesNoTextOnceTheLauncherLoadsIt)
{
    const std::vector<LookedUpText> texts = launcher::launcherWindowLookups();
    const check::WrittenDictionary written = check::dictionaryTemplate(texts);
    EXPECT_TRUE(written.problems.empty());
    ASSERT_EQ(written.bytes.substr(0, 3), "\xEF\xBB\xBF");
    const std::vector<std::string_view> lines =
        translation::splitLines(std::string_view(written.bytes).substr(3));
    ASSERT_EQ(lines.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string text = platform::toUtf8(texts[i].text);
        EXPECT_EQ(lines[i], "\"" + text + "\"=\"" + text + "\"");
    }

    const fs::path path = m_dir.path() / "Orvanel.Dic";
    writeFile(path, written.bytes);
    translation::LoadDictionary(path.string());
    ASSERT_TRUE(translation::DictionaryLoaded());
    EXPECT_EQ(translation::SourceTexts().size(), texts.size());
    for (const LookedUpText& text : texts) {
        // The window's own text, with its line breaks.
        const std::u16string shown = translation::fromLineBreakMarks(text.text);
        EXPECT_EQ(translation::TranslateText(shown), shown) << platform::toUtf8(text.text);
    }

    // The kit finds every line of its own template used and nothing
    // translated yet: every text, the empty hint's too, still as in the
    // source.
    const auto report = check::checkTexts(texts, fileBytes(path));
    ASSERT_TRUE(report);
    EXPECT_FALSE(report->allTranslated());
    EXPECT_EQ(report->translatedCount(), 0u);
    EXPECT_EQ(report->asInSourceCount(), texts.size());
    EXPECT_TRUE(report->unusedLines.empty());
    EXPECT_TRUE(report->linesWithoutSeparator.empty());
    for (const check::TextTranslation& text : report->texts) {
        EXPECT_TRUE(text.found()) << platform::toUtf8(text.text.text);
    }
    const std::string out = printed(*report);
    EXPECT_TRUE(contains(out, "   2 FormGears hint \"\"\n"
                              "       line 2: \"\" STILL AS IN THE SOURCE\n"))
        << out;
    EXPECT_TRUE(contains(out, "\n0 of " + std::to_string(texts.size()) + " texts translated, " +
                                  std::to_string(texts.size()) + " still as in the source\n"))
        << out;

    // Partly done: the Run button translated, the caption given in other
    // letter case (a translation too), the hint's line taken out (the hint
    // then needs none) and the notice's as well: the count has all parts.
    std::vector<std::string> kept(lines.begin(), lines.end());
    kept.back() = "\"Выполнить\"=\"Run\"";
    kept[0] = "\"Комплекс программ ЗЕФРАН-DIVIZ\"=\"КОМПЛЕКС ПРОГРАММ ЗЕФРАН-DIVIZ\"";
    kept.erase(kept.begin() + 1, kept.begin() + 3);
    std::string partly;
    for (const std::string& line : kept) {
        partly += line + "\n";
    }
    const auto half = check::checkTexts(texts, partly);
    ASSERT_TRUE(half);
    EXPECT_FALSE(half->allTranslated());
    const std::string halfOut = printed(*half);
    EXPECT_TRUE(
        contains(halfOut, "\n3 of " + std::to_string(texts.size()) + " texts translated, 1 not, " +
                              std::to_string(texts.size() - 4) + " still as in the source\n"))
        << halfOut;
}

TEST_F(LoadedDictionary, TextsNoLineCanHoldAreLeftOutAndNamed)
{
    const auto text = [](std::u16string value) {
        return LookedUpText{"control", TextRole::Caption, std::move(value)};
    };
    const std::vector<LookedUpText> texts = {
        text(u"Run"),
        text(u"RUN"),       // the same but for case
        text(u"Run"),       // the same: written once
        text(u"a\"=\"b"),   // would split after "a"
        text(u"=\"x"),      // would split at once
        text(u"x\ry"),      // a lone CR ends a line
        text(u"quote\"d"),  // a quote alone is no separator
        text(u"Типы||все"), // a line-break mark is a text like any other
    };
    const check::WrittenDictionary written =
        check::writeDictionary(texts, [](std::u16string_view source) {
            std::u16string target(1, u'[');
            target += source;
            target += u']';
            return target;
        });
    EXPECT_EQ(written.bytes, "\xEF\xBB\xBF"
                             "\"Run\"=\"[Run]\"\n"
                             "\"quote\"d\"=\"[quote\"d]\"\n"
                             "\"Типы||все\"=\"[Типы||все]\"\n");
    ASSERT_EQ(written.problems.size(), 4u);
    EXPECT_TRUE(contains(written.problems[0], "\"RUN\", differs only in case from \"Run\""))
        << written.problems[0];
    EXPECT_TRUE(contains(written.problems[1], "\"a\"=\"b\", cannot be written"))
        << written.problems[1];
    EXPECT_TRUE(contains(written.problems[3], "\"x\\x0Dy\"")) << written.problems[3];

    const fs::path path = m_dir.path() / "Orvanel.Dic";
    writeFile(path, written.bytes);
    translation::LoadDictionary(path.string());
    EXPECT_EQ(translation::TranslateText(u"run"), u"[Run]");
    EXPECT_EQ(translation::TranslateText(u"quote\"d"), u"[quote\"d]");
    EXPECT_EQ(translation::TranslateText(u"Типы\r\nвсе"), u"[Типы\r\nвсе]");
}
