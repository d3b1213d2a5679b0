// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "first_paint_probe.h"

#include <QApplication>
#include <QLabel>

// The yardstick: the smallest Qt Widgets program, one window with one label.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Tarvimo"));
    new FirstPaintProbe(&label);
    label.show();
    return QApplication::exec();
}
