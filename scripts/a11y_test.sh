#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the running program as a screen reader does, over AT-SPI: the roles and names of the
# splash, main and help windows, "Calcola" pressed through its Action interface and the eleven
# results read back through the Text interface (scripts/a11y_probe.py).
# Usage: scripts/a11y_test.sh   (display :$A11Y_DISPLAY, 120 unless set)
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

program=build/test/ui/tarvimo

# Second stage, inside a private session bus: the accessibility bus, the program, the probe.
if [ "${1:-}" = "--in-session" ]; then
    pids=()
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
          rm -rf "$XDG_RUNTIME_DIR"' EXIT
    source scripts/a11y_bus.sh
    source scripts/fresh_home.sh
    fresh_home "$XDG_RUNTIME_DIR/home"
    start_a11y_bus
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8 "$program" &
    app=$!
    pids+=("$app")
    /usr/bin/python3 scripts/a11y_probe.py --pid "$app" --table ui/windows/control_table.cpp
    exit
fi

bash scripts/setup.sh at-spi2-core python3-pyatspi dbus dbus-x11 xdotool
if [ ! -x "$program" ]; then
    cmake --preset test >/dev/null
    cmake --build --preset test --parallel "$(nproc)" --target tarvimo >/dev/null
fi

source scripts/xvfb.sh
start_xvfb "${A11Y_DISPLAY:-120}"
trap 'kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null || true' EXIT
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS NO_AT_BRIDGE QT_QPA_PLATFORM
timeout 240 dbus-run-session -- bash "$self" --in-session
