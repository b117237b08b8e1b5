#pragma once

#include <string>

// The platform's half of ModuleCallGuard: what catches a fatal fault.
namespace platform::detail {

// Installs handlers that write one error line, "<crashSubject>: " and what
// the fault was, before the fault ends the process. Returns what is needed
// to put the previous handlers back.
void* armFaultReport(const std::string& crashSubject);

// Puts back the handlers that armFaultReport() replaced.
void disarmFaultReport(void* previous);

} // namespace platform::detail
