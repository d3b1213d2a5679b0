// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;

namespace tarvimo {

class SplashWindow;

// Everything the program does before its event loop: Qt's texts in Italian, the font
// stand-ins, the user's number settings, and the splash window that leads to the main window.
SplashWindow* startTarvimo(QApplication& app);

} // namespace tarvimo
