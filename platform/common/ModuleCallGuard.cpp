#include "platform/ModuleCallGuard.h"

#include "FaultReport.h"
#include "platform/ErrorReport.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

const ModuleCallGuard* g_current = nullptr;

} // namespace

ModuleCallGuard::ModuleCallGuard(const std::string& crashSubject, const std::string& exitMessage,
                                 int exitStatus)
    : m_exitLine(errorLine(exitMessage)), m_exitStatus(exitStatus), m_previous(g_current),
      m_faults(detail::armFaultReport(crashSubject))
{
    // atexit() cannot take a handler back: it is registered once and does
    // nothing while no guard is alive.
    static const bool registered = std::atexit(&ModuleCallGuard::onExit) == 0;
    (void)registered;
    g_current = this;
}

ModuleCallGuard::~ModuleCallGuard()
{
    g_current = m_previous;
    detail::disarmFaultReport(m_faults);
}

void ModuleCallGuard::onExit()
{
    const ModuleCallGuard* guard = g_current;
    if (guard == nullptr) {
        return;
    }
    std::fwrite(guard->m_exitLine.data(), 1, guard->m_exitLine.size(), stderr);
    std::fflush(stderr);
    // The rest of exit() would run the destructors of a process that is
    // still inside the module's call.
    std::_Exit(guard->m_exitStatus);
}

} // namespace platform
