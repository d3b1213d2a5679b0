// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.h"
#include "app/font_preload.h"
#include "first_paint_probe.h"
#include "windows/splash_window.h"

#include <QApplication>

// The program's own start-up, measured up to the first paint of its first window.
int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tarvimo);
    tarvimo::FontPreload fonts;
    QApplication app(argc, argv);
    fonts.wait();
    new FirstPaintProbe(tarvimo::startTarvimo(app));
    return QApplication::exec();
}
