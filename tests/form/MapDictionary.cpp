#include "MapDictionary.h"

namespace {

const QString Mark = QStringLiteral("||");
const QString CrLf = QStringLiteral("\r\n");

} // namespace

MapDictionary::MapDictionary(std::initializer_list<std::pair<QString, QString>> entries)
{
    for (const auto& [source, target] : entries)
        m_entries.insert(source, target);
}

translation::TextLookup MapDictionary::lookup()
{
    return [this](const QString& text) {
        QString key = text;
        key.replace(CrLf, Mark);
        m_asked << key;
        QString result = m_entries.value(key, key);
        return result.replace(Mark, CrLf);
    };
}

translation::TextLookup BracketDictionary::lookup()
{
    return [this](const QString& text) {
        QString key = text;
        key.replace(CrLf, Mark);
        m_asked << key;
        QString result = QLatin1Char('[') + key + QLatin1Char(']');
        return result.replace(Mark, CrLf);
    };
}
