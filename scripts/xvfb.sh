# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that need a screen: starts a virtual X server on display :$1 and sets
# DISPLAY; the caller stops it with: kill "$XVFB_PID".
start_xvfb() {
    export DISPLAY=:$1
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    sleep 1
}
