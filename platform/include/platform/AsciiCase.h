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

// Whether `a` and `b` are the same text when ASCII letters are compared
// without case.
constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace platform
