#pragma once

#include "launcher/window/WindowTexts.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace check {

// What a dictionary makes of one text the window looks up.
struct TextTranslation
{
    launcher::LookedUpText text;
    std::size_t line = 0;  // the dictionary line whose entry it finds (from 1); 0: none
    std::u16string target; // that entry's target ("||" for line breaks)

    bool found() const { return line != 0; }
    // Still as in the source: its entry gives it the text itself, as every
    // entry of a fresh template does (the empty hint's "" too).
    bool asInSource() const { return found() && target == text.text; }
    // Translated: the dictionary gives it another text, or there is nothing
    // to translate (an empty text, which is shown as it is without an entry).
    bool translated() const { return found() ? !asInSource() : text.text.empty(); }
};

// A dictionary line that never gives the window a text.
struct UnusedLine
{
    enum class Why
    {
        MatchesNoText, // its source is no text the window looks up, case ignored
        Repeats,       // an earlier line has the same source, case ignored, and wins
    };
    std::size_t line = 0; // from 1
    Why why = Why::MatchesNoText;
    std::u16string source;
    std::size_t earlierLine = 0; // Repeats: the line that wins
};

struct TextsReport
{
    std::string dictionaryPath;
    std::vector<TextTranslation> texts;
    std::vector<UnusedLine> unusedLines;
    // Lines without the separator "=" between quotes: their source is
    // empty, so they give an empty text (the window's hint) their target.
    std::vector<std::size_t> linesWithoutSeparator;

    std::size_t translatedCount() const;
    std::size_t asInSourceCount() const;
    bool allTranslated() const { return translatedCount() == texts.size(); }
};

// Looks each of `texts` up in the dictionary made of `dictionaryBytes`,
// exactly as the launcher does once it has loaded that file, and finds the
// lines that never give the window a text. Nullopt when the bytes are too
// many for a dictionary.
std::optional<TextsReport> checkTexts(const std::vector<launcher::LookedUpText>& texts,
                                      std::string_view dictionaryBytes);

// The report as the translator reads it (UTF-8): each text with what the
// window shows for it, the unused lines, and a count.
void printTextsReport(const TextsReport& report, std::ostream& out);

struct WrittenDictionary
{
    std::string bytes; // UTF-8 with a byte-order mark
    // The texts it could not hold as they are, one sentence each.
    std::vector<std::string> problems;
};

// A dictionary with one line "text"="target" per text of `texts`, in
// order, line breaks written "||", each text once. A text that no
// dictionary line can hold (one with a lone CR or LF, or whose line would
// split elsewhere than after it) is left out, and so is one that equals an
// earlier text but for case (a dictionary maps both alike): each is named
// in `problems`.
WrittenDictionary writeDictionary(const std::vector<launcher::LookedUpText>& texts,
                                  const std::function<std::u16string(std::u16string_view)>& target);

// The same with every text as its own target: a dictionary that changes
// nothing, for a translator to fill in.
WrittenDictionary dictionaryTemplate(const std::vector<launcher::LookedUpText>& texts);

} // namespace check
