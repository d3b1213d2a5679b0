// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.h"
#include "app/command_line.h"
#include "app/font_preload.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    const tarvimo::CommandLine line = tarvimo::readCommandLine(argc, argv);
    if (line.exitCode)
        return *line.exitCode;
    // Native on every Wayland desktop (Qt 6.4 would choose XWayland on GNOME), X11 where the
    // Wayland plugin or compositor is missing; a platform the user chose stays chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qgetenv("XDG_SESSION_TYPE") == "wayland") {
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
    }
    if (!tarvimo::displayAvailable(argc, argv))
        return 1;
    Q_INIT_RESOURCE(tarvimo);
    tarvimo::FontPreload fonts;
    QApplication app(argc, argv);
    tarvimo::endDisplayGuard();
    fonts.wait();
    tarvimo::startTarvimo(app, line.rideFile);
    return QApplication::exec();
}
