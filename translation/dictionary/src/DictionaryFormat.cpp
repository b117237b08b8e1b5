#include "translation/DictionaryFormat.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace translation {

namespace {

bool hasByteAbove7F(std::string_view bytes)
{
    const char* data = bytes.data();
    std::size_t size = bytes.size();
    for (; size >= 8; data += 8, size -= 8) {
        std::uint64_t word;
        std::memcpy(&word, data, sizeof word);
        if (word & 0x8080808080808080ull) {
            return true;
        }
    }
    for (; size > 0; ++data, --size) {
        if (static_cast<unsigned char>(*data) >= 0x80) {
            return true;
        }
    }
    return false;
}

} // namespace

LineParts splitLine(std::string_view line)
{
    const std::size_t size = line.size();
    // Position of the first `"="`, or npos.
    const std::size_t separator = line.find("\"=\"");
    LineParts parts;
    if (separator != std::string_view::npos && separator > 1) {
        parts.source = {1, separator};
    }
    // The target starts after the separator (after the first two bytes when
    // there is none) and ends before the last byte.
    const std::size_t targetBegin = separator == std::string_view::npos ? 2 : separator + 3;
    const std::size_t targetEnd = size == 0 ? 0 : size - 1;
    if (targetEnd > targetBegin) {
        parts.target = {targetBegin, targetEnd};
    }
    return parts;
}

std::vector<std::string_view> splitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    forEachLine(bytes, [&lines](std::string_view line) { lines.push_back(line); });
    return lines;
}

std::size_t countLines(std::string_view bytes)
{
    if (bytes.empty()) {
        return 0;
    }
    // Every CR and every LF ends a line, except the LF of a CR LF; a last
    // line without a line end counts too. Plain counts, which the compiler
    // turns into vector instructions.
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t ends = 0;
    std::size_t pairs = 0;
    // In blocks, so that the sums fit the narrow lanes of byte compares.
    constexpr std::size_t Block = 255;
    for (std::size_t start = 0; start + 1 < size; start += Block) {
        const std::size_t stop = std::min(size - 1, start + Block);
        std::uint8_t blockEnds = 0;
        std::uint8_t blockPairs = 0;
        for (std::size_t i = start; i < stop; ++i) {
            const std::uint8_t cr = data[i] == '\r';
            blockEnds += cr | std::uint8_t(data[i] == '\n');
            blockPairs += cr & std::uint8_t(data[i + 1] == '\n');
        }
        ends += blockEnds;
        pairs += blockPairs;
    }
    const unsigned char last = data[size - 1];
    ends += last == '\r' || last == '\n';
    return ends - pairs + (last != '\r' && last != '\n');
}

EncodingChoice detectEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return {TextEncoding::Utf8, 3};
    }
    // A Windows-1251 text is rarely valid UTF-8, and the check stops at
    // the first sequence that is not.
    if (hasByteAbove7F(bytes) && platform::isValidUtf8(bytes)) {
        return {TextEncoding::Utf8, 0};
    }
    return {TextEncoding::Windows1251, 0};
}

namespace {

// Replaces every pair `from` by the pair `to`, left to right; a replaced
// pair is never looked at again.
std::u16string replacePairs(std::u16string text, char16_t from0, char16_t from1, char16_t to0,
                            char16_t to1)
{
    const std::size_t size = text.size();
    char16_t* out = text.data();
    std::size_t i = 0;
    while (i + 1 < size) {
        if (out[i] == from0 && out[i + 1] == from1) {
            out[i] = to0;
            out[i + 1] = to1;
            i += 2;
        } else {
            ++i;
        }
    }
    return text;
}

} // namespace

bool hasLineBreak(std::u16string_view text)
{
    return (lineBreaksAndMarks(text) & HasLineBreak) != 0;
}

std::u16string toLineBreakMarks(std::u16string text)
{
    return replacePairs(std::move(text), u'\r', u'\n', u'|', u'|');
}

std::u16string fromLineBreakMarks(std::u16string text)
{
    return replacePairs(std::move(text), u'|', u'|', u'\r', u'\n');
}

} // namespace translation
