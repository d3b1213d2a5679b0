// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/ride_import_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMessageBox>
#include <QStringList>

namespace tarvimo {

namespace {

// Defined in ride_import_entry.cpp.
using ImportEntry = bool (*)(QWidget&, const QString&, const QString&, RideChoice&);

} // namespace

std::optional<RideChoice> importRideThroughModule(QWidget& parent, const QString& path,
                                                  const QString& decimal) {
    static ImportEntry entry = nullptr;
    QString failure;
    if (!entry) {
        // Beside the program in the build tree; in the library folder once installed.
        const QDir programDir(QCoreApplication::applicationDirPath());
        const QString name = QStringLiteral(TARVIMO_RIDE_MODULE);
        const QStringList candidates{
            programDir.filePath(name),
            programDir.filePath(QStringLiteral(TARVIMO_RIDE_MODULE_DIR) + QLatin1Char('/') + name)};
        for (const QString& candidate : candidates) {
            QLibrary module(candidate);
            entry = reinterpret_cast<ImportEntry>(module.resolve("tarvimo_import_ride"));
            if (entry)
                break;
            failure = module.errorString();
        }
    }
    if (!entry) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Tarvimo"),
                        QStringLiteral("Il modulo di Tarvimo che legge le tracce non si può "
                                       "caricare (%1).")
                            .arg(failure),
                        QMessageBox::Ok, &parent);
        box.setObjectName(QStringLiteral("erroreModulo"));
        box.setInformativeText(QStringLiteral("I campi restano come erano."));
        box.exec();
        return std::nullopt;
    }
    RideChoice choice;
    if (!entry(parent, path, decimal, choice))
        return std::nullopt;
    return choice;
}

} // namespace tarvimo
