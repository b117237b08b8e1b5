#include "platform/Locale.h"

#include <cstdlib>

namespace platform {

std::string userLanguageAbbreviation()
{
    return languageAbbreviationFromEnvironment(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                               std::getenv("LANG"));
}

} // namespace platform
