// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculation.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace tarvimo {
namespace {

using enum Field;
using Texts = std::map<Field, std::string>;

const NumberSettings italian = NumberSettings::italian();
const NumberSettings dot = NumberSettings::dotDecimal();

FieldSheet sheetWith(const Texts& edits) {
    FieldSheet sheet;
    for (const auto& [field, text] : edits) {
        sheet.setText(field, text);
    }
    return sheet;
}

const Texts defaultResults{
    {mostrapgrav, "222.3"}, {mostraVmedia, "12.75"}, {mostrapaero, "8.9"}, {mostrapatt, "3.4"},
    {mostrawkg, "3.9"},     {mostrapmedia, "9.02"},  {mostraPPM, "58"},    {mostraVAM, "1150"},
    {mostraCoppia, "38.6"}, {mostraFmax, "43.4"},
};

// ---- runs that succeed ----

struct RunCase {
    const char* what;
    NumberSettings settings;
    Texts edits;
    Texts expected; // only the fields listed are checked
};

void PrintTo(const RunCase& c, std::ostream* os) {
    *os << c.what;
}

Texts withTotal(const std::string& total, Texts texts = defaultResults) {
    texts[mostraptot] = total;
    return texts;
}

class Calculation : public testing::TestWithParam<RunCase> {};

TEST_P(Calculation, WritesTheResults) {
    const auto& c = GetParam();
    FieldSheet sheet = sheetWith(c.edits);
    calculate(sheet, c.settings);
    for (const auto& [field, text] : c.expected) {
        EXPECT_EQ(sheet.text(field), text) << fieldInfo(field).name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Calculation,
    testing::Values(
        RunCase{
            "default sheet, comma setting: total keeps its comma", italian, {}, withTotal("234,6")},
        RunCase{"default sheet, point setting: same results", dot, {}, withTotal("234.6")},
        RunCase{"inputs are normalised",
                italian,
                {},
                {{scegliA, "0.2"}, {scegliF, "0.005"}, {massac, "60"}}},
        RunCase{"22:30 gives a fifteen-digit VAM",
                italian,
                {{scegliminuti, "22"}, {sceglisecondi, "30"}},
                {{mostraVAM, "1226.66666666667"}, {mostraPPM, "62"}}},
        RunCase{"fractional seconds reach gravity power whole",
                italian,
                {{sceglisecondi, "59,9"}},
                // 71 * 9.8 * 460 / 1499.9 = 213.39, where 1499 s would give 213.52
                {{sceglisecondi, "59.9"}, {mostrapgrav, "213.4"}}},
        RunCase{"sub-second time is not a division by zero",
                italian,
                {{scegliminuti, "0"}, {sceglisecondi, "0,5"}},
                {{mostrapgrav, "640136"}}},
        RunCase{"a 28-inch wheel changes cadence, not friction",
                italian,
                {{scegliruote, "28"}},
                {{mostraPPM, "54"}, {mostrapatt, "3.4"}}},
        RunCase{"wheel diameter with the comma setting's separator",
                italian,
                {{scegliruote, "26,0"}},
                {{mostraPPM, "58"}}},
        RunCase{
            "identification texts never change",
            italian,
            {{sceglidata, "1,2,3"}, {sceglinomebici, "Stelvio, 2758"}, {sceglinomeciclista, ""}},
            {{sceglidata, "1,2,3"}, {sceglinomebici, "Stelvio, 2758"}, {sceglinomeciclista, ""}}},
        RunCase{"wheel and crank texts are not normalised",
                italian,
                {{scegliruote, " 26 "}, {sceglipedivelle, "170,5"}},
                {{scegliruote, " 26 "}, {sceglipedivelle, "170,5"}}},
        RunCase{"user text in result fields is overwritten before it is read",
                italian,
                {{mostrapatt, "9999"}, {mostraptot, "abc"}, {mostraPPM, "0"}, {mostraCoppia, "x"}},
                withTotal("234,6")},
        RunCase{"negative gain flows through",
                italian,
                {{sceglidislivello, "-460"}},
                {{mostrapgrav, "-222.3"}, {mostrapmedia, "-9.02"}, {mostraVAM, "-1150"}}},
        RunCase{"a huge gain gives an exponent-form VAM with a point",
                italian,
                {{sceglidislivello, "4e18"}},
                {{mostraVAM, "1E+19"}}}));

TEST(CalculationRepeat, SecondRunGivesTheSameTexts) {
    for (const auto& settings : {italian, dot}) {
        FieldSheet sheet;
        calculate(sheet, settings);
        FieldSheet again = sheet;
        calculate(again, settings);
        for (const auto& info : allFields()) {
            EXPECT_EQ(again.text(info.field), sheet.text(info.field)) << info.name;
        }
    }
}

TEST(CalculationListener, EveryChangeIsSeenInOrder) {
    FieldSheet sheet;
    std::vector<std::string> seen;
    sheet.setListener([&](Field field, const std::string& text) {
        seen.push_back(std::string(fieldInfo(field).name) + "=" + text);
    });
    calculate(sheet, italian);
    // Two inputs hold a comma, eleven results are written and eight of them then lose theirs.
    ASSERT_EQ(seen.size(), 2u + 11u + 8u);
    EXPECT_EQ(seen[0], "scegliA=0.2");
    EXPECT_EQ(seen[1], "scegliF=0.005");
    EXPECT_EQ(seen[2], "mostrapgrav=222,3");
    EXPECT_EQ(seen[5], "mostrapatt=3,4");
    EXPECT_EQ(seen[6], "mostraptot=234,6");
    EXPECT_EQ(seen.back(), "mostraCoppia=38.6");
}

// ---- runs that stop with an error ----

struct FailCase {
    const char* what;
    Texts edits;
    ErrorKind kind;
    Stage stage;
    std::optional<Field> lastWritten; // the last result written before the failing stage
};

void PrintTo(const FailCase& c, std::ostream* os) {
    *os << c.what;
}

class CalculationFailure : public testing::TestWithParam<FailCase> {};

// The results in the order they are written.
const std::vector<Field> writeOrder{mostrapgrav, mostraVmedia, mostrapaero,  mostrapatt,
                                    mostraptot,  mostrawkg,    mostrapmedia, mostraPPM,
                                    mostraVAM,   mostraCoppia, mostraFmax};

TEST_P(CalculationFailure, StopsAtItsStageAndKeepsEarlierWrites) {
    const auto& c = GetParam();
    Texts edits = c.edits;
    for (Field f : writeOrder) {
        edits.try_emplace(f, "prima");
    }
    FieldSheet sheet = sheetWith(edits);
    try {
        calculate(sheet, italian);
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), c.kind);
        EXPECT_EQ(error.stage(), c.stage);
        EXPECT_NE(std::string(error.what()).find(stageDescription(c.stage)), std::string::npos);
    }
    EXPECT_EQ(sheet.text(scegliA), "0.2") << "inputs are normalised before any step";
    bool written = c.lastWritten.has_value();
    for (Field f : writeOrder) {
        if (written) {
            EXPECT_NE(sheet.text(f), "prima") << fieldInfo(f).name << " should be written";
        } else {
            EXPECT_EQ(sheet.text(f), "prima") << fieldInfo(f).name << " should be untouched";
        }
        if (f == c.lastWritten) {
            written = false;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalculationFailure,
    testing::Values(FailCase{"time zero",
                             {{scegliminuti, "0"}, {sceglisecondi, ""}},
                             ErrorKind::DivisionByZero,
                             Stage::GravityPower,
                             std::nullopt},
                    FailCase{"time zero and gain zero",
                             {{scegliminuti, ""}, {sceglidislivello, "0"}},
                             ErrorKind::InvalidOperation,
                             Stage::GravityPower,
                             std::nullopt},
                    FailCase{
                        "time zero and no mass",
                        {{scegliminuti, "0"}, {massac, "0"}, {massabici, "0"}, {altramassa, "0"}},
                        ErrorKind::InvalidOperation,
                        Stage::GravityPower,
                        std::nullopt},
                    FailCase{"empty wheel diameter",
                             {{scegliruote, ""}},
                             ErrorKind::TypeMismatch,
                             Stage::WheelRadius,
                             mostrapaero},
                    FailCase{"unreadable wheel diameter",
                             {{scegliruote, "26 pollici"}},
                             ErrorKind::TypeMismatch,
                             Stage::WheelRadius,
                             mostrapaero},
                    FailCase{"wheel diameter zero",
                             {{scegliruote, "0"}},
                             ErrorKind::DivisionByZero,
                             Stage::FrictionPower,
                             mostrapaero},
                    FailCase{"rider's mass zero",
                             {{massac, "0"}},
                             ErrorKind::DivisionByZero,
                             Stage::PowerPerKg,
                             mostraptot},
                    FailCase{"rider's mass empty",
                             {{massac, ""}},
                             ErrorKind::DivisionByZero,
                             Stage::PowerPerKg,
                             mostraptot},
                    FailCase{"length zero",
                             {{sceglilunghezza, "0"}},
                             ErrorKind::DivisionByZero,
                             Stage::Gradient,
                             mostrawkg},
                    FailCase{"no chainring teeth",
                             {{sceglicorona, "0"}},
                             ErrorKind::DivisionByZero,
                             Stage::Cadence,
                             mostrapmedia},
                    FailCase{"cadence shown as zero",
                             {{sceglipignone, "0,001"}},
                             ErrorKind::DivisionByZero,
                             Stage::Torque,
                             mostraVAM},
                    FailCase{"crank length zero",
                             {{sceglipedivelle, "0"}},
                             ErrorKind::DivisionByZero,
                             Stage::PeakForce,
                             mostraCoppia},
                    FailCase{"masses overflow",
                             {{massac, "1e308"}, {massabici, "1e308"}},
                             ErrorKind::Overflow,
                             Stage::TotalMass,
                             std::nullopt},
                    FailCase{"minutes overflow",
                             {{scegliminuti, "1e307"}},
                             ErrorKind::Overflow,
                             Stage::TotalTime,
                             std::nullopt},
                    FailCase{"a mass beyond range",
                             {{altramassa, "1e400"}},
                             ErrorKind::Overflow,
                             Stage::TotalMass,
                             std::nullopt},
                    FailCase{"air power overflows",
                             {{sceglilunghezza, "1e200"}},
                             ErrorKind::Overflow,
                             Stage::AirPower,
                             mostraVmedia}));

// ---- any sheet ----

TEST(CalculationProperty, RandomSheetsGiveResultsOrOneNamedError) {
    const std::vector<std::string> pieces{
        "",     "0", "1", "-1", "60", "0,2", "0.005", "26",  "1e9", "abc", " ",
        "1e-9", ",", ".", "e",  "-0", "3,5", "1e308", "7.5", "1 2", "\t",  "1e400"};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 3);
    int completed = 0;
    for (int run = 0; run < 5000; ++run) {
        FieldSheet sheet;
        for (const auto& info : allFields()) {
            if (length(random) == 0) {
                continue;
            }
            std::string text;
            for (int i = length(random); i >= 0; --i) {
                text += pieces[pick(random)];
            }
            sheet.setText(info.field, text);
        }
        const auto& settings = run % 2 ? italian : dot;
        bool ok = true;
        try {
            calculate(sheet, settings);
            ++completed;
        } catch (const RuntimeError& error) {
            ok = false;
            EXPECT_NE(error.stage(), Stage::None);
        }
        for (Field f : writeOrder) {
            const auto& text = sheet.text(f);
            EXPECT_EQ(text.find("Inf"), std::string::npos) << text;
            EXPECT_EQ(text.find("NaN"), std::string::npos) << text;
            if (ok) {
                EXPECT_FALSE(text.empty()) << fieldInfo(f).name;
            }
        }
    }
    EXPECT_GT(completed, 0);
}

} // namespace
} // namespace tarvimo
