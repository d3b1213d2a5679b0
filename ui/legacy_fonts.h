#pragma once

#include <QFont>
#include <QString>

namespace tarvimo {

// The windows ask for the fonts they were designed with ("MS Sans Serif", "Arial",
// "Comic Sans MS"); this maps each to a free font that Debian installs with the program.
void installFontSubstitutes();

// A font by its design name, size in points and weight.
QFont legacyFont(const QString& family, double pointSize, bool bold = false);

} // namespace tarvimo
