#pragma once

#include <string>

// The platform's half of ModuleCallGuard: what catches a fatal fault.
namespace platform::detail {

// Until disarmFaultReport(), a fatal fault writes one error line,
// "<crashSubject>: " and what the fault was, before it ends the process.
// Returns what disarmFaultReport() needs.
void* armFaultReport(std::string crashSubject);

// Ends what armFaultReport() began; a guard around it is in force again.
void disarmFaultReport(void* armed);

#ifdef _WIN32
// From now on a structured exception that nobody handles outside a
// module's loading and call leaves a line too ("exception 0xC0000005
// (access violation) at 0x0040123A; the program ends"). One filter serves
// both, so that a fault is told apart by where it happened.
void reportFaultsOutsideModules();
#endif

} // namespace platform::detail
