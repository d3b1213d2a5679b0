# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the checks that run the program on Wayland: starts weston nested in the X server
# on $DISPLAY, on black (so that what a window draws can be found on its output), with no
# panel, lock or input method, and waits for its socket. The caller stops it with:
# kill "$WESTON_PID".
# Usage: start_weston SOCKET LOG [weston options...]   (in $XDG_RUNTIME_DIR, which must be set)
start_weston() {
    local socket=$1 log=$2
    shift 2
    cat >"$XDG_RUNTIME_DIR/$socket.ini" <<'INI'
[core]
idle-time=0
[shell]
background-color=0xff000000
panel-position=none
locking=false
[input-method]
path=
INI
    weston --config="$XDG_RUNTIME_DIR/$socket.ini" --backend=x11-backend.so --socket="$socket" \
        "$@" >"$log" 2>&1 &
    WESTON_PID=$!
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
        sleep 0.1
    done
}
