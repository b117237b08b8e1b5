#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

// The dictionary works on standard UTF-16 text; Qt code converts here, at
// the edge. A view costs nothing either way; a QString copies once.
namespace translation::qt {

inline std::u16string_view toU16View(QStringView text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

} // namespace translation::qt
