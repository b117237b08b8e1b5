#pragma once

#include "widgets/FixtureTexts.h"

#include <QTableView>

// A data grid whose columns carry a title and a pick list.
class TDataGrid : public FixtureTexts<QTableView>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TDataGrid(QWidget* parent = nullptr)
        : FixtureTexts(translation::Rule::DataGrid, parent)
    {
    }

    void addColumn(const QString& title, const QStringList& pickList = {})
    {
        const QStringList titles = texts(translation::TextList::Items) << title;
        setTexts(translation::TextList::PickList, int(titles.size()) - 1, pickList);
        setTexts(translation::TextList::Items, 0, titles);
    }
    QString columnTitle(int column) const { return texts(translation::TextList::Items).at(column); }
    QStringList pickList(int column) const
    {
        return texts(translation::TextList::PickList, column);
    }
};
