// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The ride-import module's one entry point, looked up by name by ride_import_module.cpp.
#include "ride/ride_import.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT bool tarvimo_import_ride(QWidget& parent, const QString& path,
                                                  const tarvimo::RideSheet& sheet,
                                                  tarvimo::RideChoice& choice) {
    const auto chosen = tarvimo::importRide(parent, path, sheet);
    if (chosen)
        choice = *chosen;
    return chosen.has_value();
}
