#include "TFormGears.h"
#include "launcher/CommandLine.h"
#include "launcher/ModuleRunner.h"
#include "launcher/Paths.h"
#include "platform/ErrorReport.h"
#include "platform/Process.h"
#include "platform/Startup.h"
#include "translation/Dictionary.h"

#include <QApplication>
#include <optional>
#include <string>

int main(int argc, char* argv[])
{
    platform::prepareProcess(argv);

    // Argument 1 is the data file name, byte for byte. Qt is given the
    // program name alone, so that it never takes an option out of the
    // user's argument nor re-encodes it.
    const std::optional<std::string_view> argument1 = launcher::firstArgument(argc, argv);
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);

    const launcher::PathStyle style = launcher::nativePathStyle();
    const std::string programDir =
        launcher::programDirFromExecutable(platform::executablePath(), style);
    if (!programDir.empty()) {
        translation::LoadDictionary(programDir + launcher::DictionaryFileName);
    } else {
        // Without its own folder the launcher would read "Orvanel.Dic" from
        // the current directory; modules still go through the system search.
        platform::reportError("cannot tell the program's folder; no dictionary is read");
    }
    QApplication::setApplicationName(QStringLiteral("DERIZE-Zizir"));
    // Ties the window to the installed desktop file (its icon and name) on
    // desktops that ask for it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.derize.Zizir"));

    TFormGears window;
    launcher::LauncherWindow& launcherWindow = window.behaviour();
    launcherWindow.setProgramDir(programDir);
    launcherWindow.AutoRun = false;

    if (argument1) {
        const launcher::StartupRequest request =
            launcher::parseCommandLine(*argument1, platform::currentDirectory(), style);
        if (request.autoRun) {
            if (!request.error.empty()) {
                platform::reportError(request.error);
                return launcher::ExitBadDataFileName;
            }
            launcherWindow.KindIndex = request.kindIndex;
            launcherWindow.DataFileName = request.dataFileName;
            launcherWindow.AutoRun = true;
            const std::optional<launcher::RunOutcome> outcome = launcherWindow.SelectKindAndRun();
            return launcher::exitStatusFor(outcome ? outcome->status
                                                   : launcher::RunStatus::NoSuchModule);
        }
        launcherWindow.KindIndex = request.kindIndex;
    }

    window.show();
    QApplication::exec();
    return 0;
}
