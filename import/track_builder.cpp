// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "track_builder.h"

namespace tarvimo {

RideError TrackBuilder::add(const TrackSample& sample) {
    if (!sample.validPosition()) {
        return RideError::BadCoordinates;
    }
    if (sample.hasPosition) {
        m_distance += m_step.next(sample.latitude, sample.longitude);
    }
    if (std::isnan(sample.elevation)) {
        ++m_withoutElevation;
        return RideError::None;
    }
    RidePoint point;
    point.trackDistance = m_distance;
    point.recordedDistance = sample.recordedDistance;
    point.elevation = sample.elevation;
    point.time = sample.time;
    point.power = sample.power;
    point.cadence = sample.cadence;
    m_ride.append(point);
    ++m_kept;
    return RideError::None;
}

void TrackBuilder::plan(qint64 bytesRead, qint64 total) {
    constexpr qint64 sampleBytes = 1 << 20;
    if (m_planned || bytesRead < sampleBytes || total <= bytesRead || m_kept < 100) {
        return;
    }
    m_planned = true;
    const double expected = double(m_kept) * double(total) / double(bytesRead);
    m_ride.reserve(std::size_t(expected * 1.03) + 64);
}

RideError TrackBuilder::verdict() const {
    const std::size_t all = m_kept + m_withoutElevation;
    if (all == 0) {
        return RideError::NoPoints;
    }
    if (m_kept == 0 && all > 1) {
        return RideError::NoElevation;
    }
    return m_kept < 2 ? RideError::OnePoint : RideError::None;
}

} // namespace tarvimo
