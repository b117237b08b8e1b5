#include "translation/DictionaryFormat.h"

#include <QChar>
#include <cstdint>
#include <cstring>

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
    const qsizetype separator = line.indexOf(QByteArrayView("\"=\"", 3));
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

QString toLineBreakMarks(QString text)
{
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView("||"));
    return text;
}

QString fromLineBreakMarks(QString text)
{
    text.replace(QLatin1StringView("||"), QLatin1StringView("\r\n"));
    return text;
}

void caseFold(QStringView text, FoldBuffer& out)
{
    out.resize(text.size());
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    char16_t* dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = in[i];
        if (unit < 0x80) {
            dst[i] = (unit >= u'A' && unit <= u'Z') ? char16_t(unit + 0x20) : unit;
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size &&
                   QChar::isLowSurrogate(in[i + 1])) {
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
            const char32_t folded = QChar::toCaseFolded(char32_t(unit));
            dst[i] = folded <= 0xffff ? static_cast<char16_t>(folded) : unit;
        }
    }
}

} // namespace translation
