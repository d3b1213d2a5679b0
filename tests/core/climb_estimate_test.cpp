// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "climb_estimate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tarvimo {
namespace {

using enum Field;
using Edits = std::vector<std::pair<Field, std::string>>;

FieldSheet sheetWith(const Edits& edits) {
    FieldSheet sheet;
    for (const auto& [field, text] : edits) {
        sheet.setText(field, text);
    }
    return sheet;
}

const NumberSettings italian = NumberSettings::italian();

struct EstimateCase {
    const char* what;
    Edits edits;
    double length, gain, seconds;
    std::optional<double> watts;
    std::optional<Field> fault = {};
    Stage stage = Stage::None;
    NumberSettings settings = italian;
};

void PrintTo(const EstimateCase& c, std::ostream* os) {
    *os << c.what;
}

class Estimate : public testing::TestWithParam<EstimateCase> {};

TEST_P(Estimate, GivesTheTotalPowerOrTheFieldAtFault) {
    const auto& c = GetParam();
    const PowerEstimate estimate =
        estimateTotalPower(sheetWith(c.edits), c.settings, c.length, c.gain, c.seconds);
    EXPECT_EQ(estimate.watts, c.watts);
    ASSERT_EQ(estimate.fault.has_value(), c.fault.has_value());
    if (c.fault) {
        EXPECT_EQ(estimate.fault->field, *c.fault);
        EXPECT_EQ(estimate.fault->stage, c.stage);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Estimate,
    testing::Values(
        EstimateCase{"the default sheet's own climb: its 234,6 W", {}, 5100, 460, 1440, 234.6},
        EstimateCase{"written as the window writes them: 5099,6 m, 459,5 m, 1439,5 s",
                     {},
                     5099.6,
                     459.5,
                     1439.5,
                     234.6},
        EstimateCase{.what = "with a decimal point the total reads the same",
                     .edits = {},
                     .length = 5100,
                     .gain = 460,
                     .seconds = 1440,
                     .watts = 234.6,
                     .settings = NumberSettings::dotDecimal()},
        EstimateCase{"the sheet's own length and time are replaced",
                     {{scegliminuti, "abc"}, {sceglilunghezza, "1"}},
                     5100,
                     460,
                     1440,
                     234.6},
        EstimateCase{"no chainring teeth stop the calculation after the total: it stands",
                     {{sceglicorona, "0"}},
                     5100,
                     460,
                     1440,
                     234.6},
        EstimateCase{"an unreadable wheel diameter is at fault",
                     {{scegliruote, "26 pollici"}},
                     5100,
                     460,
                     1440,
                     {},
                     scegliruote,
                     Stage::WheelRadius},
        EstimateCase{"a bike's mass beyond any number is at fault",
                     {{massabici, "1e400"}},
                     5100,
                     460,
                     1440,
                     {},
                     massabici,
                     Stage::TotalMass},
        EstimateCase{"of two masses beyond any number, the first fixed leaves the second",
                     {{massac, "1e400"}, {massabici, "1e400"}},
                     5100,
                     460,
                     1440,
                     {},
                     massabici,
                     Stage::TotalMass},
        EstimateCase{"a mass that overflows the gravity power, not its reading",
                     {{altramassa, "1e306"}},
                     5100,
                     460,
                     1440,
                     {},
                     altramassa,
                     Stage::GravityPower},
        EstimateCase{"under half a second is no time: the minutes",
                     {},
                     5100,
                     460,
                     0.4,
                     {},
                     scegliminuti,
                     Stage::GravityPower},
        EstimateCase{"a length that is no number", {}, NAN, 460, 1440, {}, sceglilunghezza}));

struct PredictionCase {
    const char* what;
    Edits edits;
    double length, gain, target;
    PredictionFailure failure = PredictionFailure::None;
    std::optional<long long> seconds = {}; // where the exact second is known
    std::optional<Field> fault = {};
};

void PrintTo(const PredictionCase& c, std::ostream* os) {
    *os << c.what;
}

class Prediction : public testing::TestWithParam<PredictionCase> {};

// The power at the second predicted is the nearest to the target of it and its neighbours: within
// what one second more or less changes.
TEST_P(Prediction, AgreesWithTheCalculation) {
    const auto& c = GetParam();
    const FieldSheet sheet = sheetWith(c.edits);
    const SecondsPrediction p = predictSeconds(sheet, italian, c.length, c.gain, c.target);
    EXPECT_EQ(p.failure, c.failure);
    EXPECT_EQ(p.fault ? std::optional(p.fault->field) : std::nullopt, c.fault);
    ASSERT_EQ(p.seconds.has_value(), c.failure == PredictionFailure::None);
    if (!p.seconds) {
        return;
    }
    if (c.seconds) {
        EXPECT_EQ(*p.seconds, *c.seconds);
    }
    const auto power = [&](long long t) {
        return *estimateTotalPower(sheet, italian, c.length, c.gain, double(t)).watts;
    };
    const double gap = std::abs(power(*p.seconds) - c.target);
    EXPECT_EQ(power(*p.seconds), p.watts);
    if (*p.seconds > 1) {
        EXPECT_LE(gap, std::abs(power(*p.seconds - 1) - c.target));
    }
    if (*p.seconds < longestPrediction) {
        EXPECT_LE(gap, std::abs(power(*p.seconds + 1) - c.target));
    }
}

using enum PredictionFailure;

INSTANTIATE_TEST_SUITE_P(
    Rows, Prediction,
    testing::Values(
        PredictionCase{"the default climb's 234,6 W: 24 minutes", {}, 5100, 460, 234.6, None, 1440},
        PredictionCase{"250 W on the default climb", {}, 5100, 460, 250},
        PredictionCase{"1000 W on a short steep ramp", {}, 800, 100, 1000},
        PredictionCase{"40 W on 20 km of flat: air and friction only", {}, 20000, 0, 40},
        PredictionCase{"150 W without air resistance", {{scegliA, "0"}}, 5100, 460, 150},
        PredictionCase{
            "300 W on a descent, where the power does not fall steadily", {}, 5000, -100, 300},
        PredictionCase{"2 MW is more than 1 s gives", {}, 100, 10, 2e6, AboveOneSecond},
        PredictionCase{
            "1 W is less than 24 hours give on the climb", {}, 5100, 460, 1, BelowOneDay},
        PredictionCase{"0 W", {}, 5100, 460, 0, TargetNotPositive},
        PredictionCase{"-5 W", {}, 5100, 460, -5, TargetNotPositive},
        PredictionCase{"not a number", {}, 5100, 460, NAN, TargetNotPositive},
        PredictionCase{"an unreadable wheel diameter",
                       {{scegliruote, "x"}},
                       5100,
                       460,
                       250,
                       CalculationFails,
                       {},
                       scegliruote}));

// Halving the range needs the power to fall as the time grows: every second of 24 hours, on a
// climb and on a flat where air resistance is most of it.
TEST(PredictionPremise, PowerNeverRisesWithTime) {
    for (const auto& [length, gain] : {std::pair{5100.0, 460.0}, std::pair{40000.0, 0.0}}) {
        double before = INFINITY;
        for (long long t = 1; t <= longestPrediction; ++t) {
            const double watts =
                *estimateTotalPower(FieldSheet(), italian, length, gain, double(t)).watts;
            ASSERT_LE(watts, before) << length << " m at " << t << " s";
            before = watts;
        }
    }
}

TEST(EstimateCopy, TheSheetAndItsListenerSeeNothing) {
    FieldSheet sheet;
    int calls = 0;
    sheet.setListener([&](Field, const std::string&) { ++calls; });
    estimateTotalPower(sheet, italian, 1000, 100, 300);
    predictSeconds(sheet, italian, 1000, 100, 300);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(sheet.text(scegliA), "0,2");
    EXPECT_EQ(sheet.text(mostraptot), "");
}

} // namespace
} // namespace tarvimo
