#pragma once

#include "translation/DictionaryFormat.h"

#include <QByteArrayView>
#include <QChar>
#include <QStringDecoder>
#include <array>

namespace translation {

// Decodes the texts of one dictionary, each on its own: a text split off in
// the middle of a UTF-8 sequence yields U+FFFD and never disturbs the next.
//
// Windows-1251 comes from Qt's converter of that name (ICU in Debian's Qt),
// read once into a 256-entry table: the code page is single-byte, so the
// table is exact and turns decoding into one lookup per byte. UTF-8 goes
// through Qt's own decoder.
class TextDecoder
{
public:
    explicit TextDecoder(TextEncoding encoding);

    // False when this Qt build has no Windows-1251 converter.
    bool isValid() const { return m_valid; }
    TextEncoding encoding() const { return m_encoding; }

    // Most UTF-16 units that decoding `byteCount` bytes may write.
    static qsizetype maxUnits(qsizetype byteCount) { return byteCount + 1; }

    // Writes the decoded `bytes` from `out` on, which must have room for
    // maxUnits(bytes.size()) units; returns the position after the last.
    QChar* decode(QByteArrayView bytes, QChar* out);

    // Puts caseFold() of the decoded `bytes` into `out` straight from the
    // bytes, where the encoding is single-byte; false (and `out` untouched)
    // for UTF-8.
    bool decodeFolded(QByteArrayView bytes, FoldBuffer& out) const;

private:
    TextEncoding m_encoding;
    bool m_valid = false;
    const std::array<char16_t, 256>* m_table = nullptr;
    const std::array<char16_t, 256>* m_foldedTable = nullptr;
    QStringDecoder m_utf8;
};

} // namespace translation
