#include "QtPrinting.h"
#include "widgets/GridColumnModel.h"
#include "widgets/PickListDelegate.h"
#include "widgets/TDataGrid.h"
#include "widgets/TDirectoryEdit.h"
#include "widgets/TKeyedDataGrid.h"
#include "widgets/TRadioGroup.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(TRadioGroup, ItemIndexFollowsClicksAndSettingReportsOnlyChanges)
{
    TRadioGroup group;
    group.setItems({"a", "b", "c"});
    EXPECT_EQ(group.itemIndex(), -1);
    QSignalSpy changed(&group, &TRadioGroup::itemIndexChanged);

    group.setItemIndex(2);
    group.setItemIndex(2);
    EXPECT_EQ(changed.count(), 1);
    const auto buttons = group.findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_TRUE(buttons[2]->isChecked());

    buttons[0]->click();
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_FALSE(buttons[2]->isChecked());

    group.setItemIndex(7);
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_FALSE(buttons[0]->isChecked()) << "an index out of range checks nothing";
    EXPECT_EQ(changed.count(), 3);

    group.setItemIndex(1);
    group.setItemText(1, "B");
    EXPECT_EQ(group.items(), QStringList({"a", "B", "c"}));
    EXPECT_EQ(group.itemIndex(), 1);
}

TEST(TDirectoryEdit, BrowseOpensAFolderDialogTitledWithTheDialogText)
{
    TDirectoryEdit edit;
    edit.setDialogText("Choose a folder");
    edit.setButtonHint("Browse");
    EXPECT_EQ(edit.browseButton()->toolTip(), "Browse");

    QString title;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    QTest::mouseClick(edit.browseButton(), Qt::LeftButton);
    EXPECT_EQ(title, "Choose a folder");
}

TEST(DataGrids, ShowColumnTitlesAndALookupColumnShowsThePickTextOfItsKey)
{
    QStandardItemModel data(1, 2);
    data.setItem(0, 0, new QStandardItem("axle"));
    data.setItem(0, 1, new QStandardItem("steel"));
    TKeyedDataGrid keyed;
    keyed.setModel(&data);
    keyed.addColumn("Part", {"Shaft", "Axle"}, {"shaft", "axle"});
    EXPECT_EQ(keyed.model()->headerData(0, Qt::Horizontal).toString(), "Part");
    EXPECT_EQ(keyed.model()->index(0, 0).data().toString(), "Axle");
    QSignalSpy titles(keyed.model(), &QAbstractItemModel::headerDataChanged);
    keyed.setColumnTitle(0, "Detail");
    keyed.setPickListItem(0, 1, "Spindle");
    EXPECT_EQ(titles.count(), 2);
    EXPECT_EQ(keyed.model()->headerData(0, Qt::Horizontal).toString(), "Detail");
    EXPECT_EQ(keyed.model()->index(0, 0).data().toString(), "Spindle");
    EXPECT_EQ(keyed.model()->headerData(1, Qt::Horizontal).toString(), "2")
        << "a column without a title keeps the model's own";

    TDataGrid plain;
    plain.setModel(&data);
    plain.addColumn("Material", {"Steel"});
    plain.setPickListItem(0, 3, "out of range");
    EXPECT_EQ(plain.pickList(0), QStringList({"Steel"}));
    EXPECT_EQ(plain.model()->headerData(0, Qt::Horizontal).toString(), "Material");
}

TEST(DataGrids, ThePickListEditorStoresTheKeyOfTheChosenText)
{
    QStandardItemModel data(1, 1);
    data.setItem(0, 0, new QStandardItem("shaft"));
    GridColumnModel columns;
    columns.setSourceModel(&data);
    columns.addColumn({"Part", {"Shaft", "Axle"}, {"shaft", "axle"}});
    PickListDelegate delegate(&columns);
    QWidget parent;
    const QModelIndex cell = columns.index(0, 0);
    std::unique_ptr<QWidget> editor(delegate.createEditor(&parent, {}, cell));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    delegate.setEditorData(combo, cell);
    EXPECT_EQ(combo->currentIndex(), 0);
    combo->setCurrentIndex(1);
    delegate.setModelData(combo, &columns, cell);
    EXPECT_EQ(data.item(0, 0)->text(), "axle");
}
