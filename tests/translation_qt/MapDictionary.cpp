#include "MapDictionary.h"

MapDictionary::MapDictionary(std::initializer_list<std::pair<QString, QString>> entries)
{
    for (const auto& [source, target] : entries) {
        m_entries.insert(source, target);
    }
}

translation::qt::TextLookup MapDictionary::lookup()
{
    return [this](const QString& text) {
        QString key = text;
        key.replace(QStringLiteral("\r\n"), QStringLiteral("||"));
        m_asked << key;
        return targetOf(key).replace(QStringLiteral("||"), QStringLiteral("\r\n"));
    };
}
