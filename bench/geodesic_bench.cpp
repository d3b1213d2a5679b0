// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// One step between consecutive points of a ride: GeographicLib's Inverse against the local
// formula the reader uses for short steps.

#include "geodesic_step.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarvimo;

template <double (*step)(double, double, double, double)> void walk(benchmark::State& state) {
    double lat = 45.0;
    double lon = 7.0;
    double total = 0;
    for (auto _ : state) {
        total += step(lat, lon, lat + 4e-5, lon + 3e-5);
        lat += 1e-9;
        benchmark::DoNotOptimize(total);
    }
}

BENCHMARK(walk<geodesicReference>)->Name("GeographicLibInverse");
BENCHMARK(walk<geodesicStep>)->Name("ReaderStep");

} // namespace
