#include "TFormGears.h"
#include "launcher/CommandLine.h"
#include "launcher/Startup.h"
#include "launcher/window/WindowDescription.h"
#include "platform/Process.h"

#include <QApplication>
#include <memory>
#include <optional>
#include <string>

// The benchmark's build (bench_launcher_phases) writes the time as each
// step of start-up ends (bench/launcher/StartupPhase.cpp); the program
// writes nothing.
#ifdef DERIZE_STARTUP_PHASES
void startupPhase(const char* name);
#else
static void startupPhase(const char*) {}
#endif

namespace {

// The Qt program's windows for start-up: the launcher window alone, whose
// native id is every module's owner. Its controls are made when the main
// loop shows it, so that automatic mode, which only runs a module, makes
// none of them.
class QtProgramWindow final : public launcher::ProgramWindow
{
public:
    bool create(const std::string& programDir, std::string&) override
    {
        startupPhase("dictionary");
        m_window = std::make_unique<TFormGears>(TFormGears::Controls::WhenShown);
        m_window->behaviour().setProgramDir(programDir);
        startupPhase("window");
        return true;
    }
    launcher::LauncherWindow& behaviour() override { return m_window->behaviour(); }
    int runMainLoop() override
    {
        m_window->show();
        return QApplication::exec();
    }

private:
    std::unique_ptr<TFormGears> m_window;
};

} // namespace

int main(int argc, char* argv[])
{
    startupPhase("loaded");
    platform::prepareProcess(argv);

    // Argument 1 is the data file name, byte for byte. Qt is given the
    // program name alone, so that it never takes an option out of the
    // user's argument nor re-encodes it.
    launcher::ProcessStart start;
    if (const std::optional<std::string_view> argument1 = launcher::firstArgument(argc, argv)) {
        start.argument1 = std::string(*argument1);
    }
    start.executablePath = platform::executablePath();
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(
        QString::fromUtf8(launcher::ApplicationTitle.data(), launcher::ApplicationTitle.size()));
    // Ties the window to the installed desktop file (its icon and name) on
    // desktops that ask for it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.derize.Zizir"));

    startupPhase("application");

    QtProgramWindow window;
    const int status = launcher::runLauncher(window, start);
    startupPhase("run");
    return status;
}
