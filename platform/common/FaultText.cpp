#include "platform/FaultText.h"

#include <array>
#include <string_view>

namespace platform {

namespace {

constexpr std::array<ExceptionCodeName, 23> CodeNames = {{
    {0xC0000005, "access violation"},
    {0xC0000006, "in-page error"},
    {0xC000001D, "illegal instruction"},
    {0xC0000025, "noncontinuable exception"},
    {0xC000008C, "array bounds exceeded"},
    {0xC000008D, "floating-point denormal operand"},
    {0xC000008E, "floating-point division by zero"},
    {0xC000008F, "floating-point inexact result"},
    {0xC0000090, "floating-point invalid operation"},
    {0xC0000091, "floating-point overflow"},
    {0xC0000092, "floating-point stack check"},
    {0xC0000093, "floating-point underflow"},
    {0xC0000094, "integer division by zero"},
    {0xC0000095, "integer overflow"},
    {0xC0000096, "privileged instruction"},
    {0xC00000FD, "stack overflow"},
    {0x80000003, "breakpoint"},
    {0xC0000374, "heap corruption"},
    {0xC0000409, "stack buffer overrun, fast fail"},
    // What language runtimes raise for their own exceptions.
    {0x0EEDFADE, "an Object Pascal runtime's exception"},
    {0xE0465043, "a Free Pascal runtime's exception"},
    {0xE06D7363, "a Visual C++ exception"},
    {0xE0434352, "a .NET exception"},
}};

// Appends to a fixed buffer, dropping what does not fit.
class Writer
{
public:
    Writer(char* out, std::size_t capacity) : m_out(out), m_capacity(capacity) {}

    void text(std::string_view piece)
    {
        for (const char c : piece) {
            if (m_length < m_capacity) {
                m_out[m_length++] = c;
            }
        }
    }

    // "0x" and `digits` upper-case hexadecimal digits.
    void hex(std::uintmax_t value, int digits)
    {
        static constexpr char Hex[] = "0123456789ABCDEF";
        text("0x");
        for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
            const char digit = Hex[(value >> shift) & 0xF];
            text(std::string_view(&digit, 1));
        }
    }

    void exception(std::uint32_t code)
    {
        text("exception ");
        hex(code, 8);
        if (const char* name = exceptionCodeName(code)) {
            text(" (");
            text(name);
            text(")");
        }
    }

    std::size_t length() const { return m_length; }

private:
    char* m_out;
    std::size_t m_capacity;
    std::size_t m_length = 0;
};

} // namespace

std::span<const ExceptionCodeName> exceptionCodeNames()
{
    return CodeNames;
}

const char* exceptionCodeName(std::uint32_t code)
{
    for (const ExceptionCodeName& entry : CodeNames) {
        if (entry.code == code) {
            return entry.name;
        }
    }
    return nullptr;
}

std::size_t exceptionTextInto(std::uint32_t code, char* out, std::size_t capacity)
{
    Writer writer(out, capacity);
    writer.exception(code);
    return writer.length();
}

std::string exceptionText(std::uint32_t code)
{
    char text[96];
    return std::string(text, exceptionTextInto(code, text, sizeof text));
}

std::size_t unhandledExceptionTextInto(std::uint32_t code, std::uintptr_t address, char* out,
                                       std::size_t capacity)
{
    Writer writer(out, capacity);
    writer.exception(code);
    writer.text(" at ");
    // Eight digits for a 32-bit program's address, sixteen when it takes them.
    writer.hex(address, address > 0xFFFFFFFFu ? 16 : 8);
    writer.text("; the program ends");
    return writer.length();
}

std::string unhandledExceptionText(std::uint32_t code, std::uintptr_t address)
{
    char text[128];
    return std::string(text, unhandledExceptionTextInto(code, address, text, sizeof text));
}

} // namespace platform
