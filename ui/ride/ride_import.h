// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride/ride_choice.h"
#include "ride/ride_sheet.h"

#include <optional>

class QWidget;

namespace tarvimo {

// Reads the ride file at `path`, says what is wrong with it in a message over `parent`, or shows
// "Importa salita" with the estimates for `sheet`. Gives the texts for the fields when the user
// chose a climb.
std::optional<RideChoice> importRide(QWidget& parent, const QString& path, const RideSheet& sheet);

} // namespace tarvimo
