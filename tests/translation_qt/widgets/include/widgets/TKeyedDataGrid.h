#pragma once

#include "widgets/FixtureTexts.h"

#include <QTableView>

// A data grid whose columns carry a title, a pick list and a key list (the
// values stored in place of the pick-list texts). Not derived from
// TDataGrid: the translator tells the two apart by their rules.
class TKeyedDataGrid : public FixtureTexts<QTableView>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TKeyedDataGrid(QWidget* parent = nullptr)
        : FixtureTexts(translation::Rule::KeyedDataGrid, parent)
    {
    }

    void addColumn(const QString& title, const QStringList& pickList, const QStringList& keyList)
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
