# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced inside a private session bus by the scripts that read the program as a screen reader
# does: starts the accessibility bus and its registry, and waits for both, adding their PIDs to
# the caller's array `pids` so that the caller stops them.
start_a11y_bus() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    pids+=($!)
    # Asking the bus for the name would start a second launcher of its own: wait for ours.
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
            grep -q 'boolean true' && break
        sleep 0.1
    done
    /usr/libexec/at-spi2-registryd &
    pids+=($!)
    # Likewise the registry, before the program asks the accessibility bus for it.
    local a11y_bus
    a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress | tr -d ' ')
    for _ in $(seq 100); do
        dbus-send --bus="$a11y_bus" --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
            string:org.a11y.atspi.Registry 2>/dev/null | grep -q 'boolean true' && break
        sleep 0.1
    done
}
