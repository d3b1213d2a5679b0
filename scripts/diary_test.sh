#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# What Tarvimo keeps, end to end under Xvfb, read as a screen reader does
# (scripts/diary_probe.py): values typed, "Calcola", Ctrl+S and Ctrl+Q; at the next start the
# values are back, the diary lists the entry and "Riapri" fills the fields; a damaged diary file
# is said at the next start's first use and kept aside. Its own configuration and data folders,
# never the user's. Exits 77, which CTest shows as "Skipped", where a tool is missing.
# Usage: scripts/diary_test.sh PROGRAM   (display :$DIARY_DISPLAY, 140 unless set)
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# Second stage, inside a private session bus: the accessibility bus, then the probe, which
# starts the program as often as it needs.
if [ "${1:-}" = "--in-session" ]; then
    pids=()
    trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT
    source scripts/a11y_bus.sh
    start_a11y_bus
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
    /usr/bin/python3 scripts/diary_probe.py --program "$2"
    exit
fi

program=$(realpath "${1:?the program to start}")
bash scripts/setup.sh xvfb xdotool dbus at-spi2-core python3-pyatspi python3-xlib
for tool in Xvfb xdotool dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher \
    /usr/libexec/at-spi2-registryd; do
    command -v "$tool" >/dev/null || { echo "manca $tool: prova saltata"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "manca python3-pyatspi"; exit 77; }

work=$(mktemp -d /tmp/tarvimo-diary.XXXXXX)
export XDG_RUNTIME_DIR=$work
source scripts/fresh_home.sh
fresh_home "$work/home"
source scripts/xvfb.sh
start_xvfb "${DIARY_DISPLAY:-140}"
trap 'kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS NO_AT_BRIDGE QT_QPA_PLATFORM
timeout 600 dbus-run-session -- bash "$self" --in-session "$program"
