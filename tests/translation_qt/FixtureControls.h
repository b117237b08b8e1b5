#pragma once

#include "translation/WalkRules.h"
#include "translation/qt/FormTranslator.h"
#include "translation/qt/QtText.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QStringList>
#include <QTableView>
#include <map>
#include <utility>

// The translator tests' fixture controls: kinds that Qt lacks and the
// window translator recognises. The launcher window uses none of them; each
// tells the translator its texts through translation::ControlTexts, which it
// names in Q_INTERFACES.

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

// A data grid whose columns carry a title, a pick list and, in a keyed
// grid, a key list (the values stored in place of the pick-list texts).
class TDataGrid : public FixtureTexts<QTableView>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TDataGrid(QWidget* parent = nullptr,
                       translation::Rule rule = translation::Rule::DataGrid)
        : FixtureTexts(rule, parent)
    {
    }

    void addColumn(const QString& title, const QStringList& pickList = {},
                   const QStringList& keyList = {})
    {
        const QStringList titles = texts(translation::TextList::Items) << title;
        setTexts(translation::TextList::PickList, int(titles.size()) - 1, pickList);
        setTexts(translation::TextList::KeyList, int(titles.size()) - 1, keyList);
        setTexts(translation::TextList::Items, 0, titles);
    }
    QString columnTitle(int column) const { return texts(translation::TextList::Items).at(column); }
    QStringList pickList(int column) const
    {
        return texts(translation::TextList::PickList, column);
    }
    QStringList keyList(int column) const { return texts(translation::TextList::KeyList, column); }
};

// The keyed grid, which the translator tells from the other by its rule.
class TKeyedDataGrid : public TDataGrid
{
    Q_OBJECT

public:
    explicit TKeyedDataGrid(QWidget* parent = nullptr)
        : TDataGrid(parent, translation::Rule::KeyedDataGrid)
    {
    }
};

// A folder-name edit: its text is the folder; the title of the folder
// dialog it would open and its browse button's tooltip are its texts.
class TDirectoryEdit : public FixtureTexts<QLineEdit>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TDirectoryEdit(QWidget* parent = nullptr)
        : FixtureTexts(translation::Rule::DirectoryEdit, parent)
    {
        setTexts(translation::TextList::Items, 0, {QString(), QString()});
    }

    QString dialogText() const { return texts(translation::TextList::Items).at(0); }
    QString buttonHint() const { return texts(translation::TextList::Items).at(1); }
    void setDialogTexts(const QString& dialogText, const QString& buttonHint)
    {
        setTexts(translation::TextList::Items, 0, {dialogText, buttonHint});
    }
};

// A group box of items of which one (`itemIndex`) is checked, -1 when none
// is. Renaming the items keeps the checked one.
class TRadioGroup : public FixtureTexts<QGroupBox>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TRadioGroup(QWidget* parent = nullptr) : TRadioGroup(QString(), parent) {}
    explicit TRadioGroup(const QString& title, QWidget* parent = nullptr)
        : FixtureTexts(translation::Rule::RadioGroup, parent)
    {
        setTitle(title);
    }

    QStringList items() const { return texts(translation::TextList::Items); }
    void setItems(const QStringList& items) { setTexts(translation::TextList::Items, 0, items); }

    int itemIndex() const { return m_itemIndex; }
    // Emits itemIndexChanged only when the checked item changes.
    void setItemIndex(int index)
    {
        if (index != m_itemIndex) {
            m_itemIndex = index;
            emit itemIndexChanged(index);
        }
    }
    int selected() const override { return m_itemIndex; }
    void select(int index) override { setItemIndex(index); }

signals:
    void itemIndexChanged(int index);

private:
    int m_itemIndex = -1;
};

// A status bar divided into panels, each showing one text, with a
// simple-mode text of its own that is no panel's.
class TStatusBar : public FixtureTexts<QStatusBar>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TStatusBar(QWidget* parent = nullptr)
        : FixtureTexts(translation::Rule::StatusBar, parent)
    {
    }

    void addPanel(const QString& text)
    {
        setTexts(translation::TextList::Items, 0, texts(translation::TextList::Items) << text);
    }
    QString panelText(int index) const { return texts(translation::TextList::Items).at(index); }

    QString simpleText() const { return m_simpleText; }
    void setSimpleText(const QString& text) { m_simpleText = text; }

private:
    QString m_simpleText;
};
