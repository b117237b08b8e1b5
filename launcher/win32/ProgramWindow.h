#pragma once

#include "launcher/Startup.h"

#include <memory>
#include <windows.h>

namespace launcher::win32 {

class FormGears;
class OwnerWindow;

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
