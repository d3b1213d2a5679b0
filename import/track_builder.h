// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "geodesic_step.h"
#include "ride_file.h"

#include <cmath>
#include <cstddef>

namespace tarvimo {

// A point as a reader found it, before the checks and the distance along the track.
struct TrackSample {
    double latitude = NAN; // degrees; NaN with longitude where the point has no position
    double longitude = NAN;
    bool hasPosition = false;
    double elevation = NAN;
    double time = NAN;
    double power = NAN;
    double cadence = NAN;
    double recordedDistance = NAN;

    // Latitude within ±90 and longitude within ±180, neither NaN; true without a position.
    bool validPosition() const {
        return !hasPosition || (std::fabs(latitude) <= 90 && std::fabs(longitude) <= 180);
    }
};

// Checks each point, adds the geodesic distance from the previous position and appends it to the
// ride; points without elevation are counted and left out, their position still on the track.
class TrackBuilder {
public:
    explicit TrackBuilder(Ride& ride) : m_ride(ride) {}

    // BadCoordinates where the position is out of range or not a number.
    RideError add(const TrackSample& sample);
    // Once enough of the file is read, reserves room for the points the rest will likely hold:
    // one allocation of about the right size instead of repeated doubling.
    void plan(qint64 bytesRead, qint64 total);
    // NoPoints, OnePoint or NoElevation where the ride is not one; else None.
    RideError verdict() const;

    std::size_t kept() const { return m_kept; }
    std::size_t withoutElevation() const { return m_withoutElevation; }

private:
    Ride& m_ride;
    std::size_t m_kept = 0;
    std::size_t m_withoutElevation = 0;
    bool m_planned = false;
    GeodesicStep m_step;
    double m_distance = 0;
};

} // namespace tarvimo
