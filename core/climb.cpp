// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "climb.h"

#include "ride.h"
#include "spike_filter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarvimo {

namespace {

// A point whose elevation is this far from its neighbours' median is a spike, or a reading they
// contradict: never an end of the proposal. GPS noise stays well within it.
constexpr double agreeMargin = 10.0;
// Half the smoothing window: GPS elevations wander by a few metres from point to point.
constexpr double halfWindow = 150.0;
// A rise going back from the summit larger than this ends the climb at the valley before it.
constexpr double dipTolerance = 15.0;
// Smoothed elevations this close count as level: what is left of the GPS noise.
constexpr double flatMargin = 4.0;
// A level stretch at least this long before the climb is an approach, not part of it.
constexpr double flatLength = 300.0;

// Sums of a window of points, relative to a reference point so that large distances and
// elevations do not cancel the digits that matter.
struct WindowSums {
    double count = 0, x = 0, y = 0, xx = 0, xy = 0;
    void add(double dx, double dy, double sign) {
        count += sign;
        x += sign * dx;
        y += sign * dy;
        xx += sign * dx * dx;
        xy += sign * dx * dy;
    }
};

// Elevations fitted by a straight line over the points within halfWindow of each, in linear
// time. Unlike a plain average the line keeps a steady slope true up to the track's ends.
std::vector<double> smoothed(std::span<const double> distance, std::span<const double> elevation) {
    const std::size_t n = elevation.size();
    std::vector<double> result(n);
    WindowSums sums;
    double refX = 0, refY = 0;
    std::size_t left = 0, right = 0; // the window is [left, right)
    std::size_t rebasedUpTo = 0;
    bool based = false;
    for (std::size_t i = 0; i < n; ++i) {
        for (; right < n && distance[right] <= distance[i] + halfWindow; ++right) {
            sums.add(distance[right] - refX, elevation[right] - refY, 1);
        }
        for (; distance[left] < distance[i] - halfWindow; ++left) {
            sums.add(distance[left] - refX, elevation[left] - refY, -1);
        }
        // Once every point summed at the last rebase has left the window, sum it afresh around
        // this point: the rounding of the adds and removals never builds up, and each point is
        // summed afresh at most once.
        if (!based || left > rebasedUpTo) {
            refX = distance[i];
            refY = elevation[i];
            sums = {};
            for (std::size_t j = left; j < right; ++j) {
                sums.add(distance[j] - refX, elevation[j] - refY, 1);
            }
            rebasedUpTo = right - 1;
            based = true;
        }
        const double meanX = sums.x / sums.count;
        const double meanY = sums.y / sums.count;
        const double spreadX = sums.xx - sums.x * meanX;
        double value = meanY;
        if (spreadX > sums.count * 1e-6) {
            const double slope = (sums.xy - sums.x * meanY) / spreadX;
            value += slope * (distance[i] - refX - meanX);
        }
        result[i] = refY + value;
    }
    return result;
}

// The climb to `summit` on the smoothed profile.
Climb climbTo(std::size_t summit, std::span<const double> distance,
              const std::vector<double>& level) {
    Climb climb;
    climb.last = summit;
    double lowest = level[summit];
    std::size_t lowestAt = summit;
    std::size_t i = summit;
    bool valley = false;
    while (i > 0) {
        --i;
        if (level[i] > lowest + dipTolerance) {
            valley = true;
            break;
        }
        if (level[i] < lowest) {
            lowest = level[i];
            lowestAt = i;
        }
    }
    std::size_t start = lowestAt;
    if (!valley) {
        // Walked back to the track's first point: where the noise puts the lowest point is
        // chance, so take the first point as low as it.
        start = 0;
        while (level[start] > lowest + flatMargin) {
            ++start;
        }
    }
    std::size_t foot = start;
    for (std::size_t j = start; j <= summit; ++j) {
        if (level[j] <= lowest + flatMargin) {
            foot = j;
        }
    }
    if (distance[foot] - distance[start] >= flatLength) {
        start = foot;
    }
    climb.first = start;
    climb.rises = start < summit && level[summit] - lowest > flatMargin;
    return climb;
}

bool wellFormed(std::span<const double> distance, std::span<const double> elevation) {
    for (std::size_t i = 0; i < distance.size(); ++i) {
        if (!std::isfinite(distance[i]) || !std::isfinite(elevation[i]) ||
            (i > 0 && distance[i] < distance[i - 1])) {
            return false;
        }
    }
    return true;
}

// Each value that is not a number, or a distance that goes back, becomes the one before it.
std::vector<double> carriedForward(std::span<const double> column, bool neverDecreasing) {
    std::vector<double> result(column.begin(), column.end());
    double before = 0;
    for (double value : column) {
        if (std::isfinite(value)) {
            before = value;
            break;
        }
    }
    for (double& value : result) {
        if (!std::isfinite(value) || (neverDecreasing && value < before)) {
            value = before;
        }
        before = value;
    }
    return result;
}

// The raw elevations beside the filtered ones: the ends of the proposal are points where the two
// agree, so that its gain, read from the raw elevations, is the road's.
class Readings {
public:
    Readings(std::span<const double> distance, std::span<const double> elevation)
        : m_distance(distance), m_elevation(elevation), m_filtered(withoutSpikes(elevation)) {
        const std::size_t n = elevation.size();
        m_highest = n;
        for (std::size_t i = 0; i < n; ++i) {
            if (agrees(i) && (m_highest == n || elevation[i] > elevation[m_highest])) {
                m_highest = i;
            }
        }
        if (m_highest == n) {
            // The neighbours contradict every reading: nothing tells which to believe.
            m_agreeAll = true;
            m_highest = static_cast<std::size_t>(
                std::max_element(elevation.begin(), elevation.end()) - elevation.begin());
        }
    }

