// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/contrast.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarvimo {

namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double first = relativeLuminance(a);
    const double second = relativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QPalette::ColorRole mostContrastingRole(const QPalette& palette, QPalette::ColorRole background) {
    static constexpr std::array candidates{
        QPalette::WindowText, QPalette::Text,   QPalette::ButtonText, QPalette::Window,
        QPalette::Base,       QPalette::Button, QPalette::Shadow,     QPalette::Dark,
        QPalette::Light,      QPalette::Mid,    QPalette::Highlight,  QPalette::BrightText};
    const auto worstRatio = [&](QPalette::ColorRole role) {
        return std::min(contrastRatio(palette.color(QPalette::Active, role),
                                      palette.color(QPalette::Active, background)),
                        contrastRatio(palette.color(QPalette::Inactive, role),
                                      palette.color(QPalette::Inactive, background)));
    };
    QPalette::ColorRole best = candidates.front();
    double bestRatio = worstRatio(best);
    for (const QPalette::ColorRole role : candidates) {
        const double ratio = worstRatio(role);
        if (ratio > bestRatio) {
            best = role;
            bestRatio = ratio;
        }
    }
    return best;
}

} // namespace tarvimo
