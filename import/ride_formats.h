// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <span>

namespace tarvimo {

enum class RideFormat {
    Unknown,
    Gpx,
    Tcx,
    Fit,
};

// A ride file format Tarvimo reads: the one list the sniffer, the file dialog, the messages,
// --help, the desktop entry and AppStream follow.
struct RideFormatInfo {
    RideFormat format;
    const char* name;                        // as people know it: "GPX"
    std::span<const char* const> extensions; // lower case, without the dot
    const char* mimeType;                    // as the desktop entry and AppStream list it
    const char* xmlRoot;     // the root element's local name of an XML format, read here; else null
    const char* babelFormat; // gpsbabel's -i for a format it reads for us; else null
    const char* babelRecovery; // gpsbabel's -i that reads a damaged file up to the damage; or null
};

std::span<const RideFormatInfo> rideFormats();
// Null for RideFormat::Unknown.
const RideFormatInfo* rideFormatInfo(RideFormat format);

// In the table's order: "GPX", "TCX", "FIT".
QStringList rideFormatNames();
// Every format's extensions, lower case, without the dot: "gpx", "tcx", "fit".
QStringList rideFileExtensions();
QStringList rideMimeTypes();
// The names as an Italian sentence lists them: "GPX, TCX o FIT".
QString rideFormatList();

} // namespace tarvimo
