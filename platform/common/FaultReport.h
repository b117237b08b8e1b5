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

} // namespace platform::detail
