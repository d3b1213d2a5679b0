// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/legacy_fonts.h"

#include <array>
#include <utility>

namespace tarvimo {

namespace {

const std::array<std::pair<const char*, const char*>, 3> standIns{{
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Comic Sans MS", "Comic Neue"},
}};

QString standInFamily(const QString& designFamily) {
    for (const auto& [design, standIn] : standIns) {
        if (designFamily == QLatin1String(design)) {
            return QString::fromLatin1(standIn);
        }
    }
    return designFamily;
}

} // namespace

QFont legacyFont(const QString& designFamily, double pointSize, bool bold) {
    QFont font(standInFamily(designFamily));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    // The old bitmap "MS Sans Serif" is narrower than its stand-in; without this the longer
    // captions would not fit the boxes they were sized for.
    // Every other font says it is unstretched, so that it never takes the 90 from a parent.
    font.setStretch(designFamily == QStringLiteral("MS Sans Serif") ? 90 : QFont::Unstretched);
    return font;
}

} // namespace tarvimo
