#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks in Release, runs each ten times and prints the medians and the fitted growth.
# Extra arguments go to the benchmark, e.g. scripts/bench.sh --benchmark_filter=Default
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench

bash scripts/setup.sh
cmake --preset bench
cmake --build --preset bench --parallel "$(nproc)"

results=$(mktemp)
trap 'rm -f "$results"' EXIT
"$build/bench/calculation_bench" --benchmark_repetitions=10 \
    --benchmark_report_aggregates_only=true "$@" | tee "$results"

echo
echo "Mediane di 10 ripetizioni, e crescita con la lunghezza dei testi:"
grep -E '_median |_BigO |_RMS ' "$results" || true
