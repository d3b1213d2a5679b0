// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the GPX and TCX readers, the way a file reaches them: through a
// device read in chunks, the format sniffed from the root element. A read that succeeds must
// give a ride the windows can use; any broken rule traps after printing what broke.

#include "ride_file.h"

#include <QBuffer>
#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

using namespace tarvimo;

void require(bool ok, const char* rule) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_import: %s\n", rule);
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const RideFile file = readRide(buffer, QStringLiteral("fuzz"), qint64(size));
    require(file.line >= 0, "negative line");
    require(!file.name.isEmpty(), "no name");
    if (file.error != RideError::None) {
        require(file.ride.empty() || file.error != RideError::NoPoints, "points and NoPoints");
        return 0;
    }
    const Ride& ride = file.ride;
    require(ride.size() >= 2, "a ride of fewer than two points");
    for (std::size_t i = 0; i < ride.size(); ++i) {
        require(std::isfinite(ride.elevation(i)) && std::isfinite(ride.distance(i)),
                "a column holds a value that is not finite");
        require(i == 0 || ride.distance(i) >= ride.distance(i - 1), "distance decreases");
    }
    const Stretch whole = ride.stretch(0, ride.size() - 1);
    require(std::isfinite(whole.distance) && std::isfinite(whole.gain), "stretch not finite");
    return 0;
}
