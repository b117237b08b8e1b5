#include "platform/Locale.h"

#include <windows.h>

namespace platform {

std::string userLanguageAbbreviation()
{
    // Three letters and the null: "RUS", "ENU", "DEU".
    char buffer[4] = {};
    const int reported =
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, sizeof buffer);
    if (reported <= 0) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(reported - 1));
}

} // namespace platform
