#include "FontSubstitution.h"

#include <QFont>
#include <QStringList>

namespace launcher {

void installFontSubstitutions()
{
    const QString family = QStringLiteral("MS Sans Serif");
    if (!QFont::substitutes(family).isEmpty()) {
        return;
    }
    QFont::insertSubstitutions(family, {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                        QStringLiteral("DejaVu Sans")});
}

} // namespace launcher
