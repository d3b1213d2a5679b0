// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "expat_reader.h"
#include "track_builder.h"

#include <string>

namespace tarvimo {

// Garmin's Training Center XML: each Trackpoint with its time, position, altitude, recorded
// distance, cadence and the Watts of the activity extension.
class TcxReader : public ExpatReader {
public:
    explicit TcxReader(TrackBuilder& builder) : m_builder(builder) {}
    // Course/Name; empty if none (an activity has no name of its own).
    QString name() const;

private:
    enum class Field { None, Time, Latitude, Longitude, Altitude, Distance, Cadence, Watts, Name };

    void startElement(std::string_view name, const char** attributes) override;
    void endElement() override;
    RideError finish() override;
    void endPoint();

    TrackBuilder& m_builder;
    int m_depth = 0;
    int m_pointDepth = 0;
    int m_courseDepth = 0;
    Field m_field = Field::None;
    TrackSample m_sample;
    std::string m_name;
};

} // namespace tarvimo
