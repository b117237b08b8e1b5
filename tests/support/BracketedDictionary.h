#pragma once

#include "FixtureRecord.h"
#include "TranslatorKit.h"
#include "launcher/window/WindowTexts.h"
#include "translation/Dictionary.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace testsupport {

// Loads, from a file in `dir`, a dictionary that turns every text the
// launcher window looks up into itself in square brackets, as the check
// tool's kit writes it.
inline void loadBracketedDictionary(const TempDir& dir)
{
    const check::WrittenDictionary written =
        check::writeDictionary(launcher::launcherWindowLookups(), [](std::u16string_view text) {
            return u"[" + std::u16string(text) + u"]";
        });
    ASSERT_TRUE(written.problems.empty());
    const std::string path = (dir.path() / "Orvanel.Dic").string();
    std::ofstream(path, std::ios::binary) << written.bytes;
    translation::LoadDictionary(path);
}

inline bool isBracketed(std::u16string_view text)
{
    return text.size() >= 2 && text.front() == u'[' && text.back() == u']';
}

} // namespace testsupport
