// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride/ride_choice.h"
#include "ride/ride_sheet.h"

#include <optional>

class QWidget;

namespace tarvimo {

// Opens a ride file as ride/ride_import.h does, through the ride-import module: the readers
// and the window are loaded the first time the user opens a ride, not every time the program
// starts. Where the module cannot be loaded, a message over `parent` says why.
std::optional<RideChoice> importRideThroughModule(QWidget& parent, const QString& path,
                                                  const RideSheet& sheet);

} // namespace tarvimo
