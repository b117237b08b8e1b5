#include "MapDictionary.h"

#include "translation/qt/QtText.h"

MapDictionary::MapDictionary(std::initializer_list<std::pair<QString, QString>> entries)
{
    for (const auto& [source, target] : entries) {
        m_entries.insert(source, target);
    }
}

translation::TextLookup MapDictionary::lookup()
{
    return [this](std::u16string_view text) {
        QString key = translation::qt::toQString(text);
        key.replace(QStringLiteral("\r\n"), QStringLiteral("||"));
        m_asked << key;
        const QString target = targetOf(key).replace(QStringLiteral("||"), QStringLiteral("\r\n"));
        return std::u16string(translation::qt::toU16View(target));
    };
}
