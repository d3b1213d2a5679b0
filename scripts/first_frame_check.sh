#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program's own start-up under a virtual X server, saves what the screen shows of the
# splash window right after its first paint, and compares it pixel by pixel with
# tests/data/splash-first-frame.png: the frame as drawn before the splash picture and the window
# icons were built into the program. The first frame draws the notice box, which is built right
# after it: the window once the box has painted must match the same reference. Any differing
# pixel fails.
# Usage: scripts/first_frame_check.sh [--update]   (--update rewrites the reference, on purpose)
set -euo pipefail
cd "$(dirname "$0")/.."

reference=tests/data/splash-first-frame.png
build=build/bench-startup
bash scripts/setup.sh imagemagick
cmake --preset bench-startup >/dev/null
jobs=$(nproc)
cmake --build --preset bench-startup --parallel $((jobs < 2 ? jobs : 2)) --target first_frame_grab >/dev/null

source scripts/xvfb.sh
start_xvfb "${FIRST_FRAME_DISPLAY:-98}"
shot=$(mktemp --suffix=.png)
with_box=$(mktemp --suffix=.png)
home=$(mktemp -d)
trap 'kill $XVFB_PID 2>/dev/null || true; rm -rf "$shot" "$with_box" "$home"' EXIT
source scripts/fresh_home.sh
fresh_home "$home"

# The same picture on every machine: no desktop theme, no scaling, the default contact address.
env -u QT_QPA_PLATFORMTHEME -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_STYLE_OVERRIDE \
    QT_QPA_PLATFORM=xcb LANG=it_IT.UTF-8 "$build/bench/first_frame_grab" "$shot" "$with_box" 2>/dev/null
if [ "${1:-}" = "--update" ]; then
    cp "$shot" "$reference"
    echo "$reference aggiornato."
    exit 0
fi
for frame in "primo fotogramma:$shot:first-frame" "fotogramma con il riquadro dell'avviso:$with_box:with-box"; do
    IFS=: read -r what file name <<<"$frame"
    differing=$(compare -metric AE "$reference" "$file" null: 2>&1 || true)
    if [ "$differing" != "0" ]; then
        failed=build/$name-failed.png
        cp "$file" "$failed"
        echo "Finestra iniziale, $what: diverso dal riferimento in $differing pixel" \
            "(salvato in $failed)." >&2
        exit 1
    fi
    echo "Finestra iniziale, $what: identico al riferimento, pixel per pixel."
done
