// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace tarvimo {
namespace {

struct AdvanceCase {
    const char* what;
    std::vector<double> times; // one point each, NaN where untimed
    bool advance;
};

void PrintTo(const AdvanceCase& c, std::ostream* os) {
    *os << c.what;
}

class TimesAdvance : public testing::TestWithParam<AdvanceCase> {};

TEST_P(TimesAdvance, SaysWhetherTheRideHasADuration) {
    const auto& c = GetParam();
    Ride ride;
    for (double time : c.times) {
        ride.append({0, NAN, 100, time});
    }
    EXPECT_EQ(ride.timesAdvance(), c.advance);
}

constexpr double placeholder = -2147483648; // 1901-12-13T20:45:52Z

INSTANTIATE_TEST_SUITE_P(
    Times, TimesAdvance,
    testing::Values(
        AdvanceCase{"no times", {NAN, NAN}, false},
        AdvanceCase{
            "the same placeholder on every point", {placeholder, placeholder, placeholder}, false},
        AdvanceCase{"one timed point among untimed ones", {NAN, 100, NAN}, false},
        AdvanceCase{"equal times around untimed points", {100, NAN, 100}, false},
        AdvanceCase{"later times going back count as missing", {100, 90, 80}, false},
        AdvanceCase{"times that advance", {100, 101, 102}, true},
        AdvanceCase{"a repeated first time, then a later one", {100, 100, 160}, true},
        AdvanceCase{"untimed points first, then times that advance", {NAN, NAN, 100, 130}, true}));

struct DateCase {
    const char* what;
    double time;
    bool plausible;
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.what;
}

class RideDate : public testing::TestWithParam<DateCase> {};

constexpr double now = 1780300800; // 2026-06-01T08:00:00Z

TEST_P(RideDate, IsPlausibleFrom1990ToADayAfterNow) {
    EXPECT_EQ(isPlausibleRideTime(GetParam().time, now), GetParam().plausible);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, RideDate,
    testing::Values(DateCase{"the smallest 32-bit time, 1901", placeholder, false},
                    DateCase{"1970-01-01, a zero time", 0, false},
                    DateCase{"1989-12-31T23:59:59Z", 631151999, false},
                    DateCase{"1990-01-01T00:00:00Z", 631152000, true},
                    DateCase{"a ride this morning", now - 3 * 3600, true},
                    DateCase{"a device clock a day ahead", now + 86400, true},
                    DateCase{"more than a day ahead", now + 86401, false},
                    DateCase{"the largest 32-bit time, 2038", 2147483647, false},
                    DateCase{"not a number", NAN, false}));

} // namespace
} // namespace tarvimo
