// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

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

} // namespace tarvimo
