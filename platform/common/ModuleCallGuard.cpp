#include "platform/ModuleCallGuard.h"

#include "FaultReport.h"

#include <cstdlib>
#include <exception>
#include <utility>

namespace platform {

namespace {

const ModuleCallGuard* g_current = nullptr;
std::terminate_handler g_previousTerminate = nullptr;

} // namespace

ModuleCallGuard::ModuleCallGuard(std::string crashSubject, std::string exitMessage, int exitStatus,
                                 UncaughtReport uncaught)
    : m_exitMessage(std::move(exitMessage)), m_exitStatus(exitStatus),
      m_uncaught(std::move(uncaught)), m_previous(g_current),
      m_faults(detail::armFaultReport(std::move(crashSubject), m_exitMessage, exitStatus))
{
    // atexit() cannot take a handler back, nor should the terminate handler
    // change under a module: both are put in place once and do nothing
    // while no guard is alive.
    static const bool registered = [] {
        g_previousTerminate = std::set_terminate(&ModuleCallGuard::onTerminate);
        return std::atexit(&ModuleCallGuard::onExit) == 0;
    }();
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

std::string currentExceptionText()
{
    if (const std::exception_ptr raised = std::current_exception()) {
        try {
            std::rethrow_exception(raised);
        } catch (const std::exception& error) {
            return error.what() != nullptr ? error.what() : "";
        } catch (...) {
        }
    }
    return "an error that is not a standard exception";
}

void ModuleCallGuard::onTerminate()
{
    const ModuleCallGuard* guard = g_current;
    if (guard != nullptr && guard->m_uncaught.message) {
        detail::endProcessForModule(guard->m_uncaught.message(currentExceptionText()),
                                    guard->m_uncaught.exitStatus);
    }
    if (g_previousTerminate != nullptr) {
        g_previousTerminate();
    }
    std::abort();
}

} // namespace platform
