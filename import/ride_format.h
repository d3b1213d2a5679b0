// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride_formats.h"

#include <QByteArrayView>

namespace tarvimo {

// What a file holds, from its first bytes: the XML root element of a format in rideFormats(), or
// the FIT header; never from the file's name.
RideFormat sniffRideFormat(QByteArrayView head);

} // namespace tarvimo
