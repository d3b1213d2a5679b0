// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride_file.h"

#include "babel_converter.h"
#include "gpx_reader.h"
#include "ride_format.h"
#include "tcx_reader.h"

#include <QFile>
#include <QFileInfo>
#include <new>

namespace tarvimo {
namespace {

constexpr qint64 headBytes = 64 * 1024;

template <typename Reader>
RideFile readXml(QIODevice& device, qint64 total, const RideProgress& progress) {
    RideFile result;
    TrackBuilder builder(result.ride);
    Reader reader(builder);
    const RideProgress planned = [&](qint64 done, qint64 size) {
        builder.plan(done, size);
        return !progress || progress(done, size);
    };
    result.error = reader.readAll(device, total, planned);
    result.line = reader.line();
    result.detail = reader.detail();
    result.name = reader.name();
    result.pointsWithoutElevation = builder.withoutElevation();
    if (result.error == RideError::None) {
        result.ride.shrinkToFit();
    }
    return result;
}

RideFile failed(RideError error) {
    RideFile result;
    result.error = error;
    return result;
}

RideFile readChecked(const QString& path, const RideProgress& progress) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return failed(RideError::NotFound);
    }
    if (info.isDir()) {
        return failed(RideError::IsFolder);
    }
    if (!info.isFile()) {
        return failed(RideError::NotReadable); // a device or a pipe: never a ride
    }
    if (info.size() == 0) {
        return failed(RideError::Empty);
    }
    if (info.size() > maxRideFileBytes) {
        return failed(RideError::TooLarge);
    }
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        RideFile result = failed(RideError::NotReadable);
        result.detail = file.errorString();
        return result;
    }
    const RideFormatInfo* format = rideFormatInfo(sniffRideFormat(file.read(headBytes)));
    if (format == nullptr) {
        return failed(RideError::UnknownFormat);
    }
    RideFile result;
    if (format->babelFormat != nullptr) {
        file.close();
        const BabelInput input{QString::fromLatin1(format->babelFormat),
                               QString::fromLatin1(format->babelRecovery)};
        result = convertWithBabel(gpsbabelProgram(), info.absoluteFilePath(), input,
                                  BabelLimits::forFile(info.size()), progress);
    } else {
        if (!file.seek(0)) {
            return failed(RideError::NotReadable);
        }
        result = readRide(file, QString(), info.size(), progress);
    }
    if (result.name.isEmpty()) {
        result.name = info.completeBaseName();
    }
    return result;
}

} // namespace

RideFile readRide(QIODevice& device, const QString& fallbackName, qint64 total,
                  const RideProgress& progress) {
    RideFile result;
    try {
        const QByteArray head = device.peek(headBytes);
        switch (sniffRideFormat(head)) {
        case RideFormat::Gpx:
            result = readXml<GpxReader>(device, total, progress);
            break;
        case RideFormat::Tcx:
            result = readXml<TcxReader>(device, total, progress);
            break;
        default:
            result.error = head.isEmpty() ? RideError::Empty : RideError::UnknownFormat;
            break;
        }
    } catch (const std::bad_alloc&) {
        result = failed(RideError::OutOfMemory);
    }
    if (result.name.isEmpty()) {
        result.name = fallbackName;
    }
    return result;
}

RideFile readRideFile(const QString& path, const RideProgress& progress) {
    try {
        return readChecked(path, progress);
    } catch (const std::bad_alloc&) {
        return failed(RideError::OutOfMemory);
    }
}

} // namespace tarvimo
