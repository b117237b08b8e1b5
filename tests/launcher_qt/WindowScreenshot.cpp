// Shows the launcher window and saves a picture of it:
//   window_screenshot OUTPUT.png [LANGUAGE]
// LANGUAGE is the abbreviated language name the window is to assume
// ("RUS" by default). Run it under a real X server (xvfb-run) with
// QT_QPA_PLATFORM=xcb for a picture as users see it.
#include "TFormGears.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fputs("usage: window_screenshot OUTPUT.png [LANGUAGE]\n", stderr);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    const std::string language = argc > 2 ? argv[2] : "RUS";
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("DERIZE-Zizir"));

    TFormGears window;
    window.behaviour().setLanguageSource([language] { return language; });
    window.show();
    int status = 1;
    QTimer::singleShot(500, &window, [&] {
        status = window.grab().save(output) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
