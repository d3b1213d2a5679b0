// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "printing/print_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

namespace tarvimo {

namespace {

// Defined in print_module_entry.cpp.
using PrintEntry = void (*)(QWidget&, const QString&, const QString&, PrintOutcome&);

} // namespace

PrintOutcome printThroughModule(QWidget& window, const QString& climb, const QString& date) {
    static PrintEntry entry = nullptr;
    QString failure;
    if (!entry) {
        // Beside the program in the build tree; in the library folder once installed.
        const QDir programDir(QCoreApplication::applicationDirPath());
        const QString name = QStringLiteral(TARVIMO_PRINT_MODULE);
        const QStringList candidates{programDir.filePath(name),
                                     programDir.filePath(QStringLiteral(TARVIMO_PRINT_MODULE_DIR) +
                                                         QLatin1Char('/') + name)};
        for (const QString& candidate : candidates) {
            QLibrary module(candidate);
            entry = reinterpret_cast<PrintEntry>(module.resolve("tarvimo_print_window"));
            if (entry)
                break;
            failure = module.errorString();
        }
    }
    if (!entry)
        return {PrintStatus::Failed,
                QStringLiteral("Il modulo di stampa di Tarvimo non si può caricare (%1).")
                    .arg(failure)};
    PrintOutcome outcome{PrintStatus::Failed, {}};
    entry(window, climb, date, outcome);
    return outcome;
}

} // namespace tarvimo
