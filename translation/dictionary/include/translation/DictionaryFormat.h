#pragma once

// The rules of the dictionary file, as plain functions on bytes and texts.
//
// A dictionary is a file of lines. A line ends at CR, at LF, or at CR LF
// (one line end); after the last line end no further line follows, so a
// final line end adds no entry. Each line is
//     "source"="target"
// and is split on bytes: the source runs from the second byte up to the
// first `"="`, the target from after it up to, and without, the last byte.
// Nothing is escaped and no line is rejected.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace translation {

// Half-open range of byte positions within one line.
struct ByteRange
{
    std::size_t begin = 0;
    std::size_t end = 0;

    std::size_t size() const { return end - begin; }
    bool operator==(const ByteRange&) const = default;
};

struct LineParts
{
    ByteRange source;
    ByteRange target;
};

// Where the source and the target of one line (without its line end) lie.
// A line without `"="` has an empty source and, as target, the line
// without its first two bytes and its last byte; an empty line gives two
// empty texts.
LineParts splitLine(std::string_view line);

// Calls `onLine(std::string_view line)` for every line of `bytes`, in order,
// without the line ends. Linear in the size of `bytes`, whatever the mix of
// line ends.
template <typename OnLine>
void forEachLine(std::string_view bytes, OnLine&& onLine)
{
    if (bytes.empty()) {
        return;
    }
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const auto find = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    // The next CR and the next LF, each searched again only once the line
    // start has passed it, so that a file using one kind of line end is not
    // rescanned for the other.
    const char* nextCr = find(begin, '\r');
    const char* nextLf = find(begin, '\n');
    const char* pos = begin;
    while (pos < end) {
        if (nextCr < pos) {
            nextCr = find(pos, '\r');
        }
        if (nextLf < pos) {
            nextLf = find(pos, '\n');
        }
        const char* lineEnd = nextCr < nextLf ? nextCr : nextLf;
        onLine(std::string_view(pos, static_cast<std::size_t>(lineEnd - pos)));
        if (lineEnd == end) {
            break;
        }
        pos = lineEnd + 1;
        if (*lineEnd == '\r' && pos < end && *pos == '\n') {
            ++pos;
        }
    }
}

// The lines of `bytes`, as `forEachLine` finds them.
std::vector<std::string_view> splitLines(std::string_view bytes);

// The number of lines forEachLine() finds, without splitting them.
std::size_t countLines(std::string_view bytes);

enum class TextEncoding
{
    Utf8,
    Windows1251,
};

struct EncodingChoice
{
    TextEncoding encoding = TextEncoding::Windows1251;
    // Bytes of a UTF-8 byte-order mark at the start, which are not text.
    std::size_t markLength = 0;
};

// UTF-8 when the file starts with the UTF-8 byte-order mark or when all of
// it is valid UTF-8 holding a byte of 0x80 or above; Windows-1251 otherwise
// (plain ASCII reads the same either way).
EncodingChoice detectEncoding(std::string_view bytes);

inline constexpr unsigned HasLineBreak = 1;
inline constexpr unsigned HasMark = 2;

// HasLineBreak when `text` holds CR LF, HasMark when it holds "||".
inline unsigned lineBreaksAndMarks(std::u16string_view text)
{
    // No early exit: over a window's short texts the compiler's vector
    // instructions beat stopping at the first find.
    const char16_t* data = text.data();
    const std::size_t size = text.size();
    unsigned found = 0;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        const char16_t c = data[i];
        const char16_t next = data[i + 1];
        found |= unsigned((c == u'\r') & (next == u'\n')) | unsigned((c == u'|') & (next == u'|'))
                                                                << 1;
    }
    return found;
}

// Whether `text` holds a CR LF pair, which toLineBreakMarks() replaces.
bool hasLineBreak(std::u16string_view text);

// "||" in place of every CR LF, left to right; a lone CR or LF stays.
std::u16string toLineBreakMarks(std::u16string text);
// CR LF in place of every "||", left to right; an inserted pair is never
// searched again, so "|||" becomes CR LF followed by "|".
std::u16string fromLineBreakMarks(std::u16string text);

} // namespace translation
