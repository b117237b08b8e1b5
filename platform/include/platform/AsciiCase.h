#pragma once

#include <string>
#include <string_view>

namespace platform {

// Upper case for ASCII letters only; every other byte, UTF-8 and
// Windows-1251 letters included, stays as it is.
constexpr char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string asciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        c = asciiUpper(c);
    }
    return upper;
}

} // namespace platform
