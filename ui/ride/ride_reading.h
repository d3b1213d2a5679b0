// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride_file.h"

class QWidget;

namespace tarvimo {

// Reads a ride file on another thread. A read that takes longer than half a second shows a
// progress dialog over `parent` with "Annulla"; cancelling gives RideError::Cancelled.
RideFile readRideWithProgress(QWidget* parent, const QString& path);

} // namespace tarvimo
