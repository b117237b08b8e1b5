#pragma once

// Windows only: texts are UTF-8 (or UTF-16 in char16_t, as the dictionary
// gives them) inside the programs and UTF-16 at the W calls. The conversion
// is platform/Utf8.h's, never the system's ANSI code page.

#include "platform/Utf8.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace platform {

// wchar_t and char16_t differ only in name here.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring toWide(std::u16string_view text)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string toU16(std::wstring_view text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// The conversions of platform/Utf8.h for the W functions.
inline std::wstring toWide(std::string_view utf8)
{
    return toWide(fromUtf8(utf8));
}

inline std::string toUtf8(std::wstring_view wide)
{
    return toUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

// The text of a window, through GetWindowTextW; empty when it has none.
std::wstring windowText(HWND window);
inline std::u16string windowTextU16(HWND window)
{
    return toU16(windowText(window));
}
void setWindowText(HWND window, std::u16string_view text);

// The system's reason for a Win32 error code, on one line, in UTF-8:
// "error 126: The specified module could not be found".
std::string systemErrorText(DWORD code);

} // namespace platform
