#include "launcher/window/LauncherWindow.h"

#include "launcher/CalculationKinds.h"
#include "launcher/window/WindowDescription.h"
#include "platform/Animation.h"
#include "platform/ErrorReport.h"
#include "platform/Locale.h"

#include <cstdlib>

namespace launcher {

LauncherWindow::LauncherWindow(LauncherView& view, std::string programDir,
                               platform::WindowAnimation* animation,
                               std::function<std::string()> languageSource)
    : m_view(view), m_programDir(std::move(programDir))
{
    setWindowAnimation(animation);
    setLanguageSource(std::move(languageSource));
}

void LauncherWindow::setWindowAnimation(platform::WindowAnimation* animation)
{
    m_animation = animation != nullptr ? animation : &platform::systemWindowAnimation();
}

void LauncherWindow::setLanguageSource(std::function<std::string()> source)
{
    m_languageSource = source ? std::move(source) : &platform::userLanguageAbbreviation;
}

void LauncherWindow::FormCreate()
{
    DataFileName.clear();
}

void LauncherWindow::FormShow()
{
    // Runs after the translation, so that the English notice is never
    // translated.
    if (!keepsRussianNotice(m_languageSource())) {
        m_view.setNotice(Notice::English);
    }
}

void LauncherWindow::rbGear_ExcClick()
{
    m_view.setRunEnabled(true);
}

void LauncherWindow::btnRunClick()
{
    run();
}

std::optional<RunOutcome> LauncherWindow::run()
{
    m_view.setRunEnabled(false);
    std::optional<RunOutcome> outcome;
    const int kindIndex = m_view.checkedKind();
    if (kindIndex >= 0 && kindIndex < static_cast<int>(KindCount)) {
        outcome = RunCalculation(CalculationKinds[static_cast<std::size_t>(kindIndex)],
                                 DataFileName, {m_programDir, m_view.ownerHandle()});
        if (outcome->status != RunStatus::Completed) {
            platform::reportError(outcome->message);
        }
        for (const std::string& note : outcome->notes) {
            platform::reportError(note);
        }
        if (outcome->loaderUnusable) {
            // Neither a module nor, at exit, a toolkit's plug-ins could be
            // loaded or unloaded again: the process ends here, in either
            // mode.
            std::_Exit(exitStatusFor(outcome->status));
        }
        m_lastOutcome = outcome;
    }
    m_view.setRunEnabled(true);
    bringForward();
    return outcome;
}

void showWithoutAnimation(platform::WindowAnimation& animation, const std::function<void()>& show)
{
    int minimizeAnimation = 0;
    const bool animated = animation.query(minimizeAnimation) && minimizeAnimation != 0;
    if (animated) {
        animation.set(0);
    }
    show();
    if (animated) {
        animation.set(-1);
    }
}

void LauncherWindow::bringForward()
{
    showWithoutAnimation(*m_animation, [this] { m_view.showNativeWindow(); });
    m_view.bringToForeground();
}

std::optional<RunOutcome> LauncherWindow::SelectKindAndRun()
{
    if (!AutoRun) {
        return std::nullopt;
    }
    // Any other index leaves the choice as it is.
    if (KindIndex >= 0 && KindIndex < static_cast<int>(KindCount) &&
        m_view.checkedKind() != KindIndex) {
        m_view.checkKind(KindIndex);
    }
    return run();
}

} // namespace launcher
