// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMessageBox>

namespace tarvimo {

QFunctionPointer moduleEntry(const QString& fileName, const char* symbol, QString& failure) {
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString installed = QStringLiteral(TARVIMO_MODULE_DIR "/") + fileName;
    for (const QString& candidate :
         {programDir.filePath(fileName), programDir.filePath(installed)}) {
        QLibrary module(candidate);
        if (const QFunctionPointer entry = module.resolve(symbol))
            return entry;
        failure = module.errorString();
    }
    return nullptr;
}

void showModuleFailure(QWidget& parent, const QString& what, const QString& failure,
                       const QString& unchanged) {
    QMessageBox box(
        QMessageBox::Critical, QStringLiteral("Tarvimo"),
        QStringLiteral("Il modulo di Tarvimo %1 non si può caricare (%2).").arg(what, failure),
        QMessageBox::Ok, &parent);
    box.setObjectName(QStringLiteral("erroreModulo"));
    box.setInformativeText(unchanged);
    box.exec();
}

} // namespace tarvimo
