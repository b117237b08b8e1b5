#include "WideText.h"

#include <windows.h>

namespace launcher::win32 {

namespace {

constexpr UINT CyrillicCodePage = 1251;

std::wstring decode(UINT codePage, std::string_view bytes)
{
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    }
    return wide;
}

} // namespace

std::wstring toWide(std::string_view utf8)
{
    return decode(CP_UTF8, utf8);
}

std::wstring fromWindows1251(std::string_view bytes)
{
    return decode(CyrillicCodePage, bytes);
}

std::string toUtf8(std::wstring_view wide)
{
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    }
    return utf8;
}

std::wstring windowText(void* window)
{
    const HWND hwnd = static_cast<HWND>(window);
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace launcher::win32
