#include "launcher/window/CopyrightNotices.h"

#include "NoticeTexts.h"
#include "platform/AsciiCase.h"

namespace launcher {

std::string_view russianCopyrightNotice()
{
    return notices::Russian;
}

std::string_view englishCopyrightNotice()
{
    return notices::English;
}

bool keepsRussianNotice(std::string_view languageAbbreviation)
{
    return platform::asciiUpper(languageAbbreviation) == "RUS";
}

} // namespace launcher
