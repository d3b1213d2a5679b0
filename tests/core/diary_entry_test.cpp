// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculation.h"
#include "diary_entry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tarvimo {
namespace {

using enum Field;

struct EntryCase {
    const char* what;
    NumberSettings settings;
    bool calculated;
    std::map<Field, std::string> edits;
    std::vector<std::pair<double DiaryEntry::*, double>> expected; // NaN: no number
};

template <class Case>
requires requires(Case c) {
    c.what;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.what;
}

class MakeDiaryEntry : public testing::TestWithParam<EntryCase> {};

TEST_P(MakeDiaryEntry, ReadsTheNumbersAsTheCalculationDoes) {
    const auto& c = GetParam();
    FieldSheet sheet;
    for (const auto& [field, text] : c.edits) {
        sheet.setText(field, text);
    }
    if (c.calculated) {
        calculate(sheet, c.settings);
    }
    const DiaryEntry entry = makeDiaryEntry(sheet, c.settings, 1796794200);
    EXPECT_EQ(entry.savedAt, 1796794200);
    EXPECT_EQ(entry.id, 0);
    for (const auto& info : allFields()) {
        EXPECT_EQ(entry.text(info.field), sheet.text(info.field)) << info.name;
    }
    for (const auto& [member, value] : c.expected) {
        if (std::isnan(value)) {
            EXPECT_TRUE(std::isnan(entry.*member)) << entry.*member;
        } else {
            EXPECT_DOUBLE_EQ(entry.*member, value);
        }
    }
    EXPECT_TRUE(entry.rideFile.empty() && std::isnan(entry.stretchFrom));
}

using E = DiaryEntry;
const std::vector<std::pair<double E::*, double>> defaultNumbers{
    {&E::totalPower, 234.6}, {&E::wattsPerKg, 3.9}, {&E::vam, 1150}, {&E::speed, 12.75},
    {&E::seconds, 1440},     {&E::length, 5100},    {&E::gain, 460}};

INSTANTIATE_TEST_SUITE_P(
    Cases, MakeDiaryEntry,
    testing::Values(
        EntryCase{"default sheet, comma setting: total '234,6', others with '.'",
                  NumberSettings::italian(),
                  true,
                  {},
                  defaultNumbers},
        EntryCase{"default sheet, point setting: the same numbers",
                  NumberSettings::dotDecimal(),
                  true,
                  {},
                  defaultNumbers},
        EntryCase{"22:30 gives the fifteen-digit VAM and 1350 s",
                  NumberSettings::italian(),
                  true,
                  {{scegliminuti, "22"}, {sceglisecondi, "30"}},
                  {{&E::vam, 1226.66666666667}, {&E::seconds, 1350}}},
        EntryCase{"empty seconds count as 0, as in the calculation",
                  NumberSettings::italian(),
                  true,
                  {{sceglisecondi, ""}},
                  {{&E::seconds, 1440}}},
        EntryCase{"inputs not yet normalised: '5100,5' is 5100.5, results empty are NaN",
                  NumberSettings::italian(),
                  false,
                  {{sceglilunghezza, "5100,5"}, {sceglidislivello, " -4,5e2"}},
                  {{&E::length, 5100.5}, {&E::gain, -450}, {&E::totalPower, NAN}, {&E::vam, NAN}}},
        EntryCase{
            "texts without a number give NaN, not the parser's 0",
            NumberSettings::italian(),
            false,
            {{sceglidislivello, "abc"},
             {scegliminuti, "-"},
             {sceglisecondi, ","},
             {mostraptot, "x1"},
             {mostrawkg, "1e999"}},
            {{&E::gain, NAN}, {&E::seconds, NAN}, {&E::totalPower, NAN}, {&E::wattsPerKg, NAN}}},
        EntryCase{"a leading number is read as the calculation reads it: '2 4 min' is 24 minutes",
                  NumberSettings::italian(),
                  false,
                  {{scegliminuti, "2 4 min"}, {mostraVAM, "1150 m/h"}, {mostraptot, ",5"}},
                  {{&E::seconds, 1440}, {&E::vam, 1150}, {&E::totalPower, 0.5}}}));

struct DayCase {
    const char* what;
    const char* text;
    std::optional<int> day;
};

class ClimbDay : public testing::TestWithParam<DayCase> {};

TEST_P(ClimbDay, ReadsTheDate) {
    DiaryEntry entry;
    entry.texts[static_cast<std::size_t>(sceglidata)] = GetParam().text;
    EXPECT_EQ(climbDay(entry), GetParam().day);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClimbDay,
    testing::Values(DayCase{"the default date", "25-08-2002", 11924},
                    DayCase{"the first day counts 0", "01-01-1970", 0},
                    DayCase{"days before 1970 are negative", "31-12-1969", -1},
                    DayCase{"one digit for day and month", "1-1-1970", 0},
                    DayCase{"slashes", "25/08/2002", 11924},
                    DayCase{"dots as separators", "25.08.2002", 11924},
                    DayCase{"blanks around", " \t25-08-2002 ", 11924},
                    DayCase{"29 February of a leap year", "29-02-2024", 19782},
                    DayCase{"29 February of a common year", "29-02-2023", std::nullopt},
                    DayCase{"31 February", "31-02-2026", std::nullopt},
                    DayCase{"month 13", "01-13-2026", std::nullopt},
                    DayCase{"two separators differ", "25-08/2002", std::nullopt},
                    DayCase{"two-digit year", "25-08-02", std::nullopt},
                    DayCase{"text after the year", "25-08-2002x", std::nullopt},
                    DayCase{"empty", "", std::nullopt}));

} // namespace
} // namespace tarvimo
