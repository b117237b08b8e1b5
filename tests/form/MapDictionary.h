#pragma once

#include "translation/FormTranslator.h"

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

    translation::TextLookup lookup();
    const QStringList& asked() const { return m_asked; }

private:
    QHash<QString, QString> m_entries;
    QStringList m_asked;
};

// Translates every text by putting it in brackets, so that a test sees which
// texts were looked up (an empty one becomes "[]").
class BracketDictionary
{
public:
    translation::TextLookup lookup();
    const QStringList& asked() const { return m_asked; }

private:
    QStringList m_asked;
};
