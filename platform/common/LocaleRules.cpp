#include "platform/AsciiCase.h"
#include "platform/Locale.h"

namespace platform {

std::string languageAbbreviationFromEnvironment(const char* lcAll, const char* lcMessages,
                                                const char* lang)
{
    const char* value = nullptr;
    for (const char* candidate : {lcAll, lcMessages, lang}) {
        if (candidate != nullptr && *candidate != '\0') {
            value = candidate;
            break;
        }
    }
    if (value == nullptr) {
        return {};
    }
    // language[_territory][.codeset][@modifier]
    std::string language;
    for (const char* p = value; *p != '\0' && *p != '_' && *p != '.' && *p != '@'; ++p) {
        language += asciiUpper(*p);
    }
    if (language == "C" || language == "POSIX") {
        return {};
    }
    if (language == "RU") {
        return "RUS";
    }
    return language;
}

} // namespace platform
