// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride.h"

#include "lazy_columns.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace tarvimo {

namespace {

constexpr std::uint32_t noTime = std::numeric_limits<std::uint32_t>::max();
// Indices and counts are 32-bit, and noTime must stay above every index.
constexpr std::size_t maxPoints = noTime - 1;
// Without reserve() the columns grow by half, not double: less slack at the peak.
constexpr std::size_t firstCapacity = 1024;
// 1990-01-01T00:00:00Z: no cyclist's GPS log is older.
constexpr double earliestRideTime = 631'152'000;
constexpr double secondsInADay = 86'400;

template <typename T> void reserveIfUsed(std::vector<T>& column, std::size_t points) {
    if (!column.empty()) {
        column.reserve(points);
    }
}

} // namespace

bool isPlausibleRideTime(double unixSeconds, double nowUnixSeconds) {
    return unixSeconds >= earliestRideTime && unixSeconds <= nowUnixSeconds + secondsInADay;
}

void Ride::reserve(std::size_t points) {
    points = std::min(points, maxPoints);
    m_track.reserve(points);
    m_elevation.reserve(points);
    reserveIfUsed(m_recorded, points);
    reserveIfUsed(m_lacking, points);
    reserveIfUsed(m_time, points);
    reserveIfUsed(m_nextTimed, points);
    m_power.reserve(points);
    m_cadence.reserve(points);
}

void Ride::grow() {
    const std::size_t capacity = m_elevation.capacity();
    reserve(std::max(firstCapacity, capacity + capacity / 2));
}

void Ride::shrinkToFit() {
    m_track.shrink_to_fit();
    m_recorded.shrink_to_fit();
    m_lacking.shrink_to_fit();
    m_elevation.shrink_to_fit();
    m_time.shrink_to_fit();
    m_nextTimed.shrink_to_fit();
    m_power.shrinkToFit();
    m_cadence.shrinkToFit();
}

// Columns made on the way are built aside and swapped in, and the pushes stay within reserved
// room: a failed allocation leaves the ride as it was, consistent, without this point.
void Ride::append(const RidePoint& point) {
    if (!std::isfinite(point.elevation)) {
        return;
    }
    const std::size_t i = size();
    if (i >= maxPoints) {
        throw std::length_error("Ride: too many points");
    }
    if (i == m_elevation.capacity()) {
        grow();
    }
    const std::size_t capacity = m_elevation.capacity();

    const bool hasRecorded = std::isfinite(point.recordedDistance);
    // Made here, the lacking counts say that every earlier point lacked one, or that none did.
    makeColumnsOnFirstUse(
        hasRecorded, i, capacity, m_recorded, point.recordedDistance, m_lacking,
        [](std::size_t j) { return j + 1; }, [](std::size_t) { return 0; });

    const double latest = m_time.empty() ? NAN : m_time.back();
    bool timed = std::isfinite(point.time);
    if (timed && point.time < latest) {
        timed = false;
        ++m_outOfOrder;
    }
    // Made here, the next timed points say that no earlier point was timed, or that each was its
    // own.
    const ColumnsMade made = makeColumnsOnFirstUse(
        timed, i, capacity, m_time, double{NAN}, m_nextTimed, [](std::size_t) { return noTime; },
        [](std::size_t j) { return j; });
    if (made != ColumnsMade::none) {
        m_untimedFrom = made == ColumnsMade::values ? 0 : i;
    }
    m_power.prepare(point.power, i, capacity);
    m_cadence.prepare(point.cadence, i, capacity);

    // From here on nothing allocates.
    double track = std::isfinite(point.trackDistance) ? point.trackDistance : 0.0;
    if (i > 0 && !(track >= m_track.back())) {
        track = m_track.back();
    }
    m_track.push_back(track);
    m_elevation.push_back(point.elevation);
    // A column made for this point is still empty when it is the ride's first.
    if (hasRecorded || !m_recorded.empty()) {
        const double before = i > 0 ? m_recorded.back() : point.recordedDistance;
        m_recorded.push_back(hasRecorded ? std::max(point.recordedDistance, before) : before);
    }
    if (!m_lacking.empty()) {
        m_lacking.push_back(m_lacking.back() + (hasRecorded ? 0 : 1));
    }
    if (timed || !m_time.empty()) {
        m_time.push_back(timed ? point.time : latest);
    }
    if (!m_nextTimed.empty()) {
        if (timed) {
            // Each untimed point is visited here once: appending stays linear.
            std::fill(m_nextTimed.begin() + static_cast<std::ptrdiff_t>(m_untimedFrom),
                      m_nextTimed.end(), static_cast<std::uint32_t>(i));
            m_untimedFrom = i + 1;
        }
        m_nextTimed.push_back(timed ? static_cast<std::uint32_t>(i) : noTime);
    }
    m_power.append(point.power);
    m_cadence.append(point.cadence);
}

