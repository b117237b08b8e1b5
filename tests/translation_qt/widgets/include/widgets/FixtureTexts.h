#pragma once

#include "translation/WalkRules.h"
#include "translation/qt/FormTranslator.h"
#include "translation/qt/QtText.h"

#include <QStringList>
#include <map>
#include <utility>

// What the translator reads and writes of a fixture control: the rule it
// falls under and its texts, one list of them per TextList and grid column.
class FixtureTexts : public translation::ControlTexts
{
public:
    explicit FixtureTexts(translation::Rule rule) : m_rule(rule) {}

    bool is(translation::Rule rule) const override { return rule == m_rule; }
    int count(translation::TextList list, int column) const override
    {
        return static_cast<int>(texts(list, column).size());
    }
    std::optional<std::u16string> item(translation::TextList list, int column,
                                       int index) const override
    {
        return std::u16string(translation::qt::toU16View(texts(list, column).at(index)));
    }
    void setItem(translation::TextList list, int column, int index,
                 std::u16string_view text) override
    {
        m_texts[{list, column}][index] = translation::qt::toQString(text);
    }

    QStringList texts(translation::TextList list, int column = 0) const
    {
        const auto found = m_texts.find({list, column});
        return found != m_texts.end() ? found->second : QStringList();
    }
    void setTexts(translation::TextList list, int column, const QStringList& texts)
    {
        m_texts[{list, column}] = texts;
    }

private:
    translation::Rule m_rule;
    std::map<std::pair<translation::TextList, int>, QStringList> m_texts;
};