    const std::vector<double>& filtered() const { return m_filtered; }
    // The highest point whose reading agrees with the filtered profile.
    std::size_t highest() const { return m_highest; }
    bool agrees(std::size_t i) const {
        return m_agreeAll || std::abs(m_elevation[i] - m_filtered[i]) <= agreeMargin;
    }
    // The point of first..last nearest to `i` in metres that agrees; `i` if none does.
    std::size_t nearestAgreeing(std::size_t i, std::size_t first, std::size_t last) const {
        std::size_t before = i + 1, after = i;
        while (before > first && !agrees(before - 1)) {
            --before;
        }
        while (after <= last && !agrees(after)) {
            ++after;
        }
        const bool hasBefore = before > first, hasAfter = after <= last;
        if (hasBefore && (!hasAfter || m_distance[i] - m_distance[before - 1] <
                                           m_distance[after] - m_distance[i])) {
            return before - 1;
        }
        return hasAfter ? after : i;
    }

private:
    std::span<const double> m_distance;
    std::span<const double> m_elevation;
    std::vector<double> m_filtered;
    std::size_t m_highest = 0;
    bool m_agreeAll = false;
};

} // namespace

Climb findClimb(std::span<const double> distance, std::span<const double> elevation) {
    const std::size_t n = std::min(distance.size(), elevation.size());
    if (n < 2) {
        return {};
    }
    distance = distance.first(n);
    elevation = elevation.first(n);
    if (!wellFormed(distance, elevation)) {
        const auto distances = carriedForward(distance, true);
        const auto elevations = carriedForward(elevation, false);
        return findClimb(distances, elevations);
    }
    const Readings readings(distance, elevation);
    const std::vector<double> level = smoothed(distance, readings.filtered());
    Climb climb = climbTo(readings.highest(), distance, level);
    if (!climb.rises) {
        // Nothing climbs to the highest point (the ride starts there): take the point that
        // rises most above the lowest one before it.
        std::size_t low = 0, best = 0;
        double bestRise = 0;
        for (std::size_t i = 1; i < n; ++i) {
            if (level[i] < level[low]) {
                low = i;
            } else if (level[i] - level[low] > bestRise) {
                bestRise = level[i] - level[low];
                best = i;
            }
        }
        if (bestRise > flatMargin) {
            climb = climbTo(readings.nearestAgreeing(best, 1, n - 1), distance, level);
        }
    }
    if (!climb.rises) {
        return Climb{readings.nearestAgreeing(0, 0, n - 1),
                     readings.nearestAgreeing(n - 1, 0, n - 1), false};
    }
    climb.first = readings.nearestAgreeing(climb.first, 0, climb.last - 1);
    return climb;
}

Climb findClimb(const Ride& ride) {
    if (ride.empty()) {
        return {};
    }
    return findClimb(ride.distances(), ride.elevations());
}

} // namespace tarvimo
