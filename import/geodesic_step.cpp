// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geodesic_step.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <cmath>

namespace tarvimo {
namespace {

// Where the chord's shortfall, (d / R)^2 / 24, reaches 1.1e-7.
constexpr double chordLimit = 10'000;

} // namespace

double GeodesicStep::next(double latitude, double longitude) {
    double x = 0;
    double y = 0;
    double z = 0;
    GeographicLib::Geocentric::WGS84().Forward(latitude, longitude, 0, x, y, z);
    double step = 0;
    if (m_started) {
        const double dx = x - m_x;
        const double dy = y - m_y;
        const double dz = z - m_z;
        step = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (step > chordLimit) {
            step = geodesicReference(m_latitude, m_longitude, latitude, longitude);
        }
    }
    m_started = true;
    m_latitude = latitude;
    m_longitude = longitude;
    m_x = x;
    m_y = y;
    m_z = z;
    return step;
}

double geodesicStep(double lat1, double lon1, double lat2, double lon2) {
    GeodesicStep step;
    step.next(lat1, lon1);
    return step.next(lat2, lon2);
}

double geodesicReference(double lat1, double lon1, double lat2, double lon2) {
    double s12 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, s12);
    return s12;
}

} // namespace tarvimo
