// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "climb.h"

#include "ride.h"
#include "spike_filter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>

namespace tarvimo {

namespace {

// A point whose elevation is this far from its neighbours' median is a spike, or a reading they
// contradict: never an end of a climb. GPS noise stays well within it.
constexpr double agreeMargin = 10.0;
// Half the smoothing window: GPS elevations wander by a few metres from point to point.
constexpr double halfWindow = 150.0;
// A dip from the highest point so far ends the climb there once it is this deep, or this share
// of the gain so far.
constexpr double dipLimit = 15.0;
constexpr double dipShare = 0.5;
// Ground that rises less than 2 % over the next 200 m is not yet the climb.
constexpr double leadLength = 200.0;
constexpr double leadGradient = 0.02;
// What a climb needs, in the figures shown, to count.
constexpr double minLength = 500.0;
constexpr double minGain = 30.0;
constexpr double minGradient = 3.0;
// Smoothed elevations this close to a climb's highest are its top: what is left of the GPS noise.
constexpr double topMargin = 2.0;

struct Grade {
    double above; // exclusive
    Category category;
};
constexpr std::array<Grade, 5> grades{{{80'000, Category::Hors},
                                       {64'000, Category::First},
                                       {32'000, Category::Second},
                                       {16'000, Category::Third},
                                       {8'000, Category::Fourth}}};

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

// The points whose recorded elevation agrees with the filtered one: a climb's ends are such
// points, so that its gain, read from the recorded elevations, is the road's.
class TrustedPoints {
public:
    TrustedPoints(std::span<const double> distance, std::span<const double> elevation,
                  const std::vector<double>& filtered)
        : m_distance(distance), m_trusted(elevation.size()) {
        const std::size_t n = elevation.size();
        std::optional<std::size_t> highest, first, last;
        for (std::size_t i = 0; i < n; ++i) {
            m_trusted[i] = std::abs(elevation[i] - filtered[i]) <= agreeMargin;
            if (m_trusted[i]) {
                if (!highest || elevation[i] > elevation[*highest]) {
                    highest = i;
                }
                first = first.value_or(i);
                last = i;
            }
        }
        if (!highest) {
            // The neighbours contradict every reading: nothing tells which to believe.
            std::fill(m_trusted.begin(), m_trusted.end(), std::uint8_t{1});
            highest = static_cast<std::size_t>(
                std::max_element(elevation.begin(), elevation.end()) - elevation.begin());
            first = 0;
            last = n - 1;
        }
        m_highest = *highest;
        m_first = *first;
        m_last = *last;
    }

    bool trusted(std::size_t i) const { return m_trusted[i] != 0; }
    // The highest trusted point: the top of the ride as the rider sees it.
    std::size_t highest() const { return m_highest; }
    std::size_t first() const { return m_first; }
    std::size_t last() const { return m_last; }

    // The trusted point of first..last (`i` among them) nearest to `i`, within halfWindow of it:
    // a bounded look, so that the search stays linear however many points disagree.
    std::optional<std::size_t> nearest(std::size_t i, std::size_t first, std::size_t last) const {
        if (trusted(i)) {
            return i;
        }
        std::optional<std::size_t> before, after;
        for (std::size_t j = i; j > first && m_distance[i] - m_distance[j - 1] <= halfWindow;) {
            if (trusted(--j)) {
                before = j;
                break;
            }
        }
        for (std::size_t j = i + 1; j <= last && m_distance[j] - m_distance[i] <= halfWindow; ++j) {
            if (trusted(j)) {
                after = j;
                break;
            }
        }
        if (before &&
            (!after || m_distance[i] - m_distance[*before] < m_distance[*after] - m_distance[i])) {
            return before;
        }
        return after;
    }

private:
    std::span<const double> m_distance;
    std::vector<std::uint8_t> m_trusted;
    std::size_t m_highest = 0, m_first = 0, m_last = 0;
};

Climb stretchOf(std::size_t first, std::size_t last, std::span<const double> distance,
                std::span<const double> elevation) {
    Climb climb;
    climb.first = first;
    climb.last = last;
    climb.length = distance[last] - distance[first];
    climb.gain = elevation[last] - elevation[first];
    if (climb.length > 0) {
        climb.gradient = 100 * climb.gain / climb.length;
        // length * gradient, that is 100 * gain: so a climb of exactly 80 m scores exactly 8.000.
        climb.score = 100 * climb.gain;
    }
    climb.category = categoryOf(climb.score);
    return climb;
}

bool counts(const Climb& climb) {
    return climb.length >= minLength && climb.gain >= minGain && climb.gradient >= minGradient;
}

// The climbs of a ride, found once.
class ClimbSearch {
public:
    ClimbSearch(std::span<const double> distance, std::span<const double> elevation)
        : m_distance(distance), m_elevation(elevation) {
        m_filtered = withoutSpikes(elevation);
        m_trusted.emplace(distance, elevation, m_filtered);
        m_level = smoothed(distance, m_filtered);
        scan();
    }

    const std::vector<Climb>& climbs() const { return m_climbs; }
    // The climb whose rise holds the ride's highest trusted point, if one does.
    std::optional<std::size_t> toHighest() const { return m_toHighest; }

    Climb wholeRide() const {
        Climb whole = stretchOf(m_trusted->first(), m_trusted->last(), m_distance, m_elevation);
        whole.score = 0;
        whole.category = Category::None;
        whole.rises = false;
        return whole;
    }

private:
    // One pass: from the lowest point, up to the highest while no dip is too deep; a dip too deep
    // closes the rise at its top and starts the next at the dip.
    void scan() {
        const std::size_t n = m_level.size();
        const std::size_t highest = m_trusted->highest();
        std::size_t low = 0, top = 0;
        const auto close = [&](std::size_t end) {
            // A rise shorter than a climb is passed over without a look at its points.
            if (top == low || m_distance[end - 1] - m_distance[low] < minLength) {
                return;
            }
            const std::size_t from = m_climbs.empty() ? 0 : m_climbs.back().last + 1;
            if (const auto climb = climbIn(low, top, end, from)) {
                if (low <= highest && highest < end) {
                    m_toHighest = m_climbs.size();
                }
                m_climbs.push_back(*climb);
            }
        };
        for (std::size_t i = 1; i < n; ++i) {
            if (m_level[i] > m_level[top]) {
                top = i;
            } else if (m_level[top] - m_level[i] >=
                       std::min(dipLimit, dipShare * (m_level[top] - m_level[low]))) {
                close(i);
                low = top = i;
            }
        }
        close(n);
    }

    // The climb of the rise from `low` to `top`, whose points end before `end`, if it counts;
    // it begins at `from` or after.
    std::optional<Climb> climbIn(std::size_t low, std::size_t top, std::size_t end,
                                 std::size_t from) const {
        std::size_t summit = low;
        while (m_level[summit] < m_level[top] - topMargin) {
            ++summit;
        }
        const std::optional<std::size_t> last = highestTrusted(summit, low + 1, end - 1);
        if (!last) {
            return std::nullopt;
        }
        // Smoothing moves a sharp bottom: the foot of a rise from `low` is looked for from
        // halfWindow before it.
        std::size_t reach = low;
        while (reach > from && m_distance[reach - 1] >= m_distance[low] - halfWindow) {
            --reach;
        }
        // Each point from which the next 200 m rise 2 % after some from which they do not: a
        // rise begins within those 200 m, at the foot of its 2 % line (the lowest point under a
        // line rising 2 %, on the unsmoothed elevations that keep the foot sharp). The first
        // rise from which the climb counts begins it.
        std::size_t ahead = low;
        std::size_t looked = low; // each point is looked at for a foot once: linear time
        bool wasRising = false;
        for (std::size_t j = low; j < *last; ++j) {
            ahead = std::max(ahead, j);
            while (ahead < top && m_distance[ahead] < m_distance[j] + leadLength) {
                ++ahead;
            }
            const bool rising = m_level[ahead] - m_level[j] >= leadGradient * leadLength;
            if (rising && !wasRising && (j == low || j > looked)) {
                looked = std::min(ahead, *last - 1);
                const std::size_t foot = footOf(j == low ? reach : j, looked);
                const auto first = m_trusted->nearest(foot, from, *last - 1);
                if (first) {
                    const Climb climb = stretchOf(*first, *last, m_distance, m_elevation);
                    if (counts(climb)) {
                        return climb;
                    }
                }
            }
            wasRising = rising;
        }
        return std::nullopt;
    }

    // The point of first..last lowest under a line rising 2 %: there the ground turns from less
    // than 2 % to more.
    std::size_t footOf(std::size_t first, std::size_t last) const {
        std::size_t foot = first;
        for (std::size_t j = first + 1; j <= last; ++j) {
            if (m_filtered[j] - m_filtered[foot] <
                leadGradient * (m_distance[j] - m_distance[foot])) {
                foot = j;
            }
        }
        return foot;
    }

    // The highest trusted recorded point of first..last within halfWindow of `i`.
    std::optional<std::size_t> highestTrusted(std::size_t i, std::size_t first,
                                              std::size_t last) const {
        std::size_t j = i;
        while (j > first && m_distance[j - 1] >= m_distance[i] - halfWindow) {
            --j;
        }
        std::optional<std::size_t> best;
        for (j = std::max(j, first); j <= last && m_distance[j] <= m_distance[i] + halfWindow;
             ++j) {
            if (m_trusted->trusted(j) && (!best || m_elevation[j] > m_elevation[*best])) {
                best = j;
            }
        }
        return best;
    }

    std::span<const double> m_distance;
    std::span<const double> m_elevation;
    std::vector<double> m_filtered; // spike-free
    std::optional<TrustedPoints> m_trusted;
    std::vector<double> m_level; // spike-free, smoothed
    std::vector<Climb> m_climbs;
    std::optional<std::size_t> m_toHighest;
};

} // namespace

const char* categoryText(Category category) {
    switch (category) {
    case Category::None:
        return "";
    case Category::Fourth:
        return "4ª";
    case Category::Third:
        return "3ª";
    case Category::Second:
        return "2ª";
    case Category::First:
        return "1ª";
    case Category::Hors:
        return "HC";
    }
    return "";
}

Category categoryOf(double score) {
    for (const Grade& grade : grades) {
        if (score > grade.above) {
            return grade.category;
        }
    }
    return Category::None;
}

std::vector<Climb> findClimbs(const Ride& ride) {
    if (ride.size() < 2) {
        return {};
    }
    return ClimbSearch(ride.distances(), ride.elevations()).climbs();
}

ClimbProposal proposeClimb(const Ride& ride) {
    ClimbProposal proposal;
    if (ride.size() < 2) {
        proposal.stretch.rises = false;
        return proposal;
    }
    const ClimbSearch search(ride.distances(), ride.elevations());
    proposal.climbs = search.climbs();
    proposal.proposed = search.toHighest();
    if (!proposal.proposed && !proposal.climbs.empty()) {
        const auto best =
            std::max_element(proposal.climbs.begin(), proposal.climbs.end(),
                             [](const Climb& a, const Climb& b) { return a.score < b.score; });
        proposal.proposed = static_cast<std::size_t>(best - proposal.climbs.begin());
    }
    proposal.stretch = proposal.proposed ? proposal.climbs[*proposal.proposed] : search.wholeRide();
    return proposal;
}

} // namespace tarvimo
