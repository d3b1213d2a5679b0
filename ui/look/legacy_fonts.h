// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

namespace tarvimo {

// The windows were designed with "MS Sans Serif", "Arial" and "Comic Sans MS"; Debian installs
// free fonts that stand in for them. A font by its design name, size in points and weight, with
// the stand-in family already chosen: asking for a family the desktop lacks makes Qt search for
// fallbacks, which is slow.
QFont legacyFont(const QString& designFamily, double pointSize, bool bold = false);

} // namespace tarvimo
