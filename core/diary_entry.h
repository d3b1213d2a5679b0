// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "field_sheet.h"
#include "number_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvimo {

// One saved effort of the diary: every field as it was shown, and the numbers a chart draws.
struct DiaryEntry {
    std::int64_t id = 0;      // the store's key; 0 before it is saved
    std::int64_t savedAt = 0; // when it was saved, seconds since 1970-01-01T00:00:00Z

    // Every field's text as shown, inputs and results, indexed by Field.
    std::array<std::string, fieldCount> texts;

    // Read from the texts; NaN where a text gives no number.
    double totalPower = NAN; // W, mostraptot
    double wattsPerKg = NAN; // W/kg, mostrawkg
    double vam = NAN;        // m/h, mostraVAM
    double speed = NAN;      // km/h, mostraVmedia
    double seconds = NAN;    // s, scegliminuti * 60 + sceglisecondi
    double length = NAN;     // m, sceglilunghezza
    double gain = NAN;       // m, sceglidislivello

    // Where the values came from a ride: its file's name and the stretch chosen in it, in m
    // along the ride. Empty and NaN otherwise.
    std::string rideFile;
    double stretchFrom = NAN;
    double stretchTo = NAN;

    const std::string& text(Field field) const { return texts[static_cast<std::size_t>(field)]; }
};

// The entry for a sheet that was just calculated: its texts, and its numbers read as the
// calculation reads them (inputs with "," taken as ".", results in the user's settings or with
// "." as the calculation leaves most of them). A text that starts with no number gives NaN; the
// time is NaN only where neither minutes nor seconds give one, as the calculation counts a
// missing one as 0. No ride: the caller fills rideFile and the stretch.
DiaryEntry makeDiaryEntry(const FieldSheet& sheet, const NumberSettings& settings,
                          std::int64_t savedAt);

// The climb's date (sceglidata) as days since 1970-01-01, for sorting and for a date axis.
// Reads dd-mm-yyyy, with one or two digits for day and month, "-", "/" or "." as separator (the
// same twice) and blanks around; nothing for any other text or a date that does not exist.
std::optional<int> climbDay(const DiaryEntry& entry);

} // namespace tarvimo
