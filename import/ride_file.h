// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride.h"

#include <QIODevice>
#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <functional>

namespace tarvimo {

// Why a ride file could not be read. The windows choose the words.
enum class RideError {
    None,
    NotFound,
    IsFolder,
    NotReadable, // no permission, or a read that failed
    Empty,       // zero bytes
    TooLarge,    // past maxRideFileBytes
    UnknownFormat,
    Malformed, // not well-formed XML (line says where)
    Truncated, // the XML stops half-way
    NoPoints,
    OnePoint,
    NoElevation,      // points, but none with an elevation
    BadCoordinates,   // latitude or longitude out of range or not a number (line says where)
    BadNumber,        // another value that is not a number (line says where)
    EntitiesRefused,  // a DOCTYPE that declares entities: never expanded, never fetched
    ConverterMissing, // gpsbabel is not installed
    ConverterFailed,
    ConverterTimedOut,
    Cancelled,
    OutOfMemory,
};

inline constexpr qint64 maxRideFileBytes = qint64(1) << 30;

struct RideFile {
    RideError error = RideError::None;
    qint64 line = 0; // where the reader stopped, for errors that have a place; else 0
    QString detail;  // the parser's or converter's own words, for the curious; may be empty
    QString name;    // the track's name, else the file's name without its extension
    Ride ride;
    std::size_t pointsWithoutElevation = 0; // skipped
    bool damaged = false; // read only up to the damage: the file is cut short or corrupt
};

// Called now and then with the bytes read so far and the file's size; false cancels the read.
// While gpsbabel converts a file the reader cannot tell how far it is: then both are 0.
using RideProgress = std::function<bool(qint64 done, qint64 total)>;

// The formats of rideFormats(): GPX and TCX are read here, FIT through gpsbabel.
RideFile readRideFile(const QString& path, const RideProgress& progress = {});

// GPX or TCX, told apart by their root element, from a device open for reading: what
// readRideFile does with a file once it has checked it. `total` is the size for progress and
// for planning memory (0 if unknown); `fallbackName` is the name where the file gives none.
RideFile readRide(QIODevice& device, const QString& fallbackName, qint64 total = 0,
                  const RideProgress& progress = {});

} // namespace tarvimo
