#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// How a structured exception (Windows) is named on an error line. Plain
// formatting, the same on every platform, so that it is tested everywhere;
// the *Into functions allocate nothing, for the unhandled-exception filter.
namespace platform {

struct ExceptionCodeName
{
    std::uint32_t code;
    const char* name;
};

// The exception codes that misbehaving modules commonly raise, each with
// its name: the system's ("access violation", "integer division by zero",
// "stack overflow", the floating-point codes, "breakpoint", "heap
// corruption", ...) and those language runtimes raise for their own
// exceptions ("a Visual C++ exception", ...). The one table of them.
std::span<const ExceptionCodeName> exceptionCodeNames();

// The name of `code` in that table; nullptr for any other code.
const char* exceptionCodeName(std::uint32_t code);

// "exception 0xC0000005 (access violation)", or only "exception 0x20474343"
// for a code without a name, written into `out` (at most `capacity` bytes,
// cut short when it does not fit); returns how many bytes.
std::size_t exceptionTextInto(std::uint32_t code, char* out, std::size_t capacity);
std::string exceptionText(std::uint32_t code);

// The text of an exception nobody handled outside a module's loading and
// call: "exception 0xC0000005 (access violation) at 0x0040123A; the program
// ends". Written as exceptionTextInto() writes.
std::size_t unhandledExceptionTextInto(std::uint32_t code, std::uintptr_t address, char* out,
                                       std::size_t capacity);
std::string unhandledExceptionText(std::uint32_t code, std::uintptr_t address);

} // namespace platform
