#include "translation/DictionaryFormat.h"

#include <QChar>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace translation {

namespace {

bool hasByteAbove7F(QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype size = bytes.size();
    for (; size >= 8; data += 8, size -= 8) {
        std::uint64_t word;
        std::memcpy(&word, data, sizeof word);
        if (word & 0x8080808080808080ull)
            return true;
    }
    for (; size > 0; ++data, --size) {
        if (static_cast<unsigned char>(*data) >= 0x80)
            return true;
    }
    return false;
}

} // namespace

LineParts splitLine(QByteArrayView line)
{
    const qsizetype size = line.size();
    // Position of the first `"="`, or -1.
    const char* const data = line.data();
    qsizetype separator = -1;
    for (qsizetype i = 0; i + 2 < size; ++i) {
        if (data[i] == '"' && data[i + 1] == '=' && data[i + 2] == '"') {
            separator = i;
            break;
        }
    }
    LineParts parts;
    if (separator > 1)
        parts.source = {1, separator};
    // The target starts after the separator (after the first two bytes when
    // there is none) and ends before the last byte.
    const qsizetype targetBegin = separator + 3;
    const qsizetype targetEnd = size - 1;
    if (targetEnd > targetBegin)
        parts.target = {targetBegin, targetEnd};
    return parts;
}

std::vector<QByteArrayView> splitLines(QByteArrayView bytes)
{
    std::vector<QByteArrayView> lines;
    forEachLine(bytes, [&lines](QByteArrayView line) { lines.push_back(line); });
    return lines;
}

EncodingChoice detectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF", 3)))
        return {TextEncoding::Utf8, 3};
    // A Windows-1251 text is rarely valid UTF-8, and the check stops at
    // the first sequence that is not.
    if (bytes.isValidUtf8() && hasByteAbove7F(bytes))
        return {TextEncoding::Utf8, 0};
    return {TextEncoding::Windows1251, 0};
}

namespace {

// Replaces every pair `from` by the pair `to`, left to right; a replaced
// pair is never looked at again. The text is copied only when it changes.
QString replacePairs(QString text, char16_t from0, char16_t from1, char16_t to0, char16_t to1)
{
    const qsizetype size = text.size();
    const QChar* in = text.constData();
    qsizetype i = 0;
    while (i + 1 < size && !(in[i] == from0 && in[i + 1] == from1))
        ++i;
    if (i + 1 >= size)
        return text;
    QChar* out = text.data();
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

QString toLineBreakMarks(QString text)
{
    return replacePairs(std::move(text), u'\r', u'\n', u'|', u'|');
}

QString fromLineBreakMarks(QString text)
{
    return replacePairs(std::move(text), u'|', u'|', u'\r', u'\n');
}

namespace {

// The simple case folding of every UTF-16 unit outside the surrogates,
// from Qt's Unicode tables, built once (128 KiB).
const std::array<char16_t, 0x10000>& bmpFoldTable()
{
    static const auto table = [] {
        auto folded = std::make_unique<std::array<char16_t, 0x10000>>();
        for (char32_t unit = 0; unit < 0x10000; ++unit) {
            const char32_t f = QChar::toCaseFolded(unit);
            (*folded)[unit] = f <= 0xffff ? static_cast<char16_t>(f) : static_cast<char16_t>(unit);
        }
        return folded;
    }();
    return *table;
}

} // namespace

void caseFold(QStringView text, FoldBuffer& out)
{
    const auto& table = bmpFoldTable();
    out.resize(text.size());
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    char16_t* dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = in[i];
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(in[i + 1])) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(unit, in[i + 1]));
            // Simple folding keeps a letter outside the BMP outside it.
            if (QChar::requiresSurrogates(folded)) {
                dst[i] = QChar::highSurrogate(folded);
                dst[i + 1] = QChar::lowSurrogate(folded);
            } else {
                dst[i] = unit;
                dst[i + 1] = in[i + 1];
            }
            ++i;
        } else {
            dst[i] = table[unit];
        }
    }
}

} // namespace translation
