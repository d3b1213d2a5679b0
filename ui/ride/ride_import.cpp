// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/ride_import.h"

#include "ride/import_window.h"
#include "ride/ride_messages.h"
#include "ride/ride_reading.h"

#include <QFileInfo>
#include <QMessageBox>

namespace tarvimo {

std::optional<RideChoice> importRide(QWidget& parent, const QString& path, const RideSheet& sheet) {
    RideFile file = readRideWithProgress(&parent, path);
    if (file.error == RideError::Cancelled)
        return std::nullopt;
    if (file.error != RideError::None || file.ride.size() < 2) {
        if (file.error == RideError::None)
            file.error = file.ride.empty() ? RideError::NoPoints : RideError::OnePoint;
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarvimo"),
                        rideErrorMessage(file, path), QMessageBox::Ok, &parent);
        box.setObjectName(QStringLiteral("erroreTraccia"));
        box.setInformativeText(QStringLiteral("I campi restano come erano."));
        if (!file.detail.isEmpty())
            box.setDetailedText(file.detail);
        box.exec();
        return std::nullopt;
    }
    ImportWindow window(std::move(file), sheet, &parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    RideChoice choice = window.choice();
    choice.file = QFileInfo(path).fileName();
    return choice;
}

} // namespace tarvimo
