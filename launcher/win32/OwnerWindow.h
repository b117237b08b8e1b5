#pragma once

#include <windows.h>

namespace launcher::win32 {

// The application's own window: never shown, titled with the application
// title (ApplicationTitle), the owner of the launcher window and of every module's windows
// (its handle is the one handed to modules). Owning the launcher window
// keeps that window above every module window it owns.
class OwnerWindow
{
public:
    static constexpr const wchar_t* ClassName = L"DerizeZizirOwner";

    OwnerWindow() = default;
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    // Creates the native window; false when the system refuses.
    bool create(HINSTANCE instance);

    HWND hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

} // namespace launcher::win32
