// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// One step between consecutive points of a ride, 5 m apart: GeographicLib's Inverse against the
// step the reader takes (a geocentric position a point and the chord).

#include "geodesic_step.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarvimo;

void inverse(benchmark::State& state) {
    double lat = 45.0;
    double total = 0;
    for (auto _ : state) {
        total += geodesicReference(lat, 7.0, lat + 4e-5, 7.00003);
        lat += 1e-9;
        benchmark::DoNotOptimize(total);
    }
}

void readerStep(benchmark::State& state) {
    GeodesicStep step;
    double lat = 45.0;
    double lon = 7.0;
    double total = 0;
    for (auto _ : state) {
        total += step.next(lat, lon);
        lat += 4e-5 * (1 - 2 * (lat > 46)); // back and forth over a degree
        lon += 3e-5;
        benchmark::DoNotOptimize(total);
    }
}

BENCHMARK(inverse)->Name("GeographicLibInverse");
BENCHMARK(readerStep)->Name("ReaderStep");

} // namespace
