// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "expat_reader.h"
#include "track_builder.h"

#include <string>
#include <vector>

namespace tarvimo {

// GPX 1.0 and 1.1: the track points of every track and segment in file order, else the route
// points; elevation, time, and power and cadence from the common extensions.
class GpxReader : public ExpatReader {
public:
    explicit GpxReader(TrackBuilder& builder) : m_builder(builder) {}
    // trk/name, else metadata/name (1.1) or the top-level name (1.0); empty if none.
    QString name() const;

private:
    enum class Field { None, Elevation, Time, Cadence, Power, TrackName, MetadataName, TopName };

    void startElement(std::string_view name, const char** attributes) override;
    void endElement() override;
    RideError finish() override;
    void startPoint(const char** attributes, bool route);
    void endField();

    TrackBuilder& m_builder;
    int m_depth = 0;
    int m_trackDepth = 0; // of the open trk, else 0
    int m_metadataDepth = 0;
    int m_pointDepth = 0; // of the open trkpt or rtept, else 0
    bool m_routePoint = false;
    bool m_hasTrackPoints = false;
    Field m_field = Field::None;
    TrackSample m_sample;
    std::vector<TrackSample> m_route; // kept until the file shows it has no track
    std::string m_trackName;
    std::string m_metadataName;
    std::string m_topName;
};

} // namespace tarvimo
