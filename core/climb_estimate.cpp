// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "climb_estimate.h"

#include "calculation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarvimo {

namespace {

// Beyond this a figure has no whole-number text (and no stretch of a ride comes near it).
constexpr double largestFigure = 1e15;

bool usable(double value) {
    return std::isfinite(value) && std::abs(value) < largestFigure;
}

// The stretch's own fields, after the sheet's other inputs when looking for the one at fault:
// the stretch's figures come from the ride, the others from the user.
constexpr std::array<Field, 4> stretchFields{Field::sceglilunghezza, Field::sceglidislivello,
                                             Field::scegliminuti, Field::sceglisecondi};

bool isStretchField(Field field) {
    for (Field f : stretchFields) {
        if (f == field) {
            return true;
        }
    }
    return false;
}

// The sheet's inputs in the order they are suspected.
std::vector<Field> suspects() {
    std::vector<Field> fields;
    for (const FieldInfo& info : allFields()) {
        if (!info.isResult && !isStretchField(info.field)) {
            fields.push_back(info.field);
        }
    }
    fields.insert(fields.end(), stretchFields.begin(), stretchFields.end());
    return fields;
}

// One run of the calculation on a copy: the total power, or the error that stopped it first.
struct Run {
    std::optional<double> watts;
    std::optional<RuntimeError> error;
};

Run run(FieldSheet sheet, const NumberSettings& settings) {
    try {
        calculate(sheet, settings);
    } catch (const RuntimeError& error) {
        if (error.stage() <= Stage::TotalPower) {
            return {std::nullopt, error};
        }
    }
    return {readBack(sheet.text(Field::mostraptot), settings), std::nullopt};
}

// The sheet, without its listener, with the stretch written in.
FieldSheet withStretch(const FieldSheet& sheet, const StretchTexts& texts) {
    FieldSheet copy = sheet;
    copy.setListener({});
    copy.setText(Field::sceglilunghezza, texts.length);
    copy.setText(Field::sceglidislivello, texts.gain);
    copy.setText(Field::scegliminuti, texts.minutes);
    copy.setText(Field::sceglisecondi, texts.seconds);
    return copy;
}

EstimateFault faultOf(FieldSheet sheet, const NumberSettings& settings, const RuntimeError& error) {
    for (Field field : suspects()) {
        sheet.setText(field, std::string(fieldInfo(field).defaultText));
        const Run again = run(sheet, settings);
        if (!again.error || again.error->stage() > error.stage()) {
            return {field, error.kind(), error.stage()};
        }
    }
    // Not reached: the default texts take the calculation through.
    return {Field::sceglilunghezza, error.kind(), error.stage()};
}

PowerEstimate estimate(const FieldSheet& prepared, const NumberSettings& settings) {
    const Run first = run(prepared, settings);
    if (first.error) {
        return {std::nullopt, faultOf(prepared, settings, *first.error)};
    }
    return {first.watts, std::nullopt};
}

std::optional<EstimateFault> unusableFigure(double length, double gain, double seconds) {
    const auto fault = [](Field field) {
        return EstimateFault{field, ErrorKind::InvalidOperation, Stage::None};
    };
    if (!usable(length)) {
        return fault(Field::sceglilunghezza);
    }
    if (!usable(gain)) {
        return fault(Field::sceglidislivello);
    }
    if (!usable(seconds) || seconds < 0) {
        return fault(Field::scegliminuti);
    }
    return std::nullopt;
}

} // namespace

StretchTexts stretchTexts(double length, double gain, std::optional<double> seconds) {
    StretchTexts texts{
        std::to_string(std::llround(length)), std::to_string(std::llround(gain)), {}, {}};
    if (seconds) {
        const long long whole = std::max(0LL, std::llround(*seconds));
        const int rest = static_cast<int>(whole % 60);
        texts.minutes = std::to_string(whole / 60);
        texts.seconds = {static_cast<char>('0' + rest / 10), static_cast<char>('0' + rest % 10)};
    }
    return texts;
}

PowerEstimate estimateTotalPower(const FieldSheet& sheet, const NumberSettings& settings,
                                 double length, double gain, double seconds) {
    if (const auto fault = unusableFigure(length, gain, seconds)) {
        return {std::nullopt, fault};
    }
    return estimate(withStretch(sheet, stretchTexts(length, gain, seconds)), settings);
}

SecondsPrediction predictSeconds(const FieldSheet& sheet, const NumberSettings& settings,
                                 double length, double gain, double targetWatts) {
    SecondsPrediction prediction;
    if (!(targetWatts > 0) || !std::isfinite(targetWatts)) {
        prediction.failure = PredictionFailure::TargetNotPositive;
        return prediction;
    }
    std::optional<EstimateFault> fault;
    const auto power = [&](long long seconds) -> std::optional<double> {
        const PowerEstimate estimate =
            estimateTotalPower(sheet, settings, length, gain, static_cast<double>(seconds));
        fault = estimate.fault;
        return estimate.watts;
    };
    const auto fail = [&] {
        prediction.failure = PredictionFailure::CalculationFails;
        prediction.fault = fault;
        return prediction;
    };
    // Invariant: the power at `fast` reaches the target, the power at `slow` falls short.
    long long fast = 1, slow = longestPrediction;
    const std::optional<double> atFast = power(fast);
    if (!atFast) {
        return fail();
    }
    if (*atFast < targetWatts) {
        prediction.failure = PredictionFailure::AboveOneSecond;
        return prediction;
    }
    std::optional<double> atSlow = power(slow);
    if (!atSlow) {
        return fail();
    }
    if (*atSlow > targetWatts) {
        prediction.failure = PredictionFailure::BelowOneDay;
        return prediction;
    }
    double fastWatts = *atFast, slowWatts = *atSlow;
    if (slowWatts >= targetWatts) {
        fast = slow; // the target is the power in 24 hours
        fastWatts = slowWatts;
    }
    while (slow - fast > 1) {
        const long long middle = fast + (slow - fast) / 2;
        const std::optional<double> watts = power(middle);
        if (!watts) {
            return fail();
        }
        if (*watts >= targetWatts) {
            fast = middle;
            fastWatts = *watts;
        } else {
            slow = middle;
            slowWatts = *watts;
        }
    }
    const bool slowNearer = slow != fast && targetWatts - slowWatts < fastWatts - targetWatts;
    prediction.seconds = slowNearer ? slow : fast;
    prediction.watts = slowNearer ? slowWatts : fastWatts;
    return prediction;
}

} // namespace tarvimo
