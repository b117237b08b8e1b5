#include "ErrorOutput.h"

#include "platform/Utf8.h"

#include <io.h>
#include <windows.h>

namespace platform::detail {

namespace {

// Writes the UTF-8 `line` to the console `console` as UTF-16, "\n" as
// "\r\n", a piece at a time through a buffer on the stack.
void writeToConsole(HANDLE console, std::string_view line)
{
    constexpr std::size_t Piece = 256;
    char16_t buffer[Piece + 1];
    while (!line.empty()) {
        std::size_t length = line.size() < Piece ? line.size() : Piece;
        // A piece ends before a sequence's continuation bytes, never inside
        // the sequence (a longer run of them is malformed anyway).
        for (std::size_t back = 0; back < 3 && length < line.size() && length > 1 &&
                                   (static_cast<unsigned char>(line[length]) & 0xc0) == 0x80;
             ++back) {
            --length;
        }
        char16_t* end = decodeUtf8(line.substr(0, length), buffer);
        if (end[-1] == u'\n') {
            end[-1] = u'\r';
            *end++ = u'\n';
        }
        DWORD written = 0;
        WriteConsoleW(console, buffer, static_cast<DWORD>(end - buffer), &written, nullptr);
        line.remove_prefix(length);
    }
}

} // namespace

void writeErrorOutput(std::string_view line)
{
    // Standard error as the C runtime has it (the handle the process was
    // given, or whatever a test put in its place).
    constexpr int ErrorFile = 2;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(ErrorFile));
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return;
    }
    // A console shows UTF-16 whatever its code page (a Russian one's is
    // 866, not 1251); a file or a pipe gets the UTF-8 bytes, as a program
    // reading them expects, through the runtime, which ends lines in CR LF.
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode) != 0) {
        writeToConsole(handle, line);
        return;
    }
    while (!line.empty()) {
        const int written = _write(ErrorFile, line.data(), static_cast<unsigned>(line.size()));
        if (written <= 0) {
            return;
        }
        line.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace platform::detail
