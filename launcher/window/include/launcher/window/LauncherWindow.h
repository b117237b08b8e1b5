#pragma once

#include "launcher/ModuleRunner.h"
#include "launcher/window/LauncherView.h"

#include <functional>
#include <optional>
#include <string>

namespace platform {
class WindowAnimation;
}

namespace launcher {

// The launcher window's behaviour, written once for every window: the
// launcher state that start-up fills in and the window's handlers. A view
// (LauncherView) draws the window and calls the handlers.
class LauncherWindow
{
public:
    // `programDir`: where modules are looked for first. `animation` and
    // `languageSource` default to the platform's own.
    LauncherWindow(LauncherView& view, std::string programDir,
                   platform::WindowAnimation* animation = nullptr,
                   std::function<std::string()> languageSource = {});

    // Launcher state.
    std::string DataFileName; // raw bytes, handed to the module unchanged
    int KindIndex = -1;       // kind chosen by the command line
    bool AutoRun = false;     // the command line named a data file of a known kind

    const std::string& programDir() const { return m_programDir; }
    void setProgramDir(std::string programDir) { m_programDir = std::move(programDir); }
    // nullptr: the platform's own setting.
    void setWindowAnimation(platform::WindowAnimation* animation);
    // An empty function: the platform's own answer.
    void setLanguageSource(std::function<std::string()> source);

    void FormCreate();
    // The part of the show handler after the window's texts are translated:
    // the notice chosen by the user's language.
    void FormShow();
    void rbGear_ExcClick();
    // Disables Run, runs the checked kind on DataFileName (a failed run's
    // line goes to standard error), enables Run and brings the window
    // forward.
    void btnRunClick();
    // Checks the kind of KindIndex and runs it, when AutoRun; the run's
    // outcome, nullopt when nothing ran.
    std::optional<RunOutcome> SelectKindAndRun();

    // What became of the last run; nullopt before the first.
    const std::optional<RunOutcome>& lastOutcome() const { return m_lastOutcome; }

private:
    std::optional<RunOutcome> run();
    void bringForward();

    LauncherView& m_view;
    std::string m_programDir;
    platform::WindowAnimation* m_animation = nullptr;
    std::function<std::string()> m_languageSource;
    std::optional<RunOutcome> m_lastOutcome;
};

// The bring-forward step's show: runs `show` with the system's window
// animation switched off. When the animation setting can be read and is
// on, it is set to 0 before `show` and to -1 (all bits) after it. When it
// is off, or cannot be read, the setting is not touched.
void showWithoutAnimation(platform::WindowAnimation& animation, const std::function<void()>& show);

} // namespace launcher
