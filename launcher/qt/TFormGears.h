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
    // When the window's controls are made: with the window, or only when Qt
    // first shows it (the bring-forward step after a run does not count).
    // Automatic mode never has Qt show the window, so its window goes
    // without them: a module still gets a window of the same title, icon,
    // font and place to own its windows, and the checked kind and the Run
    // button's state are kept until the controls exist.
    enum class Controls
    {
        WithWindow,
        WhenShown,
    };

    explicit TFormGears(QWidget* parent = nullptr);
    explicit TFormGears(Controls controls, QWidget* parent = nullptr);

    bool hasControls() const { return m_run != nullptr; }

    launcher::LauncherWindow& behaviour() { return m_behaviour; }
    const launcher::LauncherWindow& behaviour() const { return m_behaviour; }

    // The button of kind index 0 to 7, nullptr for any other index or
    // before the controls are made.
    TzrRadioButton* kindButton(int kindIndex) const;

    void setVisible(bool visible) override;

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

    void makeControls();

    ShadowLabel* m_label = nullptr;
    QPushButton* m_run = nullptr;
    std::array<TzrRadioButton*, launcher::KindCount> m_kindButtons{};
    launcher::LauncherWindow m_behaviour;
    bool m_bringingForward = false;
    // The view's state while the controls are not made yet.
    int m_checkedKind = -1;
    bool m_runEnabled = true;
    launcher::Notice m_notice = launcher::Notice::Russian;
};
