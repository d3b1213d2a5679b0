// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride_formats.h"

namespace tarvimo {
namespace {

constexpr const char* gpxExtensions[] = {"gpx"};
constexpr const char* tcxExtensions[] = {"tcx"};
constexpr const char* fitExtensions[] = {"fit"};

// GPX is in Debian's shared-mime-info; TCX and FIT are declared in
// assets/org.tarvimo.Tarvimo.mime.xml.
constexpr RideFormatInfo formats[] = {
    {RideFormat::Gpx, "GPX", gpxExtensions, "application/gpx+xml", "gpx", nullptr, nullptr},
    {RideFormat::Tcx, "TCX", tcxExtensions, "application/vnd.garmin.tcx+xml",
     "TrainingCenterDatabase", nullptr, nullptr},
    {RideFormat::Fit, "FIT", fitExtensions, "application/vnd.ant.fit", nullptr, "garmin_fit",
     "garmin_fit,recoverymode=1"},
};

// One text column of the table, in its order.
QStringList column(const char* RideFormatInfo::*field) {
    QStringList values;
    for (const RideFormatInfo& info : formats) {
        values << QString::fromLatin1(info.*field);
    }
    return values;
}

} // namespace

std::span<const RideFormatInfo> rideFormats() {
    return formats;
}

const RideFormatInfo* rideFormatInfo(RideFormat format) {
    for (const RideFormatInfo& info : formats) {
        if (info.format == format) {
            return &info;
        }
    }
    return nullptr;
}

QStringList rideFormatNames() {
    return column(&RideFormatInfo::name);
}

QStringList rideFileExtensions() {
    QStringList extensions;
    for (const RideFormatInfo& info : formats) {
        for (const char* extension : info.extensions) {
            extensions << QString::fromLatin1(extension);
        }
    }
    return extensions;
}

QStringList rideMimeTypes() {
    return column(&RideFormatInfo::mimeType);
}

QString rideFormatList() {
    QStringList names = rideFormatNames();
    const QString last = names.takeLast();
    return names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" o ") + last;
}

} // namespace tarvimo
