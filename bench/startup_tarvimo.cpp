// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.h"
#include "app/font_preload.h"
#include "first_paint_probe.h"
#include "windows/main_window.h"
#include "windows/splash_window.h"

#include <QApplication>

// The program's own start-up, measured up to the first paint of its first window. With
// --main the splash is passed at once and the main window's first paint counts: its menu bar
// and the values read back from the last run included.
int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tarvimo);
    tarvimo::FontPreload fonts;
    QApplication app(argc, argv);
    fonts.wait();
    tarvimo::SplashWindow* splash = tarvimo::startTarvimo(app);
    QWidget* watched = splash;
    if (argc > 1 && qstrcmp(argv[1], "--main") == 0) {
        emit splash->proceed();
        splash->close();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<tarvimo::MainWindow*>(window))
                watched = window;
        }
    }
    new FirstPaintProbe(watched);
    return QApplication::exec();
}
