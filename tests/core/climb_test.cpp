// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "climb.h"
#include "ride.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <random>
#include <utility>
#include <vector>

namespace tarvimo {
namespace {

// A stretch of road: its length, its gradient in percent, and where it is not the ride's, the
// metres between its points (a long one is a gap in the log).
struct Leg {
    double metres;
    double percent;
    double spacing = 0;
};

// A GPS spike: `points` points from the first at or beyond `at` m read `height` m off.
struct Spike {
    double at;
    double height;
    std::size_t points = 1;
};

struct ClimbCase {
    const char* what;
    std::vector<Leg> legs;
    double start, end;   // m along the track where the proposal should start and end
    double tolerance;    // m either side
    bool rises = true;   // whether a climb is proposed, rather than the whole ride
    double noise = 3;    // m either side, as a GPS gives
    double offset = 0;   // added to every distance and elevation
    double spacing = 15; // m on average between points
    std::vector<Spike> spikes = {};
    std::vector<double> starts = {}; // m: where each climb listed starts, if not just the proposal
};

// The legs, `times` over.
std::vector<Leg> repeated(std::vector<Leg> legs, int times) {
    std::vector<Leg> all;
    for (int i = 0; i < times; ++i) {
        all.insert(all.end(), legs.begin(), legs.end());
    }
    return all;
}

void PrintTo(const ClimbCase& c, std::ostream* os) {
    *os << c.what;
}

struct GeneratedRide {
    Ride ride;
    std::vector<bool> spiked; // by point: whether a spike moved it
};

// Points every 10 to 20 m (or 2/3 to 4/3 of the spacing), elevations off by up to `noise`, then
// the spikes: the same every run.
GeneratedRide rideOf(const ClimbCase& c) {
    std::mt19937 random(15);
    std::uniform_real_distribution<double> noise(-c.noise, c.noise);
    std::vector<RidePoint> points;
    double at = 0, height = 500;
    for (const Leg& leg : c.legs) {
        const double spacing = leg.spacing > 0 ? leg.spacing : c.spacing;
        std::uniform_real_distribution<double> step(spacing * 2 / 3, spacing * 4 / 3);
        for (double along = 0; along < leg.metres; along += step(random)) {
            points.push_back({at + along + c.offset, NAN,
                              height + along * leg.percent / 100 + noise(random) + c.offset});
        }
        at += leg.metres;
        height += leg.metres * leg.percent / 100;
    }
    points.push_back({at + c.offset, NAN, height + c.offset});
    GeneratedRide result{{}, std::vector<bool>(points.size())};
    for (const Spike& spike : c.spikes) {
        std::size_t i = 0;
        while (i < points.size() && points[i].trackDistance < spike.at + c.offset) {
            ++i;
        }
        for (std::size_t j = i; j < std::min(i + spike.points, points.size()); ++j) {
            points[j].elevation += spike.height;
            result.spiked[j] = true;
        }
    }
    for (const RidePoint& point : points) {
        result.ride.append(point);
    }
    return result;
}

// A ride with GPS noise whose climbs start at `starts` (m), the one proposed spanning start..end
// (the whole ride where there is none), all within 100 m.
ClimbCase climbs(const char* what, std::vector<Leg> legs, std::vector<double> starts, double start,
                 double end) {
    return {.what = what,
            .legs = std::move(legs),
            .start = start,
            .end = end,
            .tolerance = 100,
            .rises = !starts.empty(),
            .starts = std::move(starts)};
}

class FindClimb : public testing::TestWithParam<ClimbCase> {};

TEST_P(FindClimb, ProposesTheClimbARiderWould) {
    const auto& c = GetParam();
    const auto [ride, spiked] = rideOf(c);
    const ClimbProposal proposal = proposeClimb(ride);
    const Climb& climb = proposal.stretch;
    EXPECT_EQ(climb.rises, c.rises);
    EXPECT_EQ(proposal.proposed.has_value(), c.rises);
    EXPECT_NEAR(ride.distance(climb.first) - c.offset, c.start, c.tolerance);
    EXPECT_NEAR(ride.distance(climb.last) - c.offset, c.end, c.tolerance);
    EXPECT_FALSE(spiked[climb.first]) << "starts on a spike";
    EXPECT_FALSE(spiked[climb.last]) << "ends on a spike";
    const std::vector<double> starts = !c.starts.empty() ? c.starts
                                       : c.rises         ? std::vector{c.start}
                                                         : std::vector<double>{};
    ASSERT_EQ(proposal.climbs.size(), starts.size());
    std::size_t before = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const Climb& listed = proposal.climbs[i];
        EXPECT_NEAR(ride.distance(listed.first) - c.offset, starts[i], c.tolerance) << i;
        EXPECT_TRUE(i == 0 || listed.first > before) << "in order, not overlapping";
        before = listed.last;
        // The figures the window shows for it count as a climb.
        const Stretch shown = ride.stretch(listed.first, listed.last);
        EXPECT_TRUE(listed.length == shown.distance && listed.gain == shown.gain) << i;
        EXPECT_TRUE(listed.length >= 500 && listed.gain >= 30 && listed.gradient >= 3) << i;
        EXPECT_DOUBLE_EQ(listed.score, listed.length * listed.gradient);
        EXPECT_EQ(listed.category, categoryOf(listed.score));
        EXPECT_FALSE(spiked[listed.first] || spiked[listed.last]) << i << " ends on a spike";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FindClimb,
    testing::Values(
        ClimbCase{"a track that only climbs is climbed whole", {{3000, 6}}, 0, 3000, 60},
        ClimbCase{
            "a flat approach is left out", {{4000, 0}, {2000, 7}, {1500, -6}}, 4000, 6000, 150},
        ClimbCase{"a descent before starts the climb at the valley's bottom",
                  {{1500, -5}, {2500, 6}, {500, -4}},
                  1500,
                  4000,
                  100},
        ClimbCase{"a dip of 10 m is climbed through",
                  {{1000, 0}, {1500, 7}, {200, -5}, {1500, 7}},
                  1000,
                  4200,
                  150},
        ClimbCase{.what = "of two climbs the later, higher one from its foot",
                  .legs = {{2000, 8}, {1500, -8}, {3000, 7}},
                  .start = 3500,
                  .end = 6500,
                  .tolerance = 100,
                  .starts = {0, 3500}},
        ClimbCase{.what = "of two climbs the first, higher one",
                  .legs = {{3000, 8}, {1500, -8}, {1500, 7}},
                  .start = 0,
                  .end = 3000,
                  .tolerance = 100,
                  .starts = {0, 4500}},
        ClimbCase{"a flat ride is proposed whole", {{5000, 0}}, 0, 5000, 0, false},
        ClimbCase{"a descending ride is proposed whole", {{3000, -5}}, 0, 3000, 0, false},
        ClimbCase{"a ride from its highest point: the climb back up",
                  {{1000, -8}, {1500, 5}},
                  1000,
                  2500,
                  100},
        ClimbCase{"level without noise is proposed whole", {{2000, 0}}, 0, 2000, 0, false, 0},
        ClimbCase{"a level top ends the climb where it is reached",
                  {{1000, 6}, {1000, 0}},
                  0,
                  1000,
                  15,
                  true,
                  0},
        ClimbCase{"distances and elevations of a million metres",
                  {{4000, 0}, {2000, 7}},
                  4000,
                  6000,
                  150,
                  true,
                  3,
                  1e6},
        ClimbCase{"one point", {}, 0, 0, 0, false},
        ClimbCase{"two points 10 m apart: too short a climb, proposed whole",
                  {{10, 100}},
                  0,
                  10,
                  0,
                  false,
                  0,
                  0,
                  100},
        // Quadratic work would run for hours on either of these.
        ClimbCase{"a million points", {{1.5e7, 5}}, 0, 1.5e7, 100},
        ClimbCase{"a million points at one place", {{1, 0}}, 0, 1, 1, false, 3, 0, 1e-6},
        ClimbCase{.what = "a spike of 45 m on the top is not the summit",
                  .legs = {{1000, 0}, {2000, 6}, {1500, -5}},
                  .start = 1000,
                  .end = 3000,
                  .tolerance = 100,
                  .spikes = {{2990, 45, 2}}},
        ClimbCase{.what = "three readings 40 m low at the first points: the climb starts after",
                  .legs = {{3000, 6}},
                  .start = 0,
                  .end = 3000,
                  .tolerance = 60,
                  .spikes = {{0, -40, 3}}},
        ClimbCase{.what = "a flat ride ending on a spike is proposed whole but that point",
                  .legs = {{5000, 0}},
                  .start = 0,
                  .end = 5000,
                  .tolerance = 30,
                  .rises = false,
                  .spikes = {{5000, 40}}},
        ClimbCase{.what = "a spike of 60 m down mid-climb is climbed through",
                  .legs = {{1000, 0}, {3000, 6}, {1000, -5}},
                  .start = 1000,
                  .end = 4000,
                  .tolerance = 150,
                  .spacing = 40,
                  .spikes = {{2500, -60, 5}}},
        ClimbCase{.what = "a real ramp of 150 m at 12 % and back down ends a climb, not a spike",
                  .legs = {{1500, 0}, {1000, 4}, {150, 12}, {150, -12}, {1500, 0}},
                  .start = 1500,
                  .end = 2650,
                  .tolerance = 45,
                  .spacing = 25},
        ClimbCase{.what = "a sparse lake ride with a 5 km gap and spikes: the real climb",
                  .legs = {{1500, 0},
                           {800, 2.5},
                           {1000, -2},
                           {5000, 0, 1e4},
                           {1200, 4},
                           {1200, -4},
                           {2900, 0}},
                  .start = 8300,
                  .end = 9500,
                  .tolerance = 200,
                  .spacing = 30,
                  .spikes = {{600, 20}, {1900, -25, 2}, {8300, -35}, {9450, 30}, {12000, 45, 3}}},
        climbs("a gentle approach is no part of the climb", {{1000, 0.5}, {4000, 7.5}}, {1000},
               1000, 5000),
        climbs("a flat ride of 76 km rising 95 m has no climb: proposed whole",
               repeated({{3000, 0.5}, {1000, -1}}, 19), {}, 0, 76000),
        climbs("two climbs, the second 5 m higher: both, the second proposed",
               {{1000, 0}, {3000, 6}, {1000, -6}, {1000, 6.5}}, {1000, 5000}, 5000, 6000),
        climbs("two climbs, the first 5 m higher: both, the first proposed",
               {{1000, 0}, {3000, 6}, {1000, -6}, {1000, 5.5}}, {1000, 5000}, 1000, 4000),
        climbs("a dip of 30 m is too deep: two climbs",
               {{1000, 0}, {1500, 6}, {600, -5}, {1500, 6}}, {1000, 3100}, 3100, 4600),
        climbs("a dip of 14 m after 16 m up is too deep: the climb starts after it",
               {{1000, 0}, {800, 2}, {1400, -1}, {2000, 7}}, {3200}, 3200, 5200),
        climbs("highest after a gentle rise: the climb of highest score, not top",
               {{1000, 0}, {1500, 6}, {500, -6}, {1000, 4}, {1000, -4}, {10000, 1.2}}, {1000, 3000},
               1000, 2500)));

// ---- categories ----

struct Threshold {
    double score;
    const char* at;    // the category of a climb scoring exactly that
    const char* above; // of one scoring a hair more
};

// Each threshold belongs to the category below it; just above it, to its own.
TEST(Categories, FollowTheScore) {
    EXPECT_STREQ(categoryText(categoryOf(0)), "");
    for (const Threshold& t :
         {Threshold{8000, "", "4ª"}, Threshold{16000, "4ª", "3ª"}, Threshold{32000, "3ª", "2ª"},
          Threshold{64000, "2ª", "1ª"}, Threshold{80000, "1ª", "HC"}}) {
        EXPECT_STREQ(categoryText(categoryOf(t.score)), t.at) << t.score;
        EXPECT_STREQ(categoryText(categoryOf(std::nextafter(t.score, 1e9))), t.above) << t.score;
    }
}

// ---- the columns' rules ----

RidePoint at(double track, double recorded, double elevation, double time = NAN, double power = NAN,
             double cadence = NAN) {
    return {track, recorded, elevation, time, power, cadence};
}

Stretch figures(double distance, double gain, std::optional<double> seconds = {},
                std::optional<double> power = {}, std::optional<double> cadence = {}) {
    return {distance, gain, seconds, power, cadence};
}

struct StretchCase {
    const char* what;
    std::size_t first, last, outOfOrder;
    Stretch expected;
    std::vector<RidePoint> points;
};

// A function, not braces, so that the rows stay short.
StretchCase row(const char* what, std::size_t first, std::size_t last, std::size_t outOfOrder,
                Stretch expected, std::vector<RidePoint> points) {
    return {what, first, last, outOfOrder, expected, std::move(points)};
}

void PrintTo(const StretchCase& c, std::ostream* os) {
    *os << c.what;
}

class RideStretch : public testing::TestWithParam<StretchCase> {};

TEST_P(RideStretch, GivesTheFiguresOfTheStretch) {
    const auto& c = GetParam();
    Ride ride;
    for (const auto& point : c.points) {
        ride.append(point);
    }
    const Stretch s = ride.stretch(c.first, c.last);
    EXPECT_DOUBLE_EQ(s.distance, c.expected.distance);
    EXPECT_DOUBLE_EQ(s.gain, c.expected.gain);
    EXPECT_EQ(s.seconds, c.expected.seconds);
    EXPECT_EQ(s.averagePower, c.expected.averagePower);
    EXPECT_EQ(s.averageCadence, c.expected.averageCadence);
    EXPECT_EQ(ride.timesOutOfOrder(), c.outOfOrder);
    const double end = ride.distance(std::min(c.last, ride.size() - 1));
    EXPECT_EQ(ride.distance(ride.pointAtDistance(end - 0.5)), end);
    EXPECT_EQ(ride.pointAtDistance(end + 1e9), ride.size() - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RideStretch,
    testing::Values(
        row("recorded distances, times, power and cadence everywhere", 1, 2, 0,
            figures(11, 2, 4.0, 275.0, 87.5),
            {at(0, 0, 100, 0, 200, 80), at(9, 10, 101, 5, 300, 90), at(18, 21, 103, 9, 250, 85)}),
        row("a point without recorded distance: the track's in its stretch", 0, 3, 0,
            figures(30, 4), {at(0, 0, 100), at(9, NAN, 101), at(18, 21, 103), at(30, 32, 104)}),
        row("...but the recorded one in a stretch without it", 2, 3, 0, figures(11, 1),
            {at(0, 0, 100), at(9, NAN, 101), at(18, 21, 103), at(30, 32, 104)}),
        row("a time going backwards counts as missing", 0, 2, 1, figures(2, 0, 10.0),
            {at(0, NAN, 1, 100), at(1, NAN, 1, 90), at(2, NAN, 1, 110)}),
        row("a repeated time is kept: no time elapses", 0, 1, 0, figures(1, 0, 0.0),
            {at(0, NAN, 1, 100), at(1, NAN, 1, 100)}),
        row("untimed ends: from the first to the last timed point inside", 0, 4, 0,
            figures(4, 0, 20.0),
            {at(0, NAN, 1), at(1, NAN, 1, 10), at(2, NAN, 1), at(3, NAN, 1, 30), at(4, NAN, 1)}),
        row("no timed point in the stretch: no time", 1, 2, 0, figures(1, 0),
            {at(0, NAN, 1, 10), at(1, NAN, 1), at(2, NAN, 1), at(3, NAN, 1, 30)}),
        row("power only where recorded, none is none", 0, 4, 0, figures(4, 0, {}, 150.0),
            {at(0, NAN, 1, NAN, NAN), at(1, NAN, 1, NAN, 200), at(2, NAN, 1, NAN, NAN),
             at(3, NAN, 1, NAN, 100), at(4, NAN, 1)}),
        row("no elevation: the point is left out; no distance: the previous one", 0, 2, 0,
            figures(7, 3), {at(0, NAN, 1), at(5, NAN, NAN), at(NAN, NAN, 2), at(7, NAN, 4)}),
        row("indices past the end count as the last point", 7, 9, 0, figures(0, 0),
            {at(0, NAN, 1), at(5, NAN, 2)})));

} // namespace
} // namespace tarvimo
