#include "ErrorOutput.h"

#include "platform/WideText.h"

#include <io.h>
#include <string>

namespace platform::detail {

void writeErrorOutput(const char* bytes, std::size_t length, const wchar_t* wide,
                      std::size_t wideLength)
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
        DWORD written = 0;
        WriteConsoleW(handle, wide, static_cast<DWORD>(wideLength), &written, nullptr);
        return;
    }
    while (length > 0) {
        const int written = _write(ErrorFile, bytes, static_cast<unsigned>(length));
        if (written <= 0) {
            return;
        }
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
}

void writeErrorOutput(std::string_view line)
{
    std::wstring wide = toWide(line);
    if (!wide.empty() && wide.back() == L'\n') {
        wide.insert(wide.size() - 1, 1, L'\r');
    }
    writeErrorOutput(line.data(), line.size(), wide.data(), wide.size());
}

} // namespace platform::detail
