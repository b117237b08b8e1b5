// Any bytes as a dictionary file: the line and text splitting must agree
// with a plain byte-by-byte reading of the rules, loading must never fail,
// and every entry must be found at or before its own place.

#include "translation/Dictionary.h"
#include "translation/DictionaryFormat.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace translation;

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "dictionary_fuzzer: %s\n", what);
        std::abort();
    }
}

// Lines one byte at a time: CR, LF and CR LF end a line.
std::vector<QByteArrayView> referenceLines(QByteArrayView bytes)
{
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.push_back(bytes.sliced(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.sliced(start));
    return lines;
}

// `count` bytes from 1-based `position`; nothing for a negative count or a
// start past the end.
QByteArrayView copy(QByteArrayView line, qsizetype position, qsizetype count)
{
    if (count <= 0 || position > line.size())
        return {};
    return line.sliced(position - 1, std::min(count, line.size() - position + 1));
}

void checkSplit(QByteArrayView line)
{
    qsizetype p = 0; // 1-based position of the first `"="`, 0 when absent
    for (qsizetype i = 0; i + 2 < line.size(); ++i) {
        if (line[i] == '"' && line[i + 1] == '=' && line[i + 2] == '"') {
            p = i + 1;
            break;
        }
    }
    const QByteArrayView source = copy(line, 2, p - 2);
    const QByteArrayView target = copy(line, p + 3, line.size() - p - 3);
    const LineParts parts = splitLine(line);
    require(line.sliced(parts.source.begin, parts.source.size()) == source, "source differs");
    require(line.sliced(parts.target.begin, parts.target.size()) == target, "target differs");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::vector<QByteArrayView> lines = splitLines(bytes);
    const std::vector<QByteArrayView> expected = referenceLines(bytes);
    require(lines.size() == expected.size(), "line count differs");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        require(lines[i] == expected[i], "line differs");
        checkSplit(lines[i]);
    }

    const std::optional<Dictionary> dictionary = Dictionary::fromBytes(bytes);
    require(dictionary.has_value(), "no dictionary");
    const EncodingChoice encoding = detectEncoding(bytes);
    require(std::size_t(dictionary->size()) ==
                referenceLines(bytes.sliced(encoding.markLength)).size(),
            "entry count differs from the line count");
    // Texts take two bytes a byte at most, and each line (one byte at least)
    // eight bytes of ranges and up to 32/6 of index.
    require(dictionary->memoryUsed() <= 16 * size + 1024, "memory not bounded by the file size");

    qsizetype units = 0;
    for (qsizetype k = 0; k < dictionary->size(); ++k)
        units += dictionary->source(k).size() + dictionary->target(k).size();
    require(units <= qsizetype(size), "more UTF-16 units than bytes");

    FoldBuffer wanted;
    FoldBuffer found;
    for (qsizetype k = 0; k < std::min<qsizetype>(dictionary->size(), 64); ++k) {
        const qsizetype entry = dictionary->find(dictionary->source(k));
        require(entry >= 0 && entry <= k, "an entry is not found at or before its place");
        caseFold(dictionary->source(k), wanted);
        caseFold(dictionary->source(entry), found);
        require(std::equal(wanted.begin(), wanted.end(), found.begin(), found.end()),
                "found an entry with another text");
        (void)dictionary->translate(dictionary->target(k).toString());
    }
    return 0;
}
