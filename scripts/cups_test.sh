#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Printing through a real print server: starts cupsd with a default queue that writes each job
# to a file and presses "Stampa"; then removes every queue and checks the no-printer path.
# Uses the test build (build/test). A print server already running is used and left running;
# otherwise this starts its own and stops it, by its PID, when done.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "Saltato: preparare un server di stampa richiede root." >&2
    exit 77
fi
bash scripts/setup.sh cups cups-client cups-bsd
[ -f build/test/CMakeCache.txt ] || cmake --preset test >/dev/null
cmake --build --preset test --parallel 2 --target print_through_cups_test window_printer_test \
    >/dev/null
tests=build/test/tests/ui
out=/tmp/tarvimo-cups
queue=TarvimoFile
server=
trap 'lpadmin -x "$queue" 2>/dev/null || true
      [ -z "$server" ] || { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; } || true' EXIT

# A backend of our own that writes each job to one file: the server's "file:" device is off by
# default and, for raw queues, writes nothing on some versions.
backend=/usr/lib/cups/backend/tarvimo-file
cat >"$backend" <<BACKEND
#!/bin/sh
if [ \$# -eq 0 ]; then
    echo 'file tarvimo-file "Unknown" "Tarvimo test file"'
    exit 0
fi
if [ -n "\$6" ]; then cat "\$6"; else cat; fi >"$out/job.out.part"
mv "$out/job.out.part" "$out/job.out"
BACKEND
chmod 0755 "$backend"
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    # In the foreground, so that its PID is the server's own.
    /usr/sbin/cupsd -f &
    server=$!
fi
for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
done

rm -rf "$out" && mkdir -p "$out" && chmod 1777 "$out"
lpadmin -p "$queue" -E -v tarvimo-file:/ -m raw 2>/dev/null
lpadmin -d "$queue"
lpstat -d

export QT_QPA_PLATFORM=offscreen
XDG_CONFIG_HOME="$out/config" XDG_DATA_HOME="$out/data" TARVIMO_CUPS_OUTPUT="$out/job.out" \
    "$tests/print_through_cups_test"
ls -l "$out"

# With no queue at all the same button offers to save a PDF instead.
lpadmin -x "$queue"
"$tests/window_printer_test" withoutPrinter
