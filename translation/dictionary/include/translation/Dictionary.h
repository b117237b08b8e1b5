#pragma once

#include <QString>
#include <string>

namespace translation {

// Reads the interface dictionary at `path` (bytes, as the file system
// spells it). Called once at start-up; a missing or unreadable file leaves
// every text untranslated.
void LoadDictionary(const std::string& path);

// The text to display in place of `text`: CR LF is looked up as "||", and
// "||" in the result is shown as CR LF.
QString TranslateText(const QString& text);

} // namespace translation
