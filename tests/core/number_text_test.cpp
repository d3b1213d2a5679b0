// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "number_text.h"
#include "runtime_error.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace tarvimo {
namespace {

const NumberSettings italian = NumberSettings::italian();
const NumberSettings dot = NumberSettings::dotDecimal();

// ---- leadingNumber ----

struct LeadingCase {
    const char* what;
    std::string text;
    double expected;
};

void PrintTo(const LeadingCase& c, std::ostream* os) {
    *os << c.what;
}

class LeadingNumber : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumber, ReadsTheNumberAtTheStart) {
    const auto& c = GetParam();
    const double value = leadingNumber(c.text);
    EXPECT_EQ(value, c.expected) << c.what;
    EXPECT_EQ(std::signbit(value), std::signbit(c.expected)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadingNumber,
    testing::Values(LeadingCase{"blanks anywhere are dropped", "  12  34 ", 1234},
                    LeadingCase{"tabs and line feeds are dropped too", "1\t5\n0", 150},
                    LeadingCase{"letters end the number", "12abc", 12},
                    LeadingCase{"exponent with sign", "-0.5e1", -5},
                    LeadingCase{"a second point ends the number", "1.2.3", 1.2},
                    LeadingCase{"empty text is zero", "", 0},
                    LeadingCase{"no digits at the start is zero", "abc", 0},
                    LeadingCase{"a comma is not a decimal point", "0,005", 0},
                    LeadingCase{"a comma ends the integer part", "222,3", 222},
                    LeadingCase{"a leading comma is zero", ",5", 0},
                    LeadingCase{"the same text after comma-to-dot", "0.005", 0.005},
                    LeadingCase{"fraction without integer digits", ".5", 0.5},
                    LeadingCase{"point without fraction digits", "7.", 7},
                    LeadingCase{"D is an exponent letter", "2D3", 2000},
                    LeadingCase{"lower-case d too", "2d-1", 0.2},
                    LeadingCase{"exponent letter without digits is ignored", "3e", 3},
                    LeadingCase{"exponent sign without digits is ignored", "3e+x", 3},
                    LeadingCase{"blanks inside the exponent", "1 e 2", 100},
                    LeadingCase{"plus sign", "+8", 8}, LeadingCase{"sign alone is zero", "-", 0},
                    LeadingCase{"negative zero keeps its sign", "-0", -0.0},
                    LeadingCase{"carriage return is not a blank", "1\r2", 1},
                    LeadingCase{"infinity words are not numbers", "inf", 0},
                    LeadingCase{"hexadecimal is not read", "0x1A", 0},
                    LeadingCase{"too small becomes zero", "1e-400", 0},
                    LeadingCase{"a zero with a huge exponent is zero", "0e99999999999999999999", 0},
                    LeadingCase{"largest double", "1.7976931348623157e308", 1.7976931348623157e308},
                    LeadingCase{"upper-case exponent", "1.5E3", 1500},
                    LeadingCase{"negative fraction without integer digits", "-.5", -0.5},
                    LeadingCase{"trailing blank", "42 ", 42},
                    LeadingCase{"blank before the fraction", "4 .5", 4.5},
                    LeadingCase{"letters after the exponent", "12e5x", 1200000},
                    LeadingCase{"exponent with plus sign", "1e+05", 100000},
                    LeadingCase{"plus sign before blanks", "+ 7", 7},
                    LeadingCase{"many digits round correctly",
                                "0.1000000000000000055511151231257827", 0.1}));

struct OverflowCase {
    const char* what;
    std::string text;
};

void PrintTo(const OverflowCase& c, std::ostream* os) {
    *os << c.what;
}

class LeadingNumberOverflow : public testing::TestWithParam<OverflowCase> {};

TEST_P(LeadingNumberOverflow, RaisesOverflow) {
    try {
        leadingNumber(GetParam().text);
        ADD_FAILURE() << "no error for " << GetParam().what;
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LeadingNumberOverflow,
                         testing::Values(OverflowCase{"exponent beyond range", "1e400"},
                                         OverflowCase{"negative beyond range", "-2e308"},
                                         OverflowCase{"huge exponent", "1e99999999999999999999"},
                                         OverflowCase{"310 integer digits",
                                                      std::string(310, '9')}));

// ---- localeNumber ----

struct LocaleCase {
    const char* what;
    std::string text;
    NumberSettings settings;
    std::optional<double> expected; // nullopt: Type mismatch
};

void PrintTo(const LocaleCase& c, std::ostream* os) {
    *os << c.what;
}

class LocaleNumber : public testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleNumber, ReadsOrRejects) {
    const auto& c = GetParam();
    if (c.expected) {
        EXPECT_EQ(localeNumber(c.text, c.settings), *c.expected) << c.what;
        return;
    }
    try {
        localeNumber(c.text, c.settings);
        ADD_FAILURE() << "no error for " << c.what;
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocaleNumber,
    testing::Values(LocaleCase{"integer", "233", italian, 233},
                    LocaleCase{"comma decimal in the Italian setting", "234,6", italian, 234.6},
                    LocaleCase{"point is grouping in the Italian setting", "26.5", italian, 265},
                    LocaleCase{"grouped thousands", "1.234,5", italian, 1234.5},
                    LocaleCase{"point decimal in the dot setting", "26.5", dot, 26.5},
                    LocaleCase{"comma is grouping in the dot setting", "1,234.5", dot, 1234.5},
                    LocaleCase{"surrounding spaces", "  26 ", italian, 26},
                    LocaleCase{"sign", "-3,5", italian, -3.5},
                    LocaleCase{"exponent", "1,5E-05", italian, 1.5e-05},
                    LocaleCase{"exponent form of a large total", "1E+15", italian, 1e15},
                    LocaleCase{"fraction only", ",5", italian, 0.5},
                    LocaleCase{"trailing separator", "26,", italian, 26},
                    LocaleCase{
                        "non-breaking space grouping", "1\u00a0234,5", {",", "\u00a0"}, 1234.5},
                    LocaleCase{"empty text", "", italian, std::nullopt},
                    LocaleCase{"blank text", "   ", italian, std::nullopt},
                    LocaleCase{"letters", "abc", italian, std::nullopt},
                    LocaleCase{"trailing letters", "26x", italian, std::nullopt},
                    LocaleCase{"inner space", "2 6", italian, std::nullopt},
                    LocaleCase{"grouping before any digit", ".5", italian, std::nullopt},
                    LocaleCase{"exponent without digits", "2E", italian, std::nullopt},
                    LocaleCase{"two decimal separators", "1,2,3", italian, std::nullopt},
                    LocaleCase{"sign alone", "-", italian, std::nullopt}));

TEST(LocaleNumberRange, RaisesOverflowBeyondRange) {
    try {
        localeNumber("1e400", italian);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Overflow);
    }
}

// ---- numberText ----

struct TextCase {
    const char* what;
    double value;
    NumberSettings settings;
    std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.what;
}

class NumberText : public testing::TestWithParam<TextCase> {};

TEST_P(NumberText, Writes) {
    const auto& c = GetParam();
    EXPECT_EQ(numberText(c.value, c.settings), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberText,
    testing::Values(
        TextCase{"rounding noise disappears", 222.30000000000001, italian, "222,3"},
        TextCase{"a product of 0.1", 0.1 * 2223, italian, "222,3"},
        TextCase{"the same with a point", 0.1 * 2223, dot, "222.3"},
        TextCase{"integer", 1150, italian, "1150"},
        TextCase{"fifteen significant digits", 1226.6666666666667, italian, "1226,66666666667"},
        TextCase{"below one", 0.5, italian, "0,5"}, TextCase{"negative", -3.25, italian, "-3,25"},
        TextCase{"zero", 0.0, italian, "0"}, TextCase{"negative zero", -0.0, italian, "0"},
        TextCase{"largest plain form", 999999999999999, italian, "999999999999999"},
        TextCase{"exponent form from 1E+15", 1e15, italian, "1E+15"},
        TextCase{"rounding up into exponent form", 999999999999999.9, italian, "1E+15"},
        TextCase{"three-digit exponent", 1.5e300, italian, "1,5E+300"},
        TextCase{"small exponent form", 1.5e-05, italian, "1,5E-05"},
        TextCase{"smallest plain form", 0.0001, italian, "0,0001"},
        TextCase{"tiny negative", -2.5e-10, dot, "-2.5E-10"},
        TextCase{"no grouping", 1234567.5, italian, "1234567,5"},
        TextCase{"fraction near the edge", 0.00012345678901234567, italian,
                 "0,000123456789012346"}));

// ---- roundHalfEven ----

struct RoundCase {
    const char* what;
    double value;
    double expected;
};

void PrintTo(const RoundCase& c, std::ostream* os) {
    *os << c.what;
}

class RoundHalfEven : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEven, Rounds) {
    EXPECT_EQ(roundHalfEven(GetParam().value), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundHalfEven,
    testing::Values(RoundCase{"half to even below", 2.5, 2},
                    RoundCase{"half to even above", 3.5, 4}, RoundCase{"negative half", -2.5, -2},
                    RoundCase{"58.5 goes down", 58.5, 58}, RoundCase{"59.5 goes up", 59.5, 60},
                    RoundCase{"just below half", 1274.4999999999998, 1274},
                    RoundCase{"just above half", 2222.5000000000005, 2223},
                    RoundCase{"negative up", -1.7, -2},
                    RoundCase{"large integer unchanged", 9007199254740993.0, 9007199254740993.0}));

// ---- commaToDot and readBack ----

TEST(CommaToDot, ReplacesEveryComma) {
    EXPECT_EQ(commaToDot(",1,,2,"), ".1..2.");
    EXPECT_EQ(commaToDot("nessuna"), "nessuna");
    EXPECT_EQ(leadingNumber(commaToDot("0,005")), 0.005);
}

struct ReadBackCase {
    const char* what;
    double value;
    NumberSettings settings;
};

void PrintTo(const ReadBackCase& c, std::ostream* os) {
    *os << c.what;
}

class ReadBack : public testing::TestWithParam<ReadBackCase> {};

TEST_P(ReadBack, GivesBackWhatNumberTextWrote) {
    const auto& c = GetParam();
    EXPECT_EQ(readBack(numberText(c.value, c.settings), c.settings), c.value) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadBack,
                         testing::Values(ReadBackCase{"comma fraction", 222.3, italian},
                                         ReadBackCase{"point fraction", 222.3, dot},
                                         ReadBackCase{"sub-second time", 0.5, italian},
                                         ReadBackCase{"exponent form", 1.5e-05, italian},
                                         ReadBackCase{"negative", -38.6, italian},
                                         ReadBackCase{
                                             "multi-byte separator", 3.5, {"\u066b", "."}}));

} // namespace
} // namespace tarvimo
