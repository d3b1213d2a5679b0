# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that need a screen: starts a virtual X server and sets DISPLAY; the
# caller stops it with: kill "$XVFB_PID". The server takes display :$1 if that is free and
# otherwise the first free one, so that a check never drives a server another run started.
# Options after the screen go to Xvfb.
# Usage: start_xvfb <display> [screen, 1024x768x24 by default] [Xvfb options...]
start_xvfb() {
    local number wanted=$1 screen=${2:-1024x768x24}
    shift $(($# < 2 ? $# : 2))
    number=$(mktemp)
    for _ in 1 2; do
        if [ -n "$wanted" ] && [ ! -e "/tmp/.X$wanted-lock" ] && [ ! -e "/tmp/.X11-unix/X$wanted" ]; then
            echo "$wanted" >"$number"
            Xvfb ":$wanted" -screen 0 "$screen" -nolisten tcp "$@" >/dev/null 2>&1 &
        else
            Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$number" >/dev/null 2>&1 &
        fi
        XVFB_PID=$!
        sleep 1
        for _ in $(seq 50); do
            [ -s "$number" ] && [ -e "/tmp/.X11-unix/X$(head -n 1 "$number")" ] && break
            sleep 0.1
        done
        # Still running: the display is ours. Otherwise another run took it first.
        kill -0 "$XVFB_PID" 2>/dev/null && break
        wanted=
        : >"$number"
    done
    export DISPLAY=:$(head -n 1 "$number")
    rm -f "$number"
    # The socket comes a moment before the server answers.
    if command -v xdotool >/dev/null; then
        for _ in $(seq 100); do
            xdotool getdisplaygeometry >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
}
