// The least a launcher must do, for comparison with derize-zizir in
// automatic mode: a Qt application, a window with the same controls and
// pictures, one module loaded, called and unloaded, the window shown, end.
//   bench_minimal_launcher DATAFILE
// runs trn_cylext.so from the program's own folder on DATAFILE.
#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
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

    // The same texts in the same face: shaping Cyrillic text and finding
    // its fonts is part of what any launcher of these modules must do.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Комплекс программ ЗЕФРАН-DIVIZ"));
    window.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    window.setFixedSize(367, 430);
    auto* label = new QLabel(
        QStringLiteral("© 2026 разработчики ZEFRAN-DIVIZ\n    Все права защищены."), &window);
    label->move(161, 122);
    label->adjustSize();
    auto* panel2 = new QFrame(&window);
    panel2->setGeometry(157, 10, 196, 103);
    panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* picture = new QLabel(panel2);
    picture->setGeometry(2, 2, 192, 99);
    picture->setPixmap(QPixmap(QStringLiteral(":/images/ani_image.png")));
    auto* panel1 = new QFrame(&window);
    panel1->setGeometry(10, 10, 143, 134);
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* gif = new QLabel(panel1);
    gif->setGeometry(2, 2, 139, 130);
    gif->setScaledContents(true);
    gif->setPixmap(QPixmap(QStringLiteral(":/images/transmission.gif")));
    window.setWindowIcon(QIcon(QStringLiteral(":/images/derize-zizir-16.png")));
    auto* group = new QGroupBox(QStringLiteral("Типы расчетов"), &window);
    group->setGeometry(12, 152, 341, 238);
    const QString kinds[] = {
        QStringLiteral("Цилиндрическая передача внешнего зацепления"),
        QStringLiteral("Цилиндрическая передача внутреннего зацепления"),
        QStringLiteral("Коническая передача с круговыми зубьями"),
        QStringLiteral("Коническая передача с прямыми зубьями"),
        QStringLiteral("Червячная цилиндрическая передача"),
        QStringLiteral("Роликовая цепная передача"),
        QStringLiteral("Клиноременная передача"),
        QStringLiteral("Зубчато-ременная передача"),
    };
    for (int i = 0; i < 8; ++i) {
        auto* button = new QRadioButton(kinds[i], group);
        button->setGeometry(9, 24 + 27 * i, 316, 17);
        button->setChecked(i == 0);
    }
    auto* run = new QPushButton(QStringLiteral("Выполнить"), &window);
    run->setGeometry(91, 399, 186, 25);

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
