// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tarvimo {

// The horizontal distances in metres along a track (degrees, WGS84): the geodesic, as
// GeographicLib's Inverse gives it, to 1.1e-7 relative or a few nanometres. A step up to 10 km
// is the chord between GeographicLib's geocentric positions of its ends, each point converted
// once (65 ns a point, Inverse 470 ns a step); the chord falls short of the geodesic by about
// (d / R)^2 / 24, with R >= 6335 km. Longer steps go to Inverse.
class GeodesicStep {
public:
    // The distance from the point given last; 0 for the first.
    double next(double latitude, double longitude);

private:
    bool m_started = false;
    double m_latitude = 0;
    double m_longitude = 0;
    double m_x = 0; // geocentric, m
    double m_y = 0;
    double m_z = 0;
};

// One step between two points, as GeodesicStep takes it.
double geodesicStep(double lat1, double lon1, double lat2, double lon2);

// Always GeographicLib's Inverse: the reference for the step above.
double geodesicReference(double lat1, double lon1, double lat2, double lon2);

} // namespace tarvimo
