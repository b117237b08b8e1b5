#pragma once

#include "translation/WalkRules.h"

#include <map>
#include <string>
#include <vector>

// A lookup for the translator's tests that notes every text it is asked
// for and answers from `entries` (the text itself without one); as the
// dictionary does, it turns each "||" of its answer into CR LF.
struct RecordingLookup
{
    std::map<std::u16string, std::u16string> entries;
    std::vector<std::u16string> asked;

    translation::TextLookup function()
    {
        return [this](std::u16string_view text) {
            asked.emplace_back(text);
            const auto found = entries.find(std::u16string(text));
            std::u16string result = found != entries.end() ? found->second : std::u16string(text);
            for (std::size_t at; (at = result.find(u"||")) != std::u16string::npos;) {
                result.replace(at, 2, u"\r\n");
            }
            return result;
        };
    }
};
