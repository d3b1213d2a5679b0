// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>

namespace tarvimo {

class Ride;

// The climb proposed in a ride: from point `first` to point `last`.
struct Climb {
    std::size_t first = 0;
    std::size_t last = 0;
    bool rises = false; // false where the ride never climbs: then the whole ride is proposed
};

// distance (m, never decreasing) and elevation (m) are columns of the same length, at least one.
Climb findClimb(std::span<const double> distance, std::span<const double> elevation);
Climb findClimb(const Ride& ride);

} // namespace tarvimo
