// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace tarvimo {

struct RideFile;

// What went wrong reading the ride file at `path`, in a sentence that names the file; empty
// where nothing did, or where the user cancelled.
QString rideErrorMessage(const RideFile& file, const QString& path);

// How the reader treated a damaged file and odd points, one sentence each; empty where nothing was
// odd. `timesAdvance` is false where the file's times stand still (a placeholder on every point).
QString rideNotes(const RideFile& file, bool rises, bool timesAdvance);

} // namespace tarvimo
