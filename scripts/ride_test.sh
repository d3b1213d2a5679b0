#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# A ride opened end to end, each way a user can: the real program started under Xvfb with a
# generated TCX file (a name with blanks and an accented letter) on its command line, through
# "Apri con" (the desktop entry launched with the file, as a file manager does), by Ctrl+O and
# the file dialog, and by a drop on a text box; the splash passed with a key, "Importa salita"
# accepted with Enter, and the filled fields read from outside over AT-SPI
# (scripts/ride_probe.py); and a ride with two climbs, the second chosen in the list by
# keyboard. Then, on weston nested in the Xvfb server where weston and qt6-wayland are installed,
# the command line and a drop from DRAG_PROGRAM, a Wayland client that drags the file. Exits 77,
# which CTest shows as "Skipped", where Xvfb, xdotool, dbus-run-session, the accessibility bus or
# python3-pyatspi are missing.
# Usage: scripts/ride_test.sh PROGRAM DRAG_PROGRAM   (display :$RIDE_DISPLAY, 130 unless set)
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# Second stage, inside a private session bus: the accessibility bus, the program, the probe.
# WAY is command-line, open-with, ctrl-o, drop or second-climb; with a fifth argument, the program runs on
# that Wayland socket (weston nested in Xvfb).
if [ "${1:-}" = "--in-session" ]; then
    program=$2 ride=$3 way=$4 wayland=${5:-}
    pids=()
    trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT
    source scripts/a11y_bus.sh
    start_a11y_bus
    export TZ=UTC QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
    [ -z "$wayland" ] || export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$wayland
    case $way in
    command-line | second-climb) "$program" "$ride" & app=$! ;;
    open-with)
        # "tarvimo" on the PATH, as installed, noting its PID before it becomes the program.
        bin=$(mktemp -d "$XDG_RUNTIME_DIR/bin.XXXXXX")
        printf '#!/bin/sh\necho $$ >"%s/pid"\nexec "%s" "$@"\n' "$bin" "$program" >"$bin/tarvimo"
        chmod +x "$bin/tarvimo"
        PATH=$bin:$PATH gio launch assets/org.tarvimo.Tarvimo.desktop "$ride"
        for _ in $(seq 100); do
            [ -s "$bin/pid" ] && break
            sleep 0.1
        done
        app=$(cat "$bin/pid")
        ;;
    *) "$program" & app=$! ;;
    esac
    pids+=("$app")
    open=started
    [ "$way" = ctrl-o ] || [ "$way" = drop ] && open=$way
    second=
    [ "$way" = second-climb ] && second=--second-climb
    /usr/bin/python3 scripts/ride_probe.py --pid "$app" --open "$open" --ride "$ride" \
        --drag-program "$TARVIMO_DRAG_PROGRAM" ${wayland:+--wayland} $second
    exit
fi

program=$(realpath "${1:?the program to start}")
TARVIMO_DRAG_PROGRAM=$(realpath "${2:?the program that drags a file on Wayland}")
export TARVIMO_DRAG_PROGRAM
bash scripts/setup.sh xvfb xdotool dbus at-spi2-core python3-pyatspi python3-xlib \
    libglib2.0-bin x11-utils imagemagick weston qt6-wayland
