#include "platform/Console.h"

#include <cstdio>
#include <windows.h>

namespace platform {

namespace {

std::wstring wideFrom(UINT codePage, std::string_view text)
{
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

bool writeToConsole(HANDLE console, std::string_view utf8)
{
    // A text that cannot be decoded is written as nothing rather than cut.
    const std::wstring wide = wideFrom(CP_UTF8, utf8);
    std::size_t done = 0;
    while (done < wide.size()) {
        // The console takes a limited amount at a time.
        const DWORD chunk =
            static_cast<DWORD>(wide.size() - done < 8192 ? wide.size() - done : 8192);
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace

bool writeStandardOutput(std::string_view utf8)
{
    std::fflush(stdout);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (output != nullptr && output != INVALID_HANDLE_VALUE && GetConsoleMode(output, &mode)) {
        return writeToConsole(output, utf8);
    }
    const std::size_t written = std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return std::fflush(stdout) == 0 && written == utf8.size();
}

std::string systemTextToUtf8(std::string_view text)
{
    const std::wstring wide = wideFrom(CP_ACP, text);
    if (wide.empty()) {
        return std::string(text);
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return std::string(text);
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

} // namespace platform
