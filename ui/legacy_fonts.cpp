#include "legacy_fonts.h"

#include <QStringList>

namespace tarvimo {

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
}

QFont legacyFont(const QString& family, double pointSize, bool bold) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    // The old bitmap "MS Sans Serif" is narrower than its stand-in; without this the longer
    // captions would not fit the boxes they were sized for.
    if (family == QStringLiteral("MS Sans Serif")) {
        font.setStretch(90);
    }
    return font;
}

} // namespace tarvimo
