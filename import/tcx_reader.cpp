// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tcx_reader.h"

#include "iso_time.h"
#include "text_number.h"

namespace tarvimo {

QString TcxReader::name() const {
    return QString::fromUtf8(m_name.data(), qsizetype(m_name.size()));
}

void TcxReader::startElement(std::string_view name, const char**) {
    ++m_depth;
    if (m_pointDepth != 0) {
        if (name == "Time") {
            m_field = Field::Time;
        } else if (name == "LatitudeDegrees") {
            m_field = Field::Latitude;
        } else if (name == "LongitudeDegrees") {
            m_field = Field::Longitude;
        } else if (name == "AltitudeMeters") {
            m_field = Field::Altitude;
        } else if (name == "DistanceMeters") {
            m_field = Field::Distance;
        } else if (name == "Cadence") {
            m_field = Field::Cadence;
        } else if (name == "Watts") {
            m_field = Field::Watts;
        } else {
            return;
        }
        collectText();
    } else if (name == "Trackpoint") {
        m_pointDepth = m_depth;
        m_sample = TrackSample();
    } else if (name == "Course") {
        m_courseDepth = m_depth;
    } else if (name == "Name" && m_courseDepth != 0 && m_depth == m_courseDepth + 1 &&
               m_name.empty()) {
        m_field = Field::Name;
        collectText();
    }
}

void TcxReader::endPoint() {
    m_pointDepth = 0;
    // A position is both coordinates or neither.
    const bool lat = !std::isnan(m_sample.latitude);
    const bool lon = !std::isnan(m_sample.longitude);
    m_sample.hasPosition = lat || lon;
    if (lat != lon) {
        fail(RideError::BadCoordinates);
        return;
    }
    if (const RideError error = m_builder.add(m_sample); error != RideError::None) {
        fail(error);
    }
}

void TcxReader::endElement() {
    if (m_field == Field::Name) {
        m_name.assign(trimmedText(text()));
    } else if (m_field != Field::None) {
        const std::string_view value = trimmedText(text());
        const auto number = m_field == Field::Time ? parseIsoTime(value) : parseNumber(value);
        const bool position = m_field == Field::Latitude || m_field == Field::Longitude;
        if (!value.empty() && !number) {
            fail(position ? RideError::BadCoordinates : RideError::BadNumber);
        } else if (number) {
            (m_field == Field::Time        ? m_sample.time
             : m_field == Field::Latitude  ? m_sample.latitude
             : m_field == Field::Longitude ? m_sample.longitude
             : m_field == Field::Altitude  ? m_sample.elevation
             : m_field == Field::Distance  ? m_sample.recordedDistance
             : m_field == Field::Cadence   ? m_sample.cadence
                                           : m_sample.power) = *number;
        }
    } else if (m_depth == m_pointDepth) {
        endPoint();
    } else if (m_depth == m_courseDepth) {
        m_courseDepth = 0;
    }
    m_field = Field::None;
    --m_depth;
}

RideError TcxReader::finish() {
    return m_builder.verdict();
}

} // namespace tarvimo
