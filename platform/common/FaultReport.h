#pragma once

#include <string>
#include <string_view>

// The platform's half of ModuleCallGuard: what catches a fatal fault and a
// module's end of the process.
namespace platform::detail {

// Until disarmFaultReport(), a fatal fault writes one error line,
// "<crashSubject>: " and what the fault was, before it ends the process.
// On Windows the end of the process by any other way than exit() (the
// system's ExitProcess, which other runtimes' exit and halt call) writes
// the line of `exitMessage` and ends the process with `exitStatus`; both
// lines are made ready here. Returns what disarmFaultReport() needs.
void* armFaultReport(std::string crashSubject, std::string_view exitMessage, int exitStatus);

// Ends what armFaultReport() began; a guard around it is in force again.
void disarmFaultReport(void* armed);

// exit() inside a guard: writes the line of `exitMessage` and ends the
// process at once with `exitStatus`, running nothing else of the process.
[[noreturn]] void endProcessForModule(std::string_view exitMessage, int exitStatus);

#ifdef _WIN32
// From now on a structured exception that nobody handles outside a
// module's loading and call leaves a line too ("exception 0xC0000005
// (access violation) at 0x0040123A; the program ends"). One filter serves
// both, so that a fault is told apart by where it happened.
void reportFaultsOutsideModules();
#endif

} // namespace platform::detail
