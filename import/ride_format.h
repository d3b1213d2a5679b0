// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

namespace tarvimo {

enum class RideFormat {
    Unknown,
    Gpx,
    Tcx,
    Converted, // read through gpsbabel, its input format in SniffedFormat::babelFormat
};

struct SniffedFormat {
    RideFormat format = RideFormat::Unknown;
    QString babelFormat; // gpsbabel's -i name, for Converted
};

// What a file holds, from its first bytes (the XML root element, the FIT header), else from its
// extension for the formats only gpsbabel reads.
SniffedFormat sniffRideFormat(QByteArrayView head, const QString& suffix);

} // namespace tarvimo
