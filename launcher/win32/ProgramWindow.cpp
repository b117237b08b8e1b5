#include "ProgramWindow.h"

#include "FormGears.h"
#include "OwnerWindow.h"
#include "platform/WideText.h"

namespace launcher::win32 {

ProgramWindow::ProgramWindow(HINSTANCE instance) : m_instance(instance) {}

// The launcher window goes before the window that owns it.
ProgramWindow::~ProgramWindow()
{
    m_window.reset();
    m_owner.reset();
}

bool ProgramWindow::create(const std::string& programDir, std::string& error)
{
    m_owner = std::make_unique<OwnerWindow>();
    if (!m_owner->create(m_instance)) {
        error =
            "cannot create the application's window: " + platform::systemErrorText(GetLastError());
        return false;
    }
    m_window = std::make_unique<FormGears>(m_instance, m_owner->hwnd(), programDir);
    return m_window->create(error);
}

LauncherWindow& ProgramWindow::behaviour()
{
    return m_window->behaviour();
}

int ProgramWindow::runMainLoop()
{
    return m_window->runMessageLoop();
}

} // namespace launcher::win32
