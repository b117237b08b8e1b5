#include "translation/qt/QtText.h"

#include "translation/Dictionary.h"

namespace translation::qt {

QString TranslateText(const QString& text)
{
    std::u16string storage;
    const std::u16string_view result = translation::TranslateText(toU16View(text), storage);
    // An unchanged text is handed back shared, as Qt texts are.
    if (result.data() == toU16View(text).data() && result.size() == std::size_t(text.size())) {
        return text;
    }
    return toQString(result);
}

} // namespace translation::qt
