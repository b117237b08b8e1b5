#pragma once

#include <QString>
#include <string_view>

namespace launcher {

// The maker's notice in Russian, as the window carries it: two lines
// joined by CR LF, the second indented by four spaces.
QString russianCopyrightNotice();

// The maker's notice in English: two lines joined by a single CR, the
// second indented by three spaces.
QString englishCopyrightNotice();

// True when the user's language, given by its abbreviated name ("RUS" for
// Russian, in any letter case), keeps the Russian notice. Any other name,
// the empty one included, asks for the English notice.
bool keepsRussianNotice(std::string_view languageAbbreviation);

} // namespace launcher
