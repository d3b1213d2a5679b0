// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cmath>

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

    // Where the texts came from, kept with a diary entry: the file's name without its folder,
    // and the stretch chosen, in m along the ride's profile.
    QString file;
    double from = NAN;
    double to = NAN;
};

} // namespace tarvimo
