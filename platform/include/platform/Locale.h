#pragma once

#include <string>

namespace platform {

// Abbreviated language name of the user's default locale, as Windows
// reports it for LOCALE_SABBREVLANGNAME: "RUS" for Russian. On POSIX the
// language of LC_ALL, LC_MESSAGES or LANG (the first that is set and not
// empty) is looked at: Russian gives "RUS", another language its code in
// upper case ("EN", "DE"), the C or POSIX locale gives "". Empty when the
// platform cannot tell.
std::string userLanguageAbbreviation();

// The rule behind the POSIX answer, for given values of LC_ALL,
// LC_MESSAGES and LANG (null when unset). Available on every platform.
std::string languageAbbreviationFromEnvironment(const char* lcAll, const char* lcMessages,
                                                const char* lang);

} // namespace platform
