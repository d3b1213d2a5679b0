// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "climb.h"
#include "ride.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstddef>
#include <random>
#include <utility>
#include <vector>

namespace {

using namespace tarvimo;

constexpr std::size_t million = 1'000'000;

// A ride with every column filled, about 15 km of flat, a long climb, then rolling hills.
RidePoint pointAt(std::size_t i) {
    const double along = 15.0 * static_cast<double>(i);
    const double wiggle = 3.0 * std::sin(static_cast<double>(i) * 0.7);
    const double height = along < 15'000   ? 200
                          : along < 30'000 ? 200 + (along - 15'000) * 0.07
                                           : 1250 + 150 * std::sin(along / 2'000);
    return {along,
            along * 1.001,
            height + wiggle,
            1.7e9 + static_cast<double>(i),
            200 + static_cast<double>(i % 50),
            85 + static_cast<double>(i % 7)};
}

Ride fullRide(std::size_t points) {
    Ride ride;
    ride.reserve(points);
    for (std::size_t i = 0; i < points; ++i) {
        ride.append(pointAt(i));
    }
    ride.shrinkToFit();
    return ride;
}

// Appending a million full points; the counters give the bytes a point before and after
// shrinkToFit(), with the room reserved from an estimate 10 % high, or none at all.
void BM_AppendMillion(benchmark::State& state) {
    const bool reserved = state.range(0) != 0;
    double peak = 0, kept = 0;
    for (auto _ : state) {
        Ride ride;
        if (reserved) {
            ride.reserve(million + million / 10);
        }
        for (std::size_t i = 0; i < million; ++i) {
            ride.append(pointAt(i));
        }
        peak = static_cast<double>(ride.memoryBytes()) / million;
        ride.shrinkToFit();
        kept = static_cast<double>(ride.memoryBytes()) / million;
        benchmark::DoNotOptimize(ride);
    }
    state.counters["bytes_per_point_before_shrink"] = peak;
    state.counters["bytes_per_point"] = kept;
}
BENCHMARK(BM_AppendMillion)->ArgName("reserved")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Flat ground read with GPS noise of up to 3 m either side: a rise and a dip every few points,
// none of them a climb.
Ride noisyFlatRide(std::size_t points) {
    std::mt19937 random(15);
    std::uniform_real_distribution<double> noise(-3, 3);
    Ride ride;
    ride.reserve(points);
    for (std::size_t i = 0; i < points; ++i) {
        ride.append({15.0 * static_cast<double>(i), NAN, 200 + noise(random)});
    }
    return ride;
}

// Every climb of a million points: the ride above (its rolling hills hold about 1,200 climbs),
// and flat noisy ground.
void BM_FindClimbsMillion(benchmark::State& state) {
    const Ride ride = state.range(0) == 0 ? fullRide(million) : noisyFlatRide(million);
    std::size_t found = 0;
    for (auto _ : state) {
        const auto climbs = findClimbs(ride);
        found = climbs.size();
        benchmark::DoNotOptimize(climbs.data());
    }
    state.counters["climbs"] = static_cast<double>(found);
}
BENCHMARK(BM_FindClimbsMillion)
    ->ArgName("noisy_flat")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// What the window asks for: the climbs and the one proposed.
void BM_ProposeClimbMillion(benchmark::State& state) {
    const Ride ride = fullRide(million);
    for (auto _ : state) {
        benchmark::DoNotOptimize(proposeClimb(ride));
    }
}
BENCHMARK(BM_ProposeClimbMillion)->Unit(benchmark::kMillisecond);

// The same ride cut to sizes from 65,536 to a million points, to fit the growth.
void BM_ProposeClimb(benchmark::State& state) {
    const Ride ride = fullRide(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(proposeClimb(ride));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProposeClimb)
    ->RangeMultiplier(4)
    ->Range(1 << 16, 1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// What a moving handle asks for: the figures of a stretch anywhere in a million points. The
// pairs are drawn beforehand, more of them than the caches hold rows for.
void BM_StretchMillion(benchmark::State& state) {
    const Ride ride = fullRide(million);
    std::mt19937 random(15);
    std::uniform_int_distribution<std::size_t> index(0, million - 1);
    std::vector<std::pair<std::size_t, std::size_t>> pairs(1 << 16);
    for (auto& [first, last] : pairs) {
        first = index(random);
        last = index(random);
        if (first > last) {
            std::swap(first, last);
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const auto [first, last] = pairs[next++ % pairs.size()];
        benchmark::DoNotOptimize(ride.stretch(first, last));
    }
}
BENCHMARK(BM_StretchMillion);

void BM_PointAtDistanceMillion(benchmark::State& state) {
    const Ride ride = fullRide(million);
    const double length = ride.distance(million - 1);
    std::minstd_rand random(15);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ride.pointAtDistance(length * (random() % 1000) / 1000));
    }
}
BENCHMARK(BM_PointAtDistanceMillion);

} // namespace
