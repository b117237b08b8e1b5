#include "platform/WideText.h"

namespace platform {

std::wstring windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void setWindowText(HWND window, std::u16string_view text)
{
    const std::wstring copy = toWide(text);
    SetWindowTextW(window, copy.c_str());
}

std::string systemErrorText(DWORD code)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = "error " + std::to_string(code);
    if (text == nullptr) {
        return reason;
    }
    std::wstring wide(text);
    LocalFree(text);
    for (wchar_t& c : wide) {
        if (c == L'\r' || c == L'\n') {
            c = L' ';
        }
    }
    while (!wide.empty() && (wide.back() == L'.' || wide.back() == L' ')) {
        wide.pop_back();
    }
    if (!wide.empty()) {
        reason += ": " + toUtf8(wide);
    }
    return reason;
}

} // namespace platform
