#pragma once

#include "launcher/Startup.h"

#include <memory>
#include <windows.h>

namespace launcher::win32 {

class FormGears;

// The application's own window: never shown, titled with the application
// title (ApplicationTitle), the owner of the launcher window and of every
// module's windows (its handle is the one handed to modules). Owning the
// launcher window keeps that window above every module window it owns.
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

// The Windows program's windows for start-up: the application's hidden
// owner window, whose handle every module gets, and the launcher window it
// owns.
class ProgramWindow final : public launcher::ProgramWindow
{
public:
    explicit ProgramWindow(HINSTANCE instance);
    ~ProgramWindow() override;

    bool create(const std::string& programDir, std::string& error) override;
    LauncherWindow& behaviour() override;
    int runMainLoop() override;

private:
    HINSTANCE m_instance;
    std::unique_ptr<OwnerWindow> m_owner;
    std::unique_ptr<FormGears> m_window;
};

} // namespace launcher::win32
