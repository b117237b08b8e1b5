#include "translation/TextDecoder.h"

#include <QByteArray>
#include <QString>

namespace translation {

namespace {

struct Windows1251Table
{
    std::array<char16_t, 256> units{};
    std::array<char16_t, 256> folded{};
    bool valid = false;
};

// Each of the 256 bytes through Qt's converter, once per process.
const Windows1251Table& windows1251Table()
{
    static const Windows1251Table table = [] {
        Windows1251Table result;
        QStringDecoder decoder("windows-1251", QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            return result;
        QByteArray allBytes(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            allBytes[i] = static_cast<char>(i);
        const QString decoded = decoder.decode(allBytes);
        if (decoder.hasError() || decoded.size() != 256)
            return result;
        FoldBuffer folded;
        caseFold(decoded, folded);
        for (std::size_t i = 0; i < 256; ++i) {
            result.units[i] = decoded.at(qsizetype(i)).unicode();
            result.folded[i] = folded[qsizetype(i)];
        }
        result.valid = true;
        return result;
    }();
    return table;
}

} // namespace

TextDecoder::TextDecoder(TextEncoding encoding)
    : m_encoding(encoding),
      m_utf8(QStringDecoder::Utf8,
             QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom)
{
    if (encoding == TextEncoding::Utf8) {
        m_valid = m_utf8.isValid();
    } else {
        const Windows1251Table& table = windows1251Table();
        m_valid = table.valid;
        m_table = &table.units;
        m_foldedTable = &table.folded;
    }
}

QChar* TextDecoder::decode(QByteArrayView bytes, QChar* out)
{
    if (!m_valid || bytes.isEmpty())
        return out;
    if (m_encoding == TextEncoding::Utf8)
        return m_utf8.appendToBuffer(out, bytes);
    const auto& table = *m_table;
    for (const char c : bytes)
        *out++ = QChar(table[static_cast<unsigned char>(c)]);
    return out;
}

bool TextDecoder::decodeFolded(QByteArrayView bytes, FoldBuffer& out) const
{
    if (!m_valid || !m_foldedTable)
        return false;
    const auto& table = *m_foldedTable;
    out.resize(bytes.size());
    char16_t* folded = out.data();
    for (const char c : bytes)
        *folded++ = table[static_cast<unsigned char>(c)];
    return true;
}

} // namespace translation
