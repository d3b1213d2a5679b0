// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geodesic_step.h"

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvimo {
namespace {

constexpr double radians = std::numbers::pi / 180;
constexpr double a = 6378137.0;
constexpr double f = 1 / 298.257223563;
constexpr double e2 = f * (2 - f);

} // namespace

double geodesicReference(double lat1, double lon1, double lat2, double lon2) {
    double s12 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, s12);
    return s12;
}

double geodesicStep(double lat1, double lon1, double lat2, double lon2) {
    double dlon = lon2 - lon1;
    if (dlon > 180) {
        dlon -= 360;
    } else if (dlon < -180) {
        dlon += 360;
    }
    // Meridian (m) and prime-vertical (n) radii at the mid-latitude.
    const double mid = 0.5 * (lat1 + lat2) * radians;
    const double s = std::sin(mid);
    const double w = 1 - e2 * s * s;
    const double n = a / std::sqrt(w);
    const double m = n * (1 - e2) / w;
    const double x = n * std::cos(mid) * dlon * radians;
    const double y = m * (lat2 - lat1) * radians;
    const double d2 = x * x + y * y;
    // The formula's relative error is about (d / (R cos(lat)))^2 / 20: measured against
    // GeographicLib, it stays under 1e-7 below this bound, poles included.
    const double c = std::cos(std::max(std::fabs(lat1), std::fabs(lat2)) * radians) * a;
    if (d2 < 1e-6 * c * c) {
        return std::sqrt(d2);
    }
    return geodesicReference(lat1, lon1, lat2, lon2);
}

} // namespace tarvimo
