#include "platform/ErrorReport.h"

#include "ErrorOutput.h"

namespace platform {

namespace {

std::string& prefix()
{
    static std::string start = "derize-zizir: ";
    return start;
}

} // namespace

void setErrorReportPrefix(std::string_view programName)
{
    prefix() = std::string(programName) + ": ";
}

namespace {

// Calls `emit` with the bytes that stand for `message` on an error line,
// one piece per byte of the message.
template <typename Emit>
void escapeBytes(std::string_view message, Backslash backslash, Emit emit)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            const char escape[] = {'\\', 'x', Hex[byte >> 4], Hex[byte & 0x0F]};
            if (!emit(escape, sizeof escape)) {
                return;
            }
        } else if (c == '\\' && backslash == Backslash::Escaped) {
            if (!emit("\\\\", 2)) {
                return;
            }
        } else if (!emit(&c, 1)) {
            return;
        }
    }
}

} // namespace

std::string_view errorLinePrefix()
{
    return prefix();
}

std::string escapeForErrorLine(std::string_view message, Backslash backslash)
{
    std::string escaped;
    escaped.reserve(message.size());
    escapeBytes(message, backslash, [&escaped](const char* piece, std::size_t length) {
        escaped.append(piece, length);
        return true;
    });
    return escaped;
}

std::size_t escapeForErrorLineInto(std::string_view message, char* out, std::size_t capacity,
                                   Backslash backslash)
{
    std::size_t used = 0;
    escapeBytes(message, backslash, [&](const char* piece, std::size_t length) {
        if (capacity - used < length) {
            return false;
        }
        for (std::size_t i = 0; i < length; ++i) {
            out[used++] = piece[i];
        }
        return true;
    });
    return used;
}

std::string errorLine(std::string_view message)
{
    return prefix() + escapeForErrorLine(message) + '\n';
}

void reportError(std::string_view message)
{
    detail::writeErrorOutput(errorLine(message));
}

} // namespace platform
