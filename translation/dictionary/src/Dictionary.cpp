#include "translation/Dictionary.h"

namespace translation {

void LoadDictionary(const std::string&) {}

QString TranslateText(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("||"));
    result.replace(QStringLiteral("||"), QStringLiteral("\r\n"));
    return result;
}

} // namespace translation
