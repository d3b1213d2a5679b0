#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Tarvimo's own start-up and a minimal Qt Widgets program many times, alternating, and
# compares the median time to the first painted window and the median peak resident memory.
# Then measures a 10 MB paste into a field followed by "Calcola".
# Usage: scripts/bench_startup.sh [runs]   (40 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-40}
build=build/bench-startup
bash scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVIMO_BUILD_BENCH=ON \
    -DTARVIMO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" \
    --target startup_minimal startup_tarvimo large_input_bench >/dev/null

if [ -z "${DISPLAY:-}" ]; then
    source scripts/xvfb.sh
    start_xvfb "${BENCH_DISPLAY:-96}"
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
fi

results=$(mktemp)
for ((i = 0; i < runs; i++)); do
    for program in startup_minimal startup_tarvimo; do
        line=$(TARVIMO_BENCH_T0_NS=$(date +%s%N) "$build/bench/$program" 2>/dev/null)
        echo "$program $line" >>"$results"
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
field() { grep "^$1 " "$results" | sed -E "s/.*$2=([0-9.]+).*/\1/" | median; }

minimal_ms=$(field startup_minimal first_paint_ms)
tarvimo_ms=$(field startup_tarvimo first_paint_ms)
minimal_kib=$(field startup_minimal max_rss_kib)
tarvimo_kib=$(field startup_tarvimo max_rss_kib)
rm -f "$results"

awk -v runs="$runs" -v mms="$minimal_ms" -v tms="$tarvimo_ms" -v mk="$minimal_kib" -v tk="$tarvimo_kib" 'BEGIN {
    printf "%d runs each, medians (display %s)\n", runs, ENVIRON["DISPLAY"]
    printf "%-28s %12s %12s %8s\n", "", "minimal Qt", "Tarvimo", "ratio"
    printf "%-28s %12.1f %12.1f %8.3f  (goal <= 1.15)\n", "first window painted, ms", mms, tms, tms / mms
    printf "%-28s %12d %12d %8.3f  (goal <= 1.15)\n", "peak resident memory, KiB", mk, tk, tk / mk
}'
echo
"$build/bench/large_input_bench" 2>/dev/null
