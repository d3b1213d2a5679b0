// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "running_sum.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarvimo {

// One point as a ride file gives it. Whatever the file does not say is NaN.
struct RidePoint {
    double trackDistance = 0;      // m from the first point along the track, never decreasing
    double recordedDistance = NAN; // m from the start, as the device recorded it
    double elevation = NAN;        // m, always given
    double time = NAN;             // s since 1970-01-01T00:00:00Z
    double power = NAN;            // W
    double cadence = NAN;          // rpm
};

// Whether a time (s since 1970-01-01T00:00:00Z) can be the date of a ride recorded by `now`: from
// 1990-01-01T00:00:00Z to one day after `now` (a device clock set a time zone ahead). Outside that
// it is a placeholder, such as 1901-12-13T20:45:52Z, the smallest 32-bit time.
bool isPlausibleRideTime(double unixSeconds, double nowUnixSeconds);

// The figures of the stretch from one point to a later one.
struct Stretch {
    double distance = 0;                  // m
    double gain = 0;                      // m: elevation at the end minus at the start
    std::optional<double> seconds;        // elapsed, where the stretch has a timed point
    std::optional<double> averagePower;   // W, mean of the values recorded in the stretch
    std::optional<double> averageCadence; // rpm, mean of the values recorded in the stretch
    double gradient() const { return distance > 0 ? 100.0 * gain / distance : 0.0; }
};

// A ride kept as compact columns with running sums: the figures of any stretch come in constant
// time however long the ride is. Columns the file has no data for stay empty: 16 to 48 bytes a
// point, at most 64 where some points lack what others have.
// A time earlier than the latest one before it counts as missing; equal times are kept.
class Ride {
public:
    void reserve(std::size_t points);
    // A point without a finite elevation is left out. A missing or decreasing track distance
    // counts as the previous one, a decreasing recorded distance as the previous recorded one.
    // Throws std::length_error past 4,294,967,294 points.
    void append(const RidePoint& point);
    // Gives back what reserve() took beyond the points appended.
    void shrinkToFit();

    std::size_t size() const;
    // What the columns take, reserved room included.
    std::size_t memoryBytes() const;
    bool empty() const { return size() == 0; }

    // Along the profile: the recorded distance where every point has one, else the track's.
    std::span<const double> distances() const;
    std::span<const double> elevations() const;
    double distance(std::size_t i) const { return distances()[i]; }
    double elevation(std::size_t i) const { return elevations()[i]; }
    // NaN where the point has no usable time.
    double time(std::size_t i) const;

    bool hasTimes() const;
    // Whether some usable time differs from the first usable one. False without times and where
    // every point carries the same time (an exporter's placeholder): its times say nothing.
    bool timesAdvance() const;
    bool hasPower() const;
    bool hasCadence() const;
    // Points whose time is earlier than an earlier point's: their time counts as missing.
    std::size_t timesOutOfOrder() const;

    // From point `first` to point `last`, first <= last < size(); indices past the end count as
    // the last point, and a `first` past `last` as `last`.
    Stretch stretch(std::size_t first, std::size_t last) const;
    // The first point at or beyond `metres` along the profile; the last point past the end.
    std::size_t pointAtDistance(double metres) const;

private:
    void grow();
    std::size_t lackingRecorded(std::size_t first, std::size_t last) const;

    std::vector<double> m_track;    // geodesic distance along the track
    std::vector<double> m_recorded; // device distance, carried forward; empty if none recorded
    std::vector<std::uint32_t> m_lacking; // points without a recorded distance up to each;
                                          // empty while none lacks one or all do
    std::vector<double> m_elevation;
    std::vector<double> m_time; // latest usable time at or before each point; empty if none
    std::vector<std::uint32_t> m_nextTimed; // first timed point at or after each, or noTime;
                                            // empty while every point has a time
    std::size_t m_untimedFrom = 0;          // where the trailing run of untimed points starts
    std::size_t m_outOfOrder = 0;
    RunningSum m_power;
    RunningSum m_cadence;
};

} // namespace tarvimo
