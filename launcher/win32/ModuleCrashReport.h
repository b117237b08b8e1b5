#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace launcher::win32 {

// A structured exception (an access violation, another language's
// exception) that escapes a module's entry point cannot be caught by this
// compiler's code. The unhandled-exception filter writes one line naming
// the module, its entry point and the exception code, then lets the system
// end the process, whose exit status is the exception code.

// The line's message for an exception `code` raised while `entryPoint` of
// `modulePath` runs; with no module running, the message names the
// address instead.
std::string crashMessage(std::uint32_t code, std::string_view modulePath,
                         std::string_view entryPoint, const void* address);

// Installs the filter; once per process.
void installCrashReport();

// Marks a module's entry point as running for the lifetime of the object.
class ModuleInCall
{
public:
    ModuleInCall(std::string modulePath, std::string entryPoint);
    ~ModuleInCall();
    ModuleInCall(const ModuleInCall&) = delete;
    ModuleInCall& operator=(const ModuleInCall&) = delete;
};

} // namespace launcher::win32
