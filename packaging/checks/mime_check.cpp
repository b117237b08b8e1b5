// mime_check DESKTOP_FILE
//
// Checks the MIME database that XDG_DATA_HOME and XDG_DATA_DIRS point at
// against the kind table: every calculation kind's data-file extension, in
// lower, upper and mixed case, maps to one type of its own whose only glob
// is that extension; no other type of ours is left over from a kind that
// is gone; the desktop file declares exactly those types; each type has an
// English and a Russian comment.
#include "launcher/CalculationKinds.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QMimeDatabase>
#include <QSet>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

int failures = 0;

void fail(const QString& message)
{
    std::fprintf(stderr, "mime_check: %s\n", qPrintable(message));
    ++failures;
}

QSet<QString> desktopMimeTypes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail(QStringLiteral("cannot read %1").arg(path));
        return {};
    }
    QTextStream in(&file);
    QSet<QString> types;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1String("MimeType="))) {
            for (const QString& type : line.mid(9).split(u';', Qt::SkipEmptyParts)) {
                types.insert(type);
            }
        }
    }
    return types;
}

QString mixedCase(const QString& text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); i += 2) {
        result[i] = result[i].toUpper();
    }
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mime_check DESKTOP_FILE\n");
        return 2;
    }
    const QSet<QString> declared = desktopMimeTypes(QString::fromLocal8Bit(argv[1]));
    QMimeDatabase database;
    QSet<QString> found;

    for (const launcher::CalculationKind& kind : launcher::CalculationKinds) {
        const QString extension =
            QString::fromLatin1(kind.fileExtension.data(), kind.fileExtension.size());
        const QString lower =
            database
                .mimeTypeForFile(QStringLiteral("box.") + extension, QMimeDatabase::MatchExtension)
                .name();
        if (lower.isEmpty() || lower == QLatin1String("application/octet-stream")) {
            fail(QStringLiteral("*.%1 has no MIME type").arg(extension));
            continue;
        }
        for (const QString& name : {QStringLiteral("BOX.") + extension.toUpper(),
                                    QStringLiteral("Box.") + mixedCase(extension)}) {
            const QString type =
                database.mimeTypeForFile(name, QMimeDatabase::MatchExtension).name();
            if (type != lower) {
                fail(
                    QStringLiteral("%1 is %2, but box.%3 is %4").arg(name, type, extension, lower));
            }
        }
        if (found.contains(lower)) {
            fail(QStringLiteral("%1 serves more than one kind").arg(lower));
        }
        found.insert(lower);
        if (!declared.contains(lower)) {
            fail(QStringLiteral("the desktop file does not declare %1").arg(lower));
        }

        const QMimeType type = database.mimeTypeForName(lower);
        const QStringList globs = type.globPatterns();
        if (globs != QStringList{QStringLiteral("*.") + extension}) {
            fail(QStringLiteral("%1 has the globs [%2], not just *.%3")
                     .arg(lower, globs.join(u' '), extension));
        }
        QLocale::setDefault(QLocale(QLocale::English));
        const QString english = type.comment();
        QLocale::setDefault(QLocale(QLocale::Russian));
        const QString russian = type.comment();
        if (english.isEmpty() || russian.isEmpty() || english == russian) {
            fail(QStringLiteral("%1 lacks an English or a Russian comment").arg(lower));
        }
        std::printf("*.%s -> %s: %s / %s\n", qPrintable(extension), qPrintable(lower),
                    qPrintable(english), qPrintable(russian));
    }
    for (const QMimeType& type : database.allMimeTypes()) {
        if (type.name().startsWith(QLatin1String("application/x-derize-")) &&
            !found.contains(type.name())) {
            fail(QStringLiteral("%1 belongs to no kind").arg(type.name()));
        }
    }
    for (const QString& type : declared) {
        if (!found.contains(type)) {
            fail(QStringLiteral("the desktop file declares %1, which no kind uses").arg(type));
        }
    }
    return failures == 0 ? 0 : 1;
}
