#include "CopyrightNotices.h"

#include <QFile>
#include <string>

namespace launcher {

namespace {

QString readNotice(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString russianCopyrightNotice()
{
    static const QString notice = readNotice(QStringLiteral(":/notices/copyright-ru.txt"));
    return notice;
}

QString englishCopyrightNotice()
{
    static const QString notice = readNotice(QStringLiteral(":/notices/copyright-en.txt"));
    return notice;
}

bool keepsRussianNotice(std::string_view languageAbbreviation)
{
    if (languageAbbreviation.size() != 3) {
        return false;
    }
    std::string upper(languageAbbreviation);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper == "RUS";
}

} // namespace launcher
