#include "translation/QtText.h"

#include "translation/Dictionary.h"

namespace translation {

QString TranslateText(const QString& text)
{
    return toQString(TranslateText(toU16View(text)));
}

} // namespace translation
