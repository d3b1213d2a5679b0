// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "field_sheet.h"
#include "number_text.h"

#include <QString>
#include <functional>

namespace tarvimo {

// What "Importa salita" needs of the main window to estimate a climb's power: its fields as they
// are (only read; nothing is written before "Usa questa salita"), the user's number settings,
// and the caption the user reads beside a field, to name one that cannot be read.
struct RideSheet {
    const FieldSheet& sheet;
    NumberSettings settings;
    std::function<QString(Field)> caption;
};

} // namespace tarvimo
