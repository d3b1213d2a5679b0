// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/ride_import_module.h"

#include "windows/module_loader.h"

namespace tarvimo {

namespace {

// Defined in ride/ride_import_entry.cpp.
using ImportEntry = bool (*)(QWidget&, const QString&, const RideSheet&, RideChoice&);

} // namespace

std::optional<RideChoice> importRideThroughModule(QWidget& parent, const QString& path,
                                                  const RideSheet& sheet) {
    QString failure;
    const auto entry = moduleEntry<ImportEntry>(QStringLiteral(TARVIMO_RIDE_MODULE),
                                                "tarvimo_import_ride", failure);
    if (!entry) {
        showModuleFailure(parent, QStringLiteral("che legge le tracce"), failure,
                          QStringLiteral("I campi restano come erano."));
        return std::nullopt;
    }
    RideChoice choice;
    if (!entry(parent, path, sheet, choice))
        return std::nullopt;
    return choice;
}

} // namespace tarvimo
