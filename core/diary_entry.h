// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "field_sheet.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

namespace tarvimo {

struct DiaryEntry {
    std::int64_t id = 0;
    std::int64_t savedAt = 0;
    std::array<std::string, fieldCount> texts;
    double totalPower = NAN;
    double wattsPerKg = NAN;
    double vam = NAN;
    double speed = NAN;
    double seconds = NAN;
    double length = NAN;
    double gain = NAN;
    std::string rideFile;
    double stretchFrom = NAN;
    double stretchTo = NAN;
};

} // namespace tarvimo
