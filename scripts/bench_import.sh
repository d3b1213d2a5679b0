#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the reading benchmarks in Release, writes a one-million-point GPX (build/ride/, never
# committed) and times reading it with its climb found against gpsbabel reading it, in turns,
# with the reader's peak memory; then the cost of one geodesic step. Exits non-zero if a goal
# is missed.
# Usage: scripts/bench_import.sh [rounds]   (3 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-3}
build=build/bench-import
ride=build/ride/million.gpx

bash scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DTARVIMO_BUILD_BENCH=ON -DTARVIMO_BUILD_UI=ON -DTARVIMO_BUILD_TESTS=OFF
cmake --build "$build" --target import_bench geodesic_bench --parallel "$(nproc)"
if [ ! -s "$ride" ]; then
    mkdir -p "$(dirname "$ride")"
    python3 scripts/make_ride.py "$ride"
fi

echo "Carico: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/geodesic_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
"$build/bench/import_bench" "$ride" "$rounds"
