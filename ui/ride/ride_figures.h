// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride/ride_choice.h"

#include <QString>
#include <cstddef>

namespace tarvimo {

class Ride;
struct Climb;
struct Stretch;

// The words and numbers shown and written for a stretch of a ride, with the user's decimal
// separator.
class RideFigures {
public:
    explicit RideFigures(QString decimal) : m_decimal(std::move(decimal)) {}

    const QString& decimal() const { return m_decimal; }
    QString number(double value, int decimals) const;
    QString distance(const Stretch& stretch) const;
    QString gain(const Stretch& stretch) const;
    QString time(const Stretch& stretch) const;
    // "38 min 12 s", to the whole second.
    static QString duration(double seconds);
    QString gradient(const Stretch& stretch) const;
    QString power(const Stretch& stretch) const;
    QString cadence(const Stretch& stretch) const;
    // The climb's row in the list: "2ª · da km 12,4 · 8,6 km · 612 m · 7,1 % · 38 min 12 s",
    // without the category where it has none and without the time where the ride has none.
    QString climbRow(const Ride& ride, const Climb& climb) const;

    // The stretch from point `first` to `last`, without a time where the times stand still over
    // it (one placeholder time on every point): a climb of 0 seconds is no climb.
    static Stretch stretch(const Ride& ride, std::size_t first, std::size_t last);
    // What "Usa questa salita" writes for the points first..last; the name is the track's. The
    // date is written only where it can be a ride's: from 1990 to a day after `now` (seconds
    // since 1970).
    static RideChoice choice(const Ride& ride, std::size_t first, std::size_t last,
                             const QString& name, double now);

private:
    QString m_decimal;
};

} // namespace tarvimo
