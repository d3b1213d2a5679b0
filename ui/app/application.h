// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QApplication;

namespace tarvimo {

class SplashWindow;

// Everything the program does before its event loop: Qt's texts in Italian, the font
// stand-ins, the user's number settings, and the splash window that leads to the main window.
// A ride file given opens over the main window as soon as it shows.
SplashWindow* startTarvimo(QApplication& app, const QString& rideFile = {});

} // namespace tarvimo
