#include "platform/ModuleCallGuard.h"

#include "FaultReport.h"

#include <cstdlib>
#include <utility>

namespace platform {

namespace {

const ModuleCallGuard* g_current = nullptr;

} // namespace

ModuleCallGuard::ModuleCallGuard(std::string crashSubject, std::string exitMessage, int exitStatus)
    : m_exitMessage(std::move(exitMessage)), m_exitStatus(exitStatus), m_previous(g_current),
      m_faults(detail::armFaultReport(std::move(crashSubject), m_exitMessage, exitStatus))
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
    detail::endProcessForModule(guard->m_exitMessage, guard->m_exitStatus);
}

} // namespace platform
