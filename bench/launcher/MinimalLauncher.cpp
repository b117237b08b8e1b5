// The least a Qt launcher must do in automatic mode, for comparison with
// derize-zizir: a Qt application, the window that owns the module's
// windows (its title, icon, font, size and place; Qt never shows it, so it
// has no controls), one module loaded, called and unloaded, the window
// brought forward, end.
//   bench_minimal_launcher DATAFILE
// runs trn_cylext.so from the program's own folder on DATAFILE.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QWidget>
#include <dlfcn.h>
#include <string>
#include <trn_module.h>
#include <unistd.h>

namespace {

const char* g_slot1 = nullptr;
const char* g_slot2 = nullptr;

std::string programDir()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string dir(path, length > 0 ? static_cast<std::size_t>(length) : 0);
    return dir.substr(0, dir.rfind('/') + 1);
}

} // namespace

int main(int argc, char* argv[])
{
    std::string name = argc > 1 ? argv[1] : "";
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    Q_INIT_RESOURCE(derize_resources);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Комплекс программ ЗЕФРАН-DIVIZ"));
    QImageReader icon(QStringLiteral(":/images/derize-zizir-16.png"), "png");
    icon.setAutoDetectImageFormat(false); // no image plug-in is loaded
    window.setWindowIcon(QIcon(QPixmap::fromImage(icon.read())));
    window.setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    window.setFixedSize(367, 430);
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.move(424, 227);

    char buffer[TRN_MAX_PATH] = {};
    name.copy(buffer, TRN_MAX_PATH - 1);
    void* library = dlopen((programDir() + "trn_cylext.so").c_str(), RTLD_NOW);
    if (library == nullptr) {
        return 3;
    }
    auto entry = reinterpret_cast<TrnRunFormA>(dlsym(library, "TrnRun_CylExt"));
    entry(reinterpret_cast<TrnWindowHandle>(window.winId()), buffer, &g_slot1, &g_slot2);
    dlclose(library);
    window.show();
    return 0;
}