std::size_t Ride::size() const {
    return m_elevation.size();
}

std::size_t Ride::memoryBytes() const {
    const std::size_t doubles =
        m_track.capacity() + m_recorded.capacity() + m_elevation.capacity() + m_time.capacity();
    const std::size_t counts = m_lacking.capacity() + m_nextTimed.capacity();
    return doubles * sizeof(double) + counts * sizeof(std::uint32_t) + m_power.memoryBytes() +
           m_cadence.memoryBytes();
}

std::span<const double> Ride::distances() const {
    if (!m_recorded.empty() && m_lacking.empty()) {
        return m_recorded;
    }
    return m_track;
}

std::span<const double> Ride::elevations() const {
    return m_elevation;
}

double Ride::time(std::size_t i) const {
    if (m_time.empty() || i >= size()) {
        return NAN;
    }
    if (!m_nextTimed.empty() && m_nextTimed[i] != i) {
        return NAN;
    }
    return m_time[i];
}

bool Ride::hasTimes() const {
    return !m_time.empty();
}

bool Ride::timesAdvance() const {
    if (m_time.empty()) {
        return false;
    }
    // Usable times never decrease: the last is the latest.
    const std::size_t first = m_nextTimed.empty() ? 0 : m_nextTimed.front();
    return m_time.back() > m_time[first];
}

bool Ride::hasPower() const {
    return m_power.hasSamples();
}

bool Ride::hasCadence() const {
    return m_cadence.hasSamples();
}

std::size_t Ride::timesOutOfOrder() const {
    return m_outOfOrder;
}

std::size_t Ride::lackingRecorded(std::size_t first, std::size_t last) const {
    if (m_recorded.empty()) {
        return last - first + 1;
    }
    if (m_lacking.empty()) {
        return 0;
    }
    return m_lacking[last] - (first > 0 ? m_lacking[first - 1] : 0);
}

Stretch Ride::stretch(std::size_t first, std::size_t last) const {
    Stretch result;
    if (empty()) {
        return result;
    }
    last = std::min(last, size() - 1);
    first = std::min(first, last);
    const auto& column = lackingRecorded(first, last) == 0 ? m_recorded : m_track;
    result.distance = column[last] - column[first];
    result.gain = m_elevation[last] - m_elevation[first];
    if (!m_time.empty()) {
        const std::size_t firstTimed = m_nextTimed.empty() ? first : m_nextTimed[first];
        if (firstTimed <= last) {
            result.seconds = m_time[last] - m_time[firstTimed];
        }
    }
    result.averagePower = m_power.mean(first, last);
    result.averageCadence = m_cadence.mean(first, last);
    return result;
}

std::size_t Ride::pointAtDistance(double metres) const {
    const auto column = distances();
    if (column.empty()) {
        return 0;
    }
    const auto found = std::lower_bound(column.begin(), column.end(), metres);
    if (found == column.end()) {
        return column.size() - 1;
    }
    return static_cast<std::size_t>(found - column.begin());
}

} // namespace tarvimo
