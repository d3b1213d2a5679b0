#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Tarvimo's own start-up and a minimal Qt Widgets program many times, alternating, and
# compares the median time to the first painted window and the median peak resident memory:
# once without a D-Bus session bus and once with one running, as on a desktop (Qt's
# accessibility looks for the bus at start; without one, both programs wait for an autolaunch).
# Then the same with the splash passed at once, up to the main window's first paint (its menu
# bar and the values kept from the last run, from a file written before the runs). Then measures
# a 10 MB paste into a field.
# Usage: scripts/bench_startup.sh [pairs]   (60 by default; the goal asks for at least 40)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-60}
build=build/bench-startup
bash scripts/setup.sh dbus
cmake --preset bench-startup >/dev/null
jobs=$(nproc)
cmake --build --preset bench-startup --parallel $((jobs < 2 ? jobs : 2)) \
    --target startup_minimal startup_tarvimo large_input_bench >/dev/null

XVFB_PID=
BUS_PID=
trap 'kill $XVFB_PID $BUS_PID 2>/dev/null || true' EXIT
if [ -z "${DISPLAY:-}" ]; then
    source scripts/xvfb.sh
    start_xvfb "${BENCH_DISPLAY:-96}"
fi

echo "load: $(uptime)"
results=$(mktemp)
home=$(mktemp -d)
trap 'kill $XVFB_PID $BUS_PID 2>/dev/null || true; rm -rf "$results" "$home"' EXIT
# No saved values: every run starts as the first one did.
source scripts/fresh_home.sh
fresh_home "$home"
mkdir -p "$XDG_CONFIG_HOME/Tarvimo"
printf '[campi]\nmassac=72\nsceglinomebici=Passo di prova\nscegliA="0,2"\n' \
    >"$XDG_CONFIG_HOME/Tarvimo/tarvimo.ini"

# One row per run: "<bus> <program> first_paint_ms=... max_rss_kib=...". Each pair runs in turn
# minimal first, then Tarvimo first, so that neither gains from its place.
measure() {
    local bus=$1 order
    for ((i = 0; i < runs; i++)); do
        order="startup_minimal startup_tarvimo"
        ((i % 2)) && order="startup_tarvimo startup_minimal"
        for program in $order; do
            line=$(TARVIMO_BENCH_T0_NS=$(date +%s%N) "$build/bench/$program" 2>/dev/null)
            echo "$bus $program $line" >>"$results"
            [ "$program" = startup_tarvimo ] || continue
            line=$(TARVIMO_BENCH_T0_NS=$(date +%s%N) "$build/bench/$program" --main 2>/dev/null)
            echo "$bus startup_main $line" >>"$results"
        done
    done
}

(unset DBUS_SESSION_BUS_ADDRESS && measure no-bus)

bus_info=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus_info")
BUS_PID=$(sed -n 2p <<<"$bus_info")
measure bus
kill "$BUS_PID" && BUS_PID=
unset DBUS_SESSION_BUS_ADDRESS

# Median and quartiles of one field, over the runs of one program.
stats() {
    grep "^$1 $2 " "$results" | sed -E "s/.*$3=([0-9.]+).*/\1/" | sort -n | awk '
        function q(p,  i) { i = 1 + p * (NR - 1); return v[int(i)] + (i - int(i)) * (v[int(i) + 1] - v[int(i)]) }
        { v[NR] = $1 } END { printf "%.3f %.3f %.3f", q(0.5), q(0.25), q(0.75) }'
}

echo "$runs pairs of runs, alternating, medians (quartiles), display $DISPLAY"
printf "%-10s %-26s %22s %22s %7s\n" bus "" "minimal Qt" "Tarvimo" ratio
for bus in no-bus bus; do
    for what in "first_paint_ms first paint, ms" "max_rss_kib peak memory, KiB"; do
        key=${what%% *}
        read -r mm mq1 mq3 <<<"$(stats "$bus" startup_minimal "$key")"
        for program in "startup_tarvimo 1.10" "startup_main 1.12"; do
            read -r tm tq1 tq3 <<<"$(stats "$bus" "${program% *}" "$key")"
            awk -v b="$bus" -v w="${what#* }" -v mm="$mm" -v mq1="$mq1" -v mq3="$mq3" \
                -v tm="$tm" -v tq1="$tq1" -v tq3="$tq3" -v p="${program% *}" -v g="${program#* }" 'BEGIN {
                printf "%-10s %-26s %8.1f (%.1f-%.1f) %8.1f (%.1f-%.1f) %7.3f  (%s, goal <= %s)\n",
                       b, w, mm, mq1, mq3, tm, tq1, tq3, tm / mm, p, g }'
        done
    done
done
echo
"$build/bench/large_input_bench" 2>/dev/null
