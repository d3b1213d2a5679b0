// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tarvimo {

// A GPS spike (a jump of tens of metres that comes back) lasts at most this many points.
inline constexpr std::size_t spikePoints = 5;

// Elevations through a running median of 11 points, in linear time: a spike of up to 5 points is
// dropped, while a slope, however steep, and the edge of a step pass unchanged. Each of the first
// and last 5 points, with neighbours on one side only, gets the line through the medians of the 5
// points next to it. A ride too short for that (under 16 points) is given back as it is.
// The elevations must all be numbers.
std::vector<double> withoutSpikes(std::span<const double> elevation);

} // namespace tarvimo
