#include "TFormGears.h"
#include "launcher/CommandLine.h"
#include "launcher/Startup.h"
#include "launcher/window/WindowDescription.h"
#include "platform/Process.h"

#include <QApplication>
#include <memory>
#include <optional>
#include <string>

namespace {

// The Qt program's windows for start-up: the launcher window alone, whose
// native id is every module's owner.
class QtProgramWindow final : public launcher::ProgramWindow
{
public:
    bool create(const std::string& programDir, std::string&) override
    {
        m_window = std::make_unique<TFormGears>();
        m_window->behaviour().setProgramDir(programDir);
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

    QtProgramWindow window;
    return launcher::runLauncher(window, start);
}
