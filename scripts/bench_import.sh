#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the reading benchmarks (preset bench-import), writes a one-million-point GPX
# (build/ride/, never committed) and times reading it with its climb found against xmlwf, which
# only parses it, and gpsbabel, which reads it, in turns in the same rounds, with the reader's
# peak memory; then the cost of one geodesic step and "Importa salita" on a six-hour ride.
# Exits non-zero if a goal is missed.
# Usage: scripts/bench_import.sh [rounds]   (3 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-3}
build=build/bench-import
ride=build/ride/million.gpx

bash scripts/setup.sh expat # xmlwf
cmake --preset bench-import >/dev/null
jobs=$(nproc)
cmake --build --preset bench-import --parallel $((jobs < 2 ? jobs : 2)) >/dev/null
if [ ! -s "$ride" ]; then
    mkdir -p "$(dirname "$ride")"
    python3 scripts/make_ride.py "$ride"
fi

status=0
echo "load: $(cat /proc/loadavg)"
"$build/bench/geodesic_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo
"$build/bench/import_bench" "$ride" "$rounds" || status=1
echo
echo "load: $(cat /proc/loadavg)"
# The offscreen platform's notes on window hints say nothing about the figures.
QT_QPA_PLATFORM=offscreen "$build/bench/import_window_bench" \
    2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME_DIR >&2) || status=1
exit $status
