#pragma once

#include "translation/WalkRules.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <utility>

// A small dictionary for the tests: exact, case-sensitive entries, with the
// same "||" line-break mark as the real lookup. It records every text it is
// asked for, in order.
class MapDictionary
{
public:
    MapDictionary(std::initializer_list<std::pair<QString, QString>> entries);
    virtual ~MapDictionary() = default;

    translation::TextLookup lookup();
    const QStringList& asked() const { return m_asked; }

protected:
    // The target of `key` (line breaks written "||"); the key itself when it
    // has no entry.
    virtual QString targetOf(const QString& key) const { return m_entries.value(key, key); }

private:
    QHash<QString, QString> m_entries;
    QStringList m_asked;
};

// Translates every text by putting it in brackets, so that a test sees which
// texts were looked up (an empty one becomes "[]").
class BracketDictionary : public MapDictionary
{
public:
    BracketDictionary() : MapDictionary({}) {}

protected:
    QString targetOf(const QString& key) const override
    {
        return QLatin1Char('[') + key + QLatin1Char(']');
    }
};