for tool in Xvfb xdotool dbus-run-session dbus-send gio /usr/libexec/at-spi-bus-launcher \
    /usr/libexec/at-spi2-registryd; do
    command -v "$tool" >/dev/null || { echo "manca $tool: prova saltata"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi, Xlib' 2>/dev/null ||
    { echo "manca python3-pyatspi o python3-xlib"; exit 77; }

work=$(mktemp -d /tmp/tarvimo-ride.XXXXXX)
XDG_RUNTIME_DIR=$work
export XDG_RUNTIME_DIR
source scripts/fresh_home.sh
fresh_home "$work/home"
ride="$work/Salita di prova è.tcx"
two="$work/Due salite.tcx"
# 200 points 10 m apart climbing at 8 % from 100 m, 3 s apart from noon on 14 June 2026; with
# "two", 630 points: flat, 2 km at 8 % to the highest point (the climb proposed), 1.5 km down,
# flat, 1.5 km at 6 %, flat.
make_ride() {
    /usr/bin/python3 - "$@" <<'PY'
import sys
rises = [(200, 0.8)]
if len(sys.argv) > 2:
    rises = [(50, 0), (200, 0.8), (150, -0.8), (50, 0), (150, 0.6), (30, 0)]
heights = []
for count, rise in rises:
    for _ in range(count):
        heights.append(heights[-1] + rise if heights else 100.0)
points = []
for i in range(len(heights)):
    s = 3 * i
    points.append(
        f"<Trackpoint><Time>2026-06-14T12:{s // 60:02d}:{s % 60:02d}Z</Time><Position>"
        f"<LatitudeDegrees>{45 + i * 9e-5:.6f}</LatitudeDegrees><LongitudeDegrees>9"
        f"</LongitudeDegrees></Position><AltitudeMeters>{heights[i]:.1f}</AltitudeMeters>"
        f"<DistanceMeters>{i * 10}</DistanceMeters><Cadence>80</Cadence></Trackpoint>")
with open(sys.argv[1], "w", encoding="utf-8") as out:
    out.write('<?xml version="1.0"?>\n<TrainingCenterDatabase xmlns="http://www.garmin.com/'
              'xmlschemas/TrainingCenterDatabase/v2"><Activities><Activity Sport="Biking">'
              "<Lap><Track>\n" + "\n".join(points) + "\n</Track></Lap></Activity></Activities>"
              "</TrainingCenterDatabase>\n")
PY
}
make_ride "$ride"
make_ride "$two" two

source scripts/xvfb.sh
start_xvfb "${RIDE_DISPLAY:-130}"
trap 'kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS NO_AT_BRIDGE QT_QPA_PLATFORM
for way in command-line open-with ctrl-o drop second-climb; do
    echo "== X11, $way"
    file=$ride
    [ "$way" = second-climb ] && file=$two
    timeout 600 dbus-run-session -- bash "$self" --in-session "$program" "$file" "$way"
done

# The same under Wayland, where weston and Qt's Wayland plugin are installed.
if ! command -v weston >/dev/null ||
    ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
    echo "Wayland: weston o qt6-wayland mancano, parte saltata"
    exit 0
fi
source scripts/weston.sh
# Its output window shown, for the pointer to move in.
weston_shown() {
    local id
    id=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Weston Compositor.*/\1/p')
    [ -n "$id" ] && xwininfo -id "${id%%$'\n'*}" | grep -q IsViewable
}
# A fresh weston for each way: a nested weston driven by XTEST sometimes stops passing a press
# on to a client's drag (about one run in three), and then stays so until it is restarted.
nested_weston() {
    [ -z "${WESTON_PID:-}" ] || { kill "$WESTON_PID" 2>/dev/null; wait "$WESTON_PID" 2>/dev/null; } || true
    start_weston wl-tarvimo-ride "$work/weston.log" --width=900 --height=700
    for _ in $(seq 600); do
        weston_shown && return 0
        sleep 0.2
    done
    echo "weston non mostra la sua finestra"
    return 1
}
trap 'kill "${WESTON_PID:-}" "$XVFB_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
for way in command-line drop; do
    # The drop is tried up to three times, each on a fresh weston; the check fails if none works.
    tries=1
    [ "$way" = drop ] && tries=3
    for try in $(seq "$tries"); do
        echo "== Wayland (weston), $way${try:+, prova $try}"
        nested_weston
        # The pointer parked in the output's bottom right corner, moving within it, where the
        # probe leaves it out of what is drawn.
        xdotool mousemove 450 350 mousemove 899 699
        # Generous: each step of the probe waits for the state it needs, under load too.
        if timeout 600 dbus-run-session -- bash "$self" --in-session "$program" "$ride" "$way" \
            wl-tarvimo-ride; then
            continue 2
        fi
        echo "-- weston:"
        tail -n 20 "$work/weston.log"
    done
    exit 1
done
