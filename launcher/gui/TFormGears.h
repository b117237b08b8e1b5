#pragma once

#include "launcher/ModuleRunner.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class TFormGears;
}
namespace platform {
class WindowAnimation;
}
class TzrRadioButton;

// The launcher window: the eight calculation kinds, the Run button, two
// pictures and the maker's notice. It also holds the launcher state that
// start-up fills in from the command line.
class TFormGears : public QWidget
{
    Q_OBJECT

public:
    explicit TFormGears(QWidget* parent = nullptr);
    ~TFormGears() override;

    // Launcher state.
    std::string DataFileName; // raw bytes, handed to the module unchanged
    int KindIndex = -1;       // kind chosen by the command line
    bool AutoRun = false;     // the command line named a data file of a known kind

    // Where the modules are looked for first: the launcher's folder,
    // ending in the separator.
    void setProgramDir(const std::string& programDir) { m_programDir = programDir; }
    const std::string& programDir() const { return m_programDir; }

    // The button of kind index 0 to 7, nullptr for any other index.
    TzrRadioButton* kindButton(int kindIndex) const;

    // What became of the last run; nullopt before the first.
    const std::optional<launcher::RunOutcome>& lastOutcome() const { return m_lastOutcome; }

    // Where the system's window animation setting is read and written
    // (the platform's own unless replaced, for example by a test).
    void setWindowAnimation(platform::WindowAnimation* animation);
    // Where the user's abbreviated language name comes from ("RUS" for
    // Russian); the platform's own unless replaced.
    void setLanguageSource(std::function<std::string()> source);

public slots:
    void FormCreate();
    void FormShow();
    void rbGear_ExcClick();
    void btnRunClick();
    void SelectKindAndRun();

protected:
    void showEvent(QShowEvent* event) override;

private:
    launcher::RunOutcome runKind(int kindIndex, char* dataFileName);
    void bringForward();

    std::unique_ptr<Ui::TFormGears> m_ui;
    std::array<TzrRadioButton*, 8> m_kindButtons{};
    std::string m_programDir;
    std::optional<launcher::RunOutcome> m_lastOutcome;
    platform::WindowAnimation* m_animation;
    std::function<std::string()> m_languageSource;
    bool m_bringingForward = false;
};
