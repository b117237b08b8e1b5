#include "TranslatorKit.h"

#include "platform/ErrorReport.h"
#include "platform/Utf8.h"
#include "translation/CaseFolding.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryFormat.h"
#include "translation/FoldBuffer.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <unordered_set>

namespace check {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Separator = "\"=\"";

// A text as the report shows it: UTF-8, with control characters (which
// could drive the terminal) written as \xNN, as on an error line.
std::string shown(std::u16string_view text)
{
    // Appended piece by piece: GCC 12 at -O3 takes "\"" + std::string for
    // an overlapping copy (-Wrestrict).
    std::string quoted(1, '"');
    quoted += platform::escapeForErrorLine(platform::toUtf8(text), platform::Backslash::Escaped);
    quoted += '"';
    return quoted;
}

const char* roleName(launcher::TextRole role)
{
    return role == launcher::TextRole::Caption ? "caption" : "hint";
}

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    translation::FoldBuffer folded;
    translation::caseFold(b, folded);
    return translation::equalFolded(a, folded);
}

} // namespace

std::size_t TextsReport::translatedCount() const
{
    return static_cast<std::size_t>(std::count_if(
        texts.begin(), texts.end(), [](const TextTranslation& text) { return text.translated(); }));
}

std::size_t TextsReport::asInSourceCount() const
{
    return static_cast<std::size_t>(std::count_if(
        texts.begin(), texts.end(), [](const TextTranslation& text) { return text.asInSource(); }));
}

std::optional<TextsReport> checkTexts(const std::vector<launcher::LookedUpText>& texts,
                                      std::string_view dictionaryBytes)
{
    const std::optional<translation::Dictionary> dictionary =
        translation::Dictionary::fromBytes(dictionaryBytes);
    if (!dictionary) {
        return std::nullopt;
    }
    TextsReport report;
    std::unordered_set<std::ptrdiff_t> usedEntries;
    for (const launcher::LookedUpText& text : texts) {
        TextTranslation translation;
        translation.text = text;
        const std::ptrdiff_t entry = dictionary->find(text.text);
        if (entry >= 0) {
            usedEntries.insert(entry);
            translation.line = static_cast<std::size_t>(entry) + 1;
            translation.target = std::u16string(dictionary->target(entry));
        }
        report.texts.push_back(std::move(translation));
    }

    // The lines as the dictionary split them: entry k is line k + 1.
    const translation::EncodingChoice encoding = translation::detectEncoding(dictionaryBytes);
    const std::vector<std::string_view> lines =
        translation::splitLines(dictionaryBytes.substr(encoding.markLength));
    for (std::ptrdiff_t entry = 0; entry < dictionary->size(); ++entry) {
        const auto index = static_cast<std::size_t>(entry);
        const std::size_t line = index + 1;
        // An empty line gives nothing and takes nothing away.
        if (index >= lines.size() || lines[index].empty()) {
            continue;
        }
        if (lines[index].find(Separator) == std::string_view::npos) {
            report.linesWithoutSeparator.push_back(line);
            continue;
        }
        const std::u16string_view source = dictionary->source(entry);
        const std::ptrdiff_t first = dictionary->find(source);
        if (first >= 0 && first < entry) {
            report.unusedLines.push_back({line, UnusedLine::Why::Repeats, std::u16string(source),
                                          static_cast<std::size_t>(first) + 1});
        } else if (!usedEntries.contains(entry)) {
            report.unusedLines.push_back(
                {line, UnusedLine::Why::MatchesNoText, std::u16string(source), 0});
        }
    }
    return report;
}

void printTextsReport(const TextsReport& report, std::ostream& out)
{
    out << "Dictionary: " << report.dictionaryPath << '\n';
    out << "Texts the launcher window looks up when it is shown, in this order:\n";
    std::size_t number = 0;
    for (const TextTranslation& text : report.texts) {
        out << std::setw(4) << ++number << ' ' << text.text.component << ' '
            << roleName(text.text.role) << ' ' << shown(text.text.text) << '\n';
        out << "       ";
        if (text.found()) {
            out << "line " << text.line << ": " << shown(text.target)
                << (text.asInSource() ? " STILL AS IN THE SOURCE" : "") << '\n';
        } else if (text.text.text.empty()) {
            out << "empty: shown as it is without an entry\n";
        } else {
            out << "NOT TRANSLATED\n";
        }
    }

    if (!report.unusedLines.empty() || !report.linesWithoutSeparator.empty()) {
        out << "Dictionary lines that give the window no text:\n";
        for (const UnusedLine& line : report.unusedLines) {
            out << "  line " << line.line << ": " << shown(line.source);
            if (line.why == UnusedLine::Why::Repeats) {
                out << " repeats the source of line " << line.earlierLine
                    << ", which is used instead\n";
            } else {
                out << " is no text the window looks up\n";
            }
        }
        for (const std::size_t line : report.linesWithoutSeparator) {
            out << "  line " << line << ": no \"=\" between quotes, so its source is empty\n";
        }
    }

    // "9 of 13 texts translated, 2 not, 2 still as in the source"
    const std::size_t translated = report.translatedCount();
    const std::size_t asInSource = report.asInSourceCount();
    const std::size_t notTranslated = report.texts.size() - translated - asInSource;
    out << translated << " of " << report.texts.size() << " texts translated";
    if (notTranslated > 0) {
        out << ", " << notTranslated << " not";
    }
    if (asInSource > 0) {
        out << ", " << asInSource << " still as in the source";
    }
    out << '\n';
}

WrittenDictionary writeDictionary(const std::vector<launcher::LookedUpText>& texts,
                                  const std::function<std::u16string(std::u16string_view)>& target)
{
    WrittenDictionary written;
    written.bytes = Utf8Mark;
    std::vector<std::u16string> kept;
    for (const launcher::LookedUpText& text : texts) {
        const std::string named = "the " + std::string(roleName(text.role)) + " of " +
                                  std::string(text.component) + ", " + shown(text.text);
        // Kept texts differ from each other even in case: one at most matches.
        const auto earlier = std::find_if(kept.begin(), kept.end(), [&](const auto& keptText) {
            return equalIgnoringCase(keptText, text.text);
        });
        if (earlier != kept.end()) {
            if (*earlier != text.text) {
                written.problems.push_back(
                    named + ", differs only in case from " + shown(*earlier) +
                    ": a dictionary gives both the same target, so it is left out");
            }
            continue;
        }
        const std::string source = platform::toUtf8(text.text);
        const std::string line =
            "\"" + source + std::string(Separator) + platform::toUtf8(target(text.text)) + "\"";
        // The line must split back into this very source: no line end
        // inside, and no "=" between quotes before the separator.
        const translation::LineParts parts = translation::splitLine(line);
        const bool holdsIt = line.find_first_of("\r\n") == std::string::npos &&
                             line.substr(parts.source.begin, parts.source.size()) == source;
        if (!holdsIt) {
            written.problems.push_back(named + ", cannot be written as a dictionary line");
            continue;
        }
        kept.push_back(text.text);
        written.bytes += line;
        written.bytes += '\n';
    }
    return written;
}

WrittenDictionary dictionaryTemplate(const std::vector<launcher::LookedUpText>& texts)
{
    return writeDictionary(texts, [](std::u16string_view text) { return std::u16string(text); });
}

} // namespace check
