#pragma once

#include "translation/WalkRules.h"
#include "translation/qt/FormTranslator.h"
#include "translation/qt/QtText.h"

#include <QStringList>
#include <map>
#include <utility>

// A fixture control made of the Qt widget `Base` and what the translator
// reads and writes of it: the rule it falls under, its caption and hint
// (its properties) and its texts, one list of them per TextList and grid
// column.
template <class Base>
class FixtureTexts : public Base, public translation::ControlTexts
{
public:
    FixtureTexts(translation::Rule rule, QWidget* parent) : Base(parent), m_rule(rule) {}

    bool is(translation::Rule rule) const override { return rule == m_rule; }
    std::u16string caption() const override
    {
        return propertyText(translation::qt::CaptionProperty);
    }
    void setCaption(std::u16string_view text) override
    {
        setPropertyText(translation::qt::CaptionProperty, text);
    }
    std::u16string hint() const override { return propertyText(translation::qt::HintProperty); }
    void setHint(std::u16string_view text) override
    {
        setPropertyText(translation::qt::HintProperty, text);
    }
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
    std::u16string propertyText(const char* property) const
    {
        return std::u16string(
            translation::qt::toU16View(translation::qt::GetTextProperty(this, property)));
    }
    void setPropertyText(const char* property, std::u16string_view text)
    {
        translation::qt::SetTextProperty(this, property, translation::qt::toQString(text));
    }

    translation::Rule m_rule;
    std::map<std::pair<translation::TextList, int>, QStringList> m_texts;
};
