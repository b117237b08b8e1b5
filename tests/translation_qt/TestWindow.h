#pragma once

#include "FixtureControls.h"

#include <QComboBox>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <stdexcept>

// Controls derived from those the translator knows, to check that a derived
// class follows its base class's rule.
class DerivedComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;
};

class DerivedKeyedDataGrid : public TKeyedDataGrid
{
    Q_OBJECT

public:
    using TKeyedDataGrid::TKeyedDataGrid;
};

// A window built the way uic builds one from a .ui: one control of each of
// the eleven kinds the translator knows, some inside panels, a group box and
// a tab page, plus a menu, an action and a status bar. Its texts are Russian.
std::unique_ptr<QMainWindow> makeTestWindow();

// The window's object of that name and class; throws (and so fails the
// test) with the name when there is none.
template <class T>
T* child(const QObject* window, const char* name)
{
    T* object = window->findChild<T*>(QString::fromLatin1(name));
    if (!object) {
        throw std::runtime_error(std::string("the test window has no object ") + name +
                                 " of the expected class");
    }
    return object;
}
