// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPalette>

namespace tarvimo {

// Contrast ratio between two colours as WCAG 2.1 defines it: 1 for equal colours, 21 for black
// on white; text needs at least 4.5.
double contrastRatio(const QColor& a, const QColor& b);

// The role of the palette whose colour reads best on the background role, in both the active
// and the inactive window; ties go to the usual text roles.
QPalette::ColorRole mostContrastingRole(const QPalette& palette, QPalette::ColorRole background);

} // namespace tarvimo
