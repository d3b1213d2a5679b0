// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/ride_figures.h"

#include "climb.h"
#include "climb_estimate.h"
#include "ride.h"

#include <QDateTime>
#include <QStringList>
#include <cmath>

namespace tarvimo {

namespace {

const QString none = QStringLiteral("—");

} // namespace

QString RideFigures::number(double value, int decimals) const {
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0)
        text.remove(0, 1);
    return text.replace(QLatin1Char('.'), m_decimal);
}

QString RideFigures::distance(const Stretch& stretch) const {
    return QStringLiteral("%1 km").arg(number(stretch.distance / 1000.0, 2));
}

QString RideFigures::gain(const Stretch& stretch) const {
    return QStringLiteral("%1 m").arg(number(stretch.gain, 0));
}

QString RideFigures::time(const Stretch& stretch) const {
    if (!stretch.seconds)
        return QStringLiteral("— (senza tempi)");
    return duration(*stretch.seconds);
}

QString RideFigures::duration(double seconds) {
    const auto whole = std::llround(seconds);
    return QStringLiteral("%1 min %2 s").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

QString RideFigures::gradient(const Stretch& stretch) const {
    return QStringLiteral("%1 %").arg(number(stretch.gradient(), 1));
}

QString RideFigures::power(const Stretch& stretch) const {
    return stretch.averagePower ? QStringLiteral("%1 W").arg(number(*stretch.averagePower, 0))
                                : none;
}

QString RideFigures::cadence(const Stretch& stretch) const {
    return stretch.averageCadence ? QStringLiteral("%1 rpm").arg(number(*stretch.averageCadence, 0))
                                  : none;
}

QString RideFigures::climbRow(const Ride& ride, const Climb& climb) const {
    const Stretch stretch = RideFigures::stretch(ride, climb.first, climb.last);
    QStringList parts;
    if (const char* category = categoryText(climb.category); *category)
        parts << QString::fromUtf8(category);
    parts << QStringLiteral("da km %1").arg(number(ride.distance(climb.first) / 1000.0, 1))
          << QStringLiteral("%1 km").arg(number(stretch.distance / 1000.0, 1)) << gain(stretch)
          << gradient(stretch);
    if (stretch.seconds)
        parts << duration(*stretch.seconds);
    return parts.join(QStringLiteral(" · "));
}

Stretch RideFigures::stretch(const Ride& ride, std::size_t first, std::size_t last) {
    Stretch stretch = ride.stretch(first, last);
    if (stretch.seconds && (*stretch.seconds <= 0 || !ride.timesAdvance()))
        stretch.seconds.reset();
    return stretch;
}

RideChoice RideFigures::choice(const Ride& ride, std::size_t first, std::size_t last,
                               const QString& name, double now) {
    const Stretch stretch = RideFigures::stretch(ride, first, last);
    const StretchTexts texts = stretchTexts(stretch.distance, stretch.gain, stretch.seconds);
    RideChoice choice;
    choice.length = QString::fromStdString(texts.length);
    choice.gain = QString::fromStdString(texts.gain);
    choice.from = ride.distance(first);
    choice.to = ride.distance(last);
    if (!name.isEmpty())
        choice.name = name;
    if (!stretch.seconds)
        return choice;
    choice.minutes = QString::fromStdString(texts.minutes);
    choice.seconds = QString::fromStdString(texts.seconds);
    // The date of the first point of the stretch that has a time; a placeholder is no date.
    for (std::size_t i = first; i <= last; ++i) {
        if (const double time = ride.time(i); std::isfinite(time)) {
            if (isPlausibleRideTime(time, now))
                choice.date = QDateTime::fromMSecsSinceEpoch(std::llround(time * 1000), Qt::UTC)
                                  .toLocalTime()
                                  .date()
                                  .toString(QStringLiteral("dd-MM-yyyy"));
            break;
        }
    }
    return choice;
}

} // namespace tarvimo
