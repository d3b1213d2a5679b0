// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gpx_reader.h"

#include "iso_time.h"
#include "text_number.h"

namespace tarvimo {
namespace {

double numberAttribute(const char** attributes, std::string_view name) {
    const char* value = ExpatReader::attribute(attributes, name);
    return value != nullptr ? parseNumber(value).value_or(NAN) : NAN;
}

} // namespace

QString GpxReader::name() const {
    for (const auto* name : {&m_trackName, &m_metadataName, &m_topName}) {
        const std::string_view trimmed = trimmedText(*name);
        if (!trimmed.empty()) {
            return QString::fromUtf8(trimmed.data(), qsizetype(trimmed.size()));
        }
    }
    return {};
}

void GpxReader::startPoint(const char** attributes, bool route) {
    m_pointDepth = m_depth;
    m_routePoint = route;
    m_sample = TrackSample();
    m_sample.hasPosition = true;
    m_sample.latitude = numberAttribute(attributes, "lat");
    m_sample.longitude = numberAttribute(attributes, "lon");
}

void GpxReader::startElement(std::string_view name, const char** attributes) {
    ++m_depth;
    if (m_pointDepth != 0) {
        if (name == "ele") {
            m_field = Field::Elevation;
        } else if (name == "time") {
            m_field = Field::Time;
        } else if (name == "cad" || name == "cadence") {
            m_field = Field::Cadence;
        } else if (name == "power" || name == "PowerInWatts") {
            m_field = Field::Power;
        } else {
            return;
        }
        collectText();
    } else if (name == "trkpt" && m_trackDepth != 0) {
        startPoint(attributes, false);
    } else if (name == "rtept" && !m_hasTrackPoints) {
        startPoint(attributes, true);
    } else if (name == "trk") {
        m_trackDepth = m_depth;
    } else if (name == "metadata" && m_depth == 2) {
        m_metadataDepth = m_depth;
    } else if (name == "name") {
        if (m_trackDepth != 0 && m_depth == m_trackDepth + 1 && m_trackName.empty()) {
            m_field = Field::TrackName;
        } else if (m_metadataDepth != 0 && m_depth == m_metadataDepth + 1) {
            m_field = Field::MetadataName;
        } else if (m_depth == 2) {
            m_field = Field::TopName;
        } else {
            return;
        }
        collectText();
    }
}

void GpxReader::endField() {
    const Field field = m_field;
    m_field = Field::None;
    const std::string_view value = trimmedText(text());
    if (field == Field::TrackName || field == Field::MetadataName || field == Field::TopName) {
        auto& name = field == Field::TrackName      ? m_trackName
                     : field == Field::MetadataName ? m_metadataName
                                                    : m_topName;
        name.assign(value);
        return;
    }
    if (value.empty()) {
        return; // an empty element says nothing
    }
    const auto number = field == Field::Time ? parseIsoTime(value) : parseNumber(value);
    if (!number) {
        fail(RideError::BadNumber);
        return;
    }
    (field == Field::Elevation ? m_sample.elevation
     : field == Field::Time    ? m_sample.time
     : field == Field::Cadence ? m_sample.cadence
                               : m_sample.power) = *number;
}

void GpxReader::endElement() {
    if (m_field != Field::None) {
        endField();
    } else if (m_depth == m_pointDepth) {
        m_pointDepth = 0;
        if (m_routePoint) {
            // Checked now, while the line is known.
            if (!m_sample.validPosition()) {
                fail(RideError::BadCoordinates);
            }
            m_route.push_back(m_sample);
        } else {
            if (!m_hasTrackPoints) {
                m_hasTrackPoints = true;
                m_route = {};
            }
            if (const RideError error = m_builder.add(m_sample); error != RideError::None) {
                fail(error);
            }
        }
    } else if (m_depth == m_trackDepth) {
        m_trackDepth = 0;
    } else if (m_depth == m_metadataDepth) {
        m_metadataDepth = 0;
    }
    --m_depth;
}

RideError GpxReader::finish() {
    if (!m_hasTrackPoints) {
        for (const auto& sample : m_route) {
            m_builder.add(sample);
        }
    }
    return m_builder.verdict();
}

} // namespace tarvimo
