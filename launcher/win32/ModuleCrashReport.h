#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace launcher::win32 {

// A structured exception (an access violation, another language's
// exception) cannot be caught by this compiler's code. While a module is
// loaded or called, the module call guard (platform/ModuleCallGuard.h)
// reports it with the module's name; outside a module, this filter writes
// one line with the exception code and address, then lets the system end
// the process, whose exit status is the exception code.

// The line's message for an exception `code` raised at `address`.
std::string crashMessage(std::uint32_t code, const void* address);

// Installs the filter; once per process.
void installCrashReport();

} // namespace launcher::win32
