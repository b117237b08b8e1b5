// Any bytes as a dictionary file: the line and text splitting must agree
// with a plain byte-by-byte reading of the rules, every text must decode as
// Qt's own decoders decode it, loading must never fail, and every entry
// must be found at or before its own place.

#include "platform/Utf8.h"
#include "translation/CaseFolding.h"
#include "translation/Dictionary.h"
#include "translation/DictionaryFormat.h"
#include "translation/TextDecoder.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <algorithm>
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
std::vector<std::string_view> referenceLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            continue;
        }
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < bytes.size()) {
        lines.push_back(bytes.substr(start));
    }
    return lines;
}

// `count` bytes from 1-based `position`; nothing for a negative count or a
// start past the end.
std::string_view copy(std::string_view line, std::ptrdiff_t position, std::ptrdiff_t count)
{
    const auto size = std::ptrdiff_t(line.size());
    if (count <= 0 || position > size) {
        return {};
    }
    return line.substr(std::size_t(position - 1),
                       std::size_t(std::min(count, size - position + 1)));
}

struct Texts
{
    std::string_view source;
    std::string_view target;
};

Texts checkSplit(std::string_view line)
{
    std::ptrdiff_t p = 0; // 1-based position of the first `"="`, 0 when absent
    for (std::size_t i = 0; i + 2 < line.size(); ++i) {
        if (line[i] == '"' && line[i + 1] == '=' && line[i + 2] == '"') {
            p = std::ptrdiff_t(i) + 1;
            break;
        }
    }
    const std::string_view source = copy(line, 2, p - 2);
    const std::string_view target = copy(line, p + 3, std::ptrdiff_t(line.size()) - p - 3);
    const LineParts parts = splitLine(line);
    require(line.substr(parts.source.begin, parts.source.size()) == source, "source differs");
    require(line.substr(parts.target.begin, parts.target.size()) == target, "target differs");
    return {source, target};
}

// A text as Qt decodes it: UTF-8 by its own decoder, Windows-1251 by its
// converter of that name.
bool decodesAsQt(std::string_view bytes, TextEncoding encoding, std::u16string_view decoded)
{
    QStringDecoder decoder =
        encoding == TextEncoding::Utf8
            ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                       QStringDecoder::Flag::ConvertInitialBom)
            : QStringDecoder("windows-1251", QStringDecoder::Flag::Stateless);
    const QString expected = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return QStringView(expected) == QStringView(decoded.data(), qsizetype(decoded.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = splitLines(bytes);
    const std::vector<std::string_view> expected = referenceLines(bytes);
    require(lines.size() == expected.size(), "line count differs");
    require(countLines(bytes) == lines.size(), "counted lines differ");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        require(lines[i] == expected[i], "line differs");
        checkSplit(lines[i]);
    }

    const std::optional<Dictionary> dictionary = Dictionary::fromBytes(bytes);
    require(dictionary.has_value(), "no dictionary");
    const EncodingChoice encoding = detectEncoding(bytes);
    const std::vector<std::string_view> entryLines =
        referenceLines(bytes.substr(encoding.markLength));
    require(std::size_t(dictionary->size()) == entryLines.size(),
            "entry count differs from the line count");
    const bool valid = QByteArrayView(bytes.data(), qsizetype(bytes.size())).isValidUtf8();
    require(valid == platform::isValidUtf8(bytes), "UTF-8 validity differs from Qt's");
    for (std::size_t k = 0; k < std::min<std::size_t>(entryLines.size(), 64); ++k) {
        const Texts texts = checkSplit(entryLines[k]);
        require(decodesAsQt(texts.source, encoding.encoding, dictionary->source(std::ptrdiff_t(k))),
                "source decodes otherwise than with Qt");
        require(decodesAsQt(texts.target, encoding.encoding, dictionary->target(std::ptrdiff_t(k))),
                "target decodes otherwise than with Qt");
    }
    // Texts take two bytes a byte at most, each line (one byte at least)
    // eight bytes of ranges, and the index up to 32 bytes a different source
    // (six bytes at least) or, while small, a fixed 8 KiB.
    require(dictionary->memoryUsed() <= 16 * size + 8192 + 1024,
            "memory not bounded by the file size");

    std::size_t units = 0;
    for (std::ptrdiff_t k = 0; k < dictionary->size(); ++k) {
        units += dictionary->source(k).size() + dictionary->target(k).size();
    }
    require(units <= size, "more UTF-16 units than bytes");

    FoldBuffer wanted;
    FoldBuffer found;
    for (std::ptrdiff_t k = 0; k < std::min<std::ptrdiff_t>(dictionary->size(), 64); ++k) {
        const std::ptrdiff_t entry = dictionary->find(dictionary->source(k));
        require(entry >= 0 && entry <= k, "an entry is not found at or before its place");
        caseFold(dictionary->source(k), wanted);
        caseFold(dictionary->source(entry), found);
        require(std::equal(wanted.begin(), wanted.end(), found.begin(), found.end()),
                "found an entry with another text");
        (void)dictionary->translate(dictionary->target(k));
    }
    return 0;
}
