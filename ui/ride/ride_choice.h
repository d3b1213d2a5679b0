// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace tarvimo {

// The texts a chosen climb writes into the main window's fields. A null text leaves its field
// as it is.
struct RideChoice {
    QString length;  // sceglilunghezza, whole metres
    QString gain;    // sceglidislivello, whole metres
    QString minutes; // scegliminuti
    QString seconds; // sceglisecondi, two digits
    QString date;    // sceglidata, dd-mm-yyyy
    QString name;    // sceglinomebici
};

} // namespace tarvimo
