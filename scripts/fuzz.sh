#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the calculation core with libFuzzer, AddressSanitizer and UBSan, and fuzzes it for a while
# starting from the seed corpus. Exits non-zero if the fuzzer finds a crash, a broken rule, a
# sanitizer report or an input slower than 10 s; the input that did it is kept in build/fuzz/.
# Usage: scripts/fuzz.sh [seconds]   (60 by default)
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
# links libFuzzer itself (the fuzz preset).
cmake --preset fuzz
cmake --build --preset fuzz --parallel "$(nproc)"

# The seeds stay as they are; what the fuzzer adds goes to a scratch copy.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r tests/fuzz/corpus "$work/corpus"
artifacts="$build/artifacts"
mkdir -p "$artifacts"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
status=0
"$build/tests/fuzz/fuzz_core" "$work/corpus" \
    -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 || status=$?

if [ "$status" -ne 0 ]; then
    echo "Il fuzzer ha trovato un errore (uscita $status); l'input è in $artifacts/." >&2
    echo "Per ripeterlo: $build/tests/fuzz/fuzz_core $artifacts/<file>" >&2
    exit 1
fi
echo "Fuzzing pulito per $seconds s."
