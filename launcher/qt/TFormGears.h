#pragma once

#include "launcher/CalculationKinds.h"
#include "launcher/window/LauncherView.h"
#include "launcher/window/LauncherWindow.h"

#include <QWidget>
#include <array>

class QPushButton;
class ShadowLabel;
class TzrRadioButton;

// The launcher window on Qt: the eight calculation kinds, the Run button,
// two pictures and the maker's notice. What the window does lives in its
// behaviour (launcher::LauncherWindow, which also holds the launcher state
// start-up fills in); this class draws it and hands it the clicks. Its
// widgets are made from the window's description (WindowDescription.h),
// the one the Windows window is made from.
class TFormGears : public QWidget, private launcher::LauncherView
{
    Q_OBJECT

public:
    explicit TFormGears(QWidget* parent = nullptr);

    launcher::LauncherWindow& behaviour() { return m_behaviour; }
    const launcher::LauncherWindow& behaviour() const { return m_behaviour; }

    // The button of kind index 0 to 7, nullptr for any other index.
    TzrRadioButton* kindButton(int kindIndex) const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // launcher::LauncherView
    int checkedKind() const override;
    void checkKind(int kindIndex) override;
    void setRunEnabled(bool enabled) override;
    void setNotice(launcher::Notice notice) override;
    void showNativeWindow() override;
    void bringToForeground() override;
    TrnWindowHandle ownerHandle() override;

    ShadowLabel* m_label = nullptr;
    QPushButton* m_run = nullptr;
    std::array<TzrRadioButton*, launcher::KindCount> m_kindButtons{};
    launcher::LauncherWindow m_behaviour;
    bool m_bringingForward = false;
};
