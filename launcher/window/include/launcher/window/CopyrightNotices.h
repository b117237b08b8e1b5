#pragma once

#include <string_view>

namespace launcher {

// The maker's notice in Russian, as the window's label carries it (UTF-8):
// two lines joined by CR LF, the second indented by four spaces.
std::string_view russianCopyrightNotice();

// The maker's notice in English (UTF-8): two lines joined by a single CR,
// the second indented by three spaces.
std::string_view englishCopyrightNotice();

// True when the user's language, given by its abbreviated name ("RUS" for
// Russian, ASCII letters in any case), keeps the Russian notice. Any other
// name, the empty one included, asks for the English notice.
bool keepsRussianNotice(std::string_view languageAbbreviation);

} // namespace launcher
