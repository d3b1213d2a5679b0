// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "field_sheet.h"
#include "number_text.h"
#include "runtime_error.h"

#include <optional>
#include <string>

namespace tarvimo {

// The texts "Usa questa salita" writes for a stretch: the length and the gain in whole metres,
// and the time, rounded to the whole second, in whole minutes and two-digit seconds ("07").
// Roundings go half away from zero; a time under half a second is 0 minutes and "00". The
// figures are finite and under 1e15 in size.
struct StretchTexts {
    std::string length;  // sceglilunghezza
    std::string gain;    // sceglidislivello
    std::string minutes; // scegliminuti, empty where the stretch has no time
    std::string seconds; // sceglisecondi, empty where the stretch has no time
};
StretchTexts stretchTexts(double length, double gain, std::optional<double> seconds);

// Where the calculation stops before the total power.
struct EstimateFault {
    Field field;    // the field at fault
    ErrorKind kind; // for errorName()
    Stage stage;    // for stageDescription(); None for a figure of the stretch that is no number
};

struct PowerEstimate {
    std::optional<double> watts;        // the total power, as mostraptot shows it
    std::optional<EstimateFault> fault; // where there is none
};

// The total power the calculation gives once the sheet's length, gain, minutes and seconds are
// the stretch's, written as by stretchTexts(), on a copy of the sheet: the sheet and its listener
// see nothing. A fault in a stage after the total power (watts per kilo, cadence...) leaves the
// total written, as the main window shows it. Where the calculation stops before the total, the
// field at fault is the first of the sheet's other inputs, then of the stretch's four, whose
// default text, put in its place with those before it, gets the calculation past that stage.
// A figure of the stretch that is no usable number is at fault itself (InvalidOperation).
PowerEstimate estimateTotalPower(const FieldSheet& sheet, const NumberSettings& settings,
                                 double length, double gain, double seconds);

// The longest time predicted: 24 hours, in seconds.
inline constexpr long long longestPrediction = 24 * 60 * 60;

enum class PredictionFailure {
    None,
    TargetNotPositive, // the target is not a positive number
    AboveOneSecond,    // more than the total power in 1 s
    BelowOneDay,       // less than the total power in 24 hours
    CalculationFails,  // the calculation stops before the total power: see `fault`
};

struct SecondsPrediction {
    std::optional<long long> seconds; // 1 .. longestPrediction
    double watts = 0;                 // the total power in those seconds
    PredictionFailure failure = PredictionFailure::None;
    std::optional<EstimateFault> fault;
};

// The whole second, from 1 s to 24 hours, at which estimateTotalPower() gives the total power
// nearest `targetWatts` for the stretch (of two equally near, the shorter time). The total power
// falls as the time grows (gravity, air and friction alike, rounded to tenths of a watt), so the
// second is found by halving the range, about 17 runs of the calculation; where the power does not
// fall steadily (a descent), the second is still one where the power crosses the target.
SecondsPrediction predictSeconds(const FieldSheet& sheet, const NumberSettings& settings,
                                 double length, double gain, double targetWatts);

} // namespace tarvimo
