#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace translation::win32 {

// Window texts are UTF-16 on both sides of the W functions: wchar_t and
// char16_t differ only in name here.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::u16string toU16(std::wstring_view text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

inline std::wstring toWide(std::u16string_view text)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(window, text.data(), length + 1);
    text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return toU16(text);
}

inline void setWindowText(HWND window, std::u16string_view text)
{
    const std::wstring copy = toWide(text);
    SetWindowTextW(window, copy.c_str());
}

} // namespace translation::win32
