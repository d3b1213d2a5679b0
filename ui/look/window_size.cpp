// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/window_size.h"

#include <QGuiApplication>
#include <QWidget>

namespace tarvimo {

void keepWindowSize(QWidget& window, QSize size) {
    // "wayland", "wayland-egl", "wayland-brcm": every Qt Wayland platform obeys the same protocol.
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
        window.setMinimumSize(size);
        window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window.resize(size);
    } else {
        window.setFixedSize(size);
    }
}

} // namespace tarvimo
