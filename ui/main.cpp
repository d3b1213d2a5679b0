// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tarvimo);
    QApplication app(argc, argv);
    tarvimo::startTarvimo(app);
    return QApplication::exec();
}
