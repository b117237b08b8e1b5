#include "platform/Console.h"

#include "platform/WideText.h"

#include <cstdio>
#include <windows.h>

namespace platform {

namespace {

bool writeToConsole(HANDLE console, std::string_view utf8)
{
    const std::wstring wide = toWide(utf8);
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
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::string(text);
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return toUtf8(wide);
}

} // namespace platform
