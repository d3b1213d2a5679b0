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
using enum PredictionFailure;
using Edits = std::vector<std::pair<Field, std::string>>;

const NumberSettings italian = NumberSettings::italian();

FieldSheet sheetWith(const Edits& edits) {
    FieldSheet sheet;
    for (const auto& [field, text] : edits) {
        sheet.setText(field, text);
    }
    return sheet;
}

struct EstimateCase {
    const char* what;
    Edits edits;
    double length, gain, seconds;
    std::optional<double> watts; // none where a field is at fault
    std::optional<Field> fault;  // that field
    Stage stage = Stage::None;   // and where the calculation stopped
    NumberSettings settings = italian;
};

// Functions, not braces, so that the rows stay short.
EstimateCase gives(const char* what, Edits edits, double length, double gain, double seconds,
                   double watts, NumberSettings settings = italian) {
    return {what, std::move(edits), length, gain, seconds, watts, {}, Stage::None, settings};
}

EstimateCase blames(const char* what, Edits edits, double length, double gain, double seconds,
                    Field field, Stage stage = Stage::None) {
    return {what, std::move(edits), length, gain, seconds, {}, field, stage};
}

void PrintTo(const EstimateCase& c, std::ostream* os) {
    *os << c.what;
}

class Estimate : public testing::TestWithParam<EstimateCase> {};

TEST_P(Estimate, GivesTheTotalPowerOrTheFieldAtFault) {
    const auto& c = GetParam();
    const PowerEstimate e =
        estimateTotalPower(sheetWith(c.edits), c.settings, c.length, c.gain, c.seconds);
    EXPECT_EQ(e.watts, c.watts);
    EXPECT_EQ(e.fault ? std::optional(e.fault->field) : std::nullopt, c.fault);
    EXPECT_EQ(e.fault ? e.fault->stage : Stage::None, c.stage);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Estimate,
    testing::Values(gives("the default sheet's own climb: its 234,6 W", {}, 5100, 460, 1440, 234.6),
                    gives("written as the window writes them: 5099,6 m, 459,5 m, 1439,5 s", {},
                          5099.6, 459.5, 1439.5, 234.6),
                    gives("a decimal point reads the total the same", {}, 5100, 460, 1440, 234.6,
                          NumberSettings::dotDecimal()),
                    gives("the sheet's own length and time are replaced",
                          {{scegliminuti, "abc"}, {sceglilunghezza, "1"}}, 5100, 460, 1440, 234.6),
                    gives("no chainring teeth stop the calculation after the total: it stands",
                          {{sceglicorona, "0"}}, 5100, 460, 1440, 234.6),
                    blames("an unreadable wheel diameter", {{scegliruote, "26 pollici"}}, 5100, 460,
                           1440, scegliruote, Stage::WheelRadius),
                    blames("two masses beyond any number: the second, once the first is fixed",
                           {{massac, "1e400"}, {massabici, "1e400"}}, 5100, 460, 1440, massabici,
                           Stage::TotalMass),
                    blames("a mass that overflows the gravity power, not its reading",
                           {{altramassa, "1e306"}}, 5100, 460, 1440, altramassa,
                           Stage::GravityPower),
                    blames("under half a second is no time: the minutes", {}, 5100, 460, 0.4,
                           scegliminuti, Stage::GravityPower),
                    blames("a length that is no number", {}, NAN, 460, 1440, sceglilunghezza)));

struct PredictionCase {
    const char* what;
    Edits edits;
    double length, gain, target;
    PredictionFailure failure = None;
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
    ASSERT_EQ(p.seconds.has_value(), c.failure == None);
    if (!p.seconds) {
        return;
    }
    const auto gap = [&](long long t) {
        return std::abs(*estimateTotalPower(sheet, italian, c.length, c.gain, double(t)).watts -
                        c.target);
    };
    EXPECT_EQ(gap(*p.seconds), std::abs(p.watts - c.target));
    EXPECT_LE(gap(*p.seconds), gap(std::max(1LL, *p.seconds - 1)));
    EXPECT_LE(gap(*p.seconds), gap(std::min(longestPrediction, *p.seconds + 1)));
}

PredictionCase reaches(const char* what, Edits edits, double length, double gain, double target) {
    return {what, std::move(edits), length, gain, target};
}

PredictionCase misses(const char* what, Edits edits, double target, PredictionFailure failure,
                      std::optional<Field> fault = {}) {
    return {what, std::move(edits), 5100, 460, target, failure, fault};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Prediction,
    testing::Values(reaches("250 W on the default climb", {}, 5100, 460, 250),
                    reaches("1000 W on a short steep ramp", {}, 800, 100, 1000),
                    reaches("40 W on 20 km of flat: air and friction", {}, 20000, 0, 40),
                    reaches("150 W without air resistance", {{scegliA, "0"}}, 5100, 460, 150),
                    reaches("300 W down a descent, where the power is not monotone", {}, 5000, -100,
                            300),
                    misses("a terawatt: more than 1 s gives", {}, 1e12, AboveOneSecond),
                    misses("1 W: less than 24 hours give", {}, 1, BelowOneDay),
                    misses("0 W", {}, 0, TargetNotPositive),
                    misses("not a number", {}, NAN, TargetNotPositive),
                    misses("an unreadable wheel diameter", {{scegliruote, "x"}}, 250,
                           CalculationFails, scegliruote)));

TEST(PredictionExact, TheDefaultClimbsOwnPowerIsItsOwnTime) {
    EXPECT_EQ(predictSeconds(FieldSheet(), italian, 5100, 460, 234.6).seconds, 1440);
}

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
}

} // namespace
} // namespace tarvimo
