#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the calculation core (the diary's CSV with it) and the ride-file readers with libFuzzer, AddressSanitizer and UBSan,
# and fuzzes each for a while from its seeds (the readers' are generated here). Exits non-zero if the fuzzer finds a crash, a broken rule, a
# sanitizer report or an input slower than 10 s; the input that did it is kept in build/fuzz/.
# Usage: scripts/fuzz.sh [seconds]   (60 by default, for each fuzzer)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "Uso: scripts/fuzz.sh [secondi]" >&2
    exit 2
fi
build=build/fuzz

bash scripts/setup.sh
# The core needs the coverage hooks too, so every file gets fuzzer-no-link; only the fuzz target
# links libFuzzer itself (the fuzz preset, which builds the ride-file readers too).
cmake --preset fuzz
cmake --build --preset fuzz --target fuzz_core fuzz_import --parallel "$(nproc)"

# The seeds stay as they are; what the fuzzer adds goes to a scratch copy.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r tests/fuzz/corpus "$work/corpus"
artifacts="$build/artifacts"
mkdir -p "$artifacts"

# Seeds of the readers: a small generated ride as GPX, the same through gpsbabel as TCX, and the
# shapes of input the readers refuse.
seeds="$work/rides"
mkdir -p "$seeds"
python3 scripts/make_ride.py "$seeds/ride.gpx" 4
gpsbabel -i gpx -f "$seeds/ride.gpx" -o gtrnctr,course=0 -F "$seeds/ride.tcx"
gpsbabel -i gpx -f "$seeds/ride.gpx" -o gpx,gpxver=1.0 -F "$seeds/ride10.gpx"
printf '<gpx><rte><rtept lat="1" lon="2"><ele>3</ele><time>2024-01-01T00:00:00.5+02:00</time>'\
'</rtept><rtept lat="1.1" lon="2"/></rte></gpx>' >"$seeds/route.gpx"
printf '<!DOCTYPE gpx [<!ENTITY a "b">]><gpx>&a;</gpx>' >"$seeds/entity.gpx"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
run() {
    local fuzzer=$1 corpus=$2 status=0
    "$build/tests/fuzz/$fuzzer" "$corpus" \
        -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -artifact_prefix="$artifacts/$fuzzer-" -print_final_stats=1 || status=$?
    if [ "$status" -ne 0 ]; then
        echo "Il fuzzer $fuzzer ha trovato un errore (uscita $status); l'input è in $artifacts/." >&2
        echo "Per ripeterlo: $build/tests/fuzz/$fuzzer $artifacts/$fuzzer-<file>" >&2
        exit 1
    fi
}
run fuzz_core "$work/corpus"
run fuzz_import "$seeds"
echo "Fuzzing pulito per $seconds s per fuzzer."
