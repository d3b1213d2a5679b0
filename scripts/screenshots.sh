#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Photographs the three windows under a virtual X server, for the README:
# docs/splash.png, docs/main-window.png (after "Calcola") and docs/help.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh xdotool imagemagick
cmake --preset release >/dev/null
cmake --build --preset release --parallel "$(nproc)" >/dev/null

source scripts/xvfb.sh
start_xvfb "${SCREENSHOT_DISPLAY:-97}"
app=
trap 'kill $app $XVFB_PID 2>/dev/null || true' EXIT

LANG=it_IT.UTF-8 build/release/ui/tarvimo &
app=$!
splash=$(xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
sleep 1
import -window "$splash" docs/splash.png
xdotool key Return

main=$(xdotool search --sync --name '^Tarvimo v0\.1 $')
xdotool mousemove --sync --window "$main" 76 164 click 1 # "Calcola"
sleep 0.5
import -window "$main" docs/main-window.png

xdotool mousemove --sync --window "$main" 116 196 click 1 # "?"
help=$(xdotool search --sync --name '^Help$')
sleep 0.5
import -window "$help" docs/help.png
echo "docs/splash.png, docs/main-window.png e docs/help.png aggiornati."

# The splash on a screen scaled by two, with the picture drawn for that scale.
kill "$app" 2>/dev/null || true
QT_SCALE_FACTOR=2 LANG=it_IT.UTF-8 build/release/ui/tarvimo &
app=$!
splash=$(xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
sleep 1
import -window "$splash" docs/splash-2x.png
echo "docs/splash-2x.png aggiornato."
