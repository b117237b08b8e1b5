#include "TFormGears.h"
#include "launcher/CommandLine.h"
#include "launcher/Startup.h"
#include "launcher/window/WindowDescription.h"
#include "platform/Process.h"

#include <QApplication>
#include <memory>
#include <optional>
#include <string>

#ifdef DERIZE_STARTUP_PHASES
#include <cstdio>
#include <ctime>
#endif

namespace {

// The benchmark's build (bench_launcher_phases) writes the monotonic clock
// and the process's CPU time as each step of start-up ends to standard
// error; the program writes nothing.
void phase([[maybe_unused]] const char* name)
{
#ifdef DERIZE_STARTUP_PHASES
    const auto nanoseconds = [](clockid_t clock) {
        timespec now{};
        clock_gettime(clock, &now);
        return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    };
    std::fprintf(stderr, "phase %s %lld %lld\n", name, nanoseconds(CLOCK_MONOTONIC),
                 nanoseconds(CLOCK_PROCESS_CPUTIME_ID));
#endif
}

// The Qt program's windows for start-up: the launcher window alone, whose
// native id is every module's owner. Its controls are made when the main
// loop shows it, so that automatic mode, which only runs a module, makes
// none of them.
class QtProgramWindow final : public launcher::ProgramWindow
{
public:
    bool create(const std::string& programDir, std::string&) override
    {
        phase("dictionary");
        m_window = std::make_unique<TFormGears>(TFormGears::Controls::WhenShown);
        m_window->behaviour().setProgramDir(programDir);
        phase("window");
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
    phase("loaded");
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

    phase("application");

    QtProgramWindow window;
    const int status = launcher::runLauncher(window, start);
    phase("run");
    return status;
}
