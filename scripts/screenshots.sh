#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Photographs the windows under a virtual X server, for the README:
# docs/splash.png, docs/main-window.png (after "Calcola") and docs/help.png; "Importa salita" on
# a generated ride (scripts/ride_sample.py), light, dark and at scale 2; "Diario" over generated
# efforts, light and dark.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh xdotool imagemagick qt6ct
cmake --preset release >/dev/null
cmake --build --preset release --parallel "$(nproc)" >/dev/null

source scripts/xvfb.sh
# Large enough for the windows at scale 2, as on the screens that use it.
start_xvfb "${SCREENSHOT_DISPLAY:-97}" 1920x1200x24
app=
home=$(mktemp -d)
trap 'kill $app $XVFB_PID 2>/dev/null || true; rm -rf "$home"' EXIT
# The default values in every picture, whatever the user kept.
source scripts/fresh_home.sh
fresh_home "$home"

LANG=it_IT.UTF-8 build/release/ui/tarvimo &
app=$!
splash=$(xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
sleep 1
import -window "$splash" docs/splash.png
xdotool key Return

main=$(xdotool search --sync --name '^Tarvimo v0\.1 $')
# The controls sit below the menu bar.
height=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: [0-9]*x//p')
bar=$((height - 362))
xdotool mousemove --sync --window "$main" 76 $((164 + bar)) click 1 # "Calcola"
sleep 0.5
import -window "$main" docs/main-window.png

xdotool mousemove --sync --window "$main" 116 $((196 + bar)) click 1 # "?"
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

# "Importa salita" on a made-up ride given on the command line, light, dark (qt6ct's "darker")
# and at scale 2.
kill "$app" 2>/dev/null || true
work=$(mktemp -d)
trap 'kill $app $XVFB_PID 2>/dev/null || true; rm -rf "$work" "$home"' EXIT
python3 scripts/ride_sample.py "$work/Colle di prova.gpx"
mkdir -p "$work/qt6ct"
printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\nstyle=Fusion\n' \
    >"$work/qt6ct/qt6ct.conf"
for look in light dark 2x; do
    case $look in
    light) env=() out=docs/import-window.png ;;
    dark) env=(QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work") out=docs/import-window-dark.png ;;
    2x) env=(QT_SCALE_FACTOR=2) out=docs/import-window-2x.png ;;
    esac
    env "${env[@]}" LANG=it_IT.UTF-8 TZ=Europe/Rome build/release/ui/tarvimo "$work/Colle di prova.gpx" &
    app=$!
    splash=$(xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
    xdotool windowfocus --sync "$splash" key Return
    window=$(xdotool search --sync --onlyvisible --name '^Importa salita$')
    sleep 0.8
    import -window "$window" "$out"
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    echo "$out aggiornato."
done

# "Diario" over a few generated efforts (bench/diary_sample.cpp, in a data folder of its own),
# the first climb's chart below the table, light and dark.
cmake --preset bench-startup >/dev/null
cmake --build build/bench-startup --target diary_sample --parallel "$(nproc)" >/dev/null
for look in light dark; do
    case $look in
    light) env=() out=docs/diary-window.png ;;
    dark) env=(QT_QPA_PLATFORMTHEME=qt6ct) out=docs/diary-window-dark.png ;;
    esac
    rm -rf "$work/Tarvimo"
    env "${env[@]}" XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" LANG=it_IT.UTF-8 \
        build/bench-startup/bench/diary_sample &
    app=$!
    window=$(xdotool search --sync --onlyvisible --name '^Diario$')
    xdotool windowsize --sync "$window" 980 640
    sleep 0.8
    import -window "$window" "$out"
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    echo "$out aggiornato."
done
