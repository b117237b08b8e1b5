#pragma once

#include <QString>
#include <QStringList>

// What a data grid knows about one of its columns: the title shown in the
// header, the texts offered when a cell is edited (pick list) and, for a
// lookup column, the values stored in place of those texts (key list:
// choosing pick-list item i stores key-list item i).
struct GridColumn
{
    QString title;
    QStringList pickList;
    QStringList keyList;
};
