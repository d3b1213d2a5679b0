#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Printing through a real print server: starts cupsd with a default queue that writes each job
# to a file and presses "Stampa"; then removes every queue and checks the no-printer path.
# Expects the tests built by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh cups cups-client cups-bsd
tests=build/test/tests/ui
out=/tmp/tarvimo-cups
queue=TarvimoFile

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
    pkill -x cupsd 2>/dev/null || true
    /usr/sbin/cupsd
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
TARVIMO_CUPS_OUTPUT="$out/job.out" "$tests/print_through_cups_test"
ls -l "$out"

# With no queue at all the same button offers to save a PDF instead.
lpadmin -x "$queue"
"$tests/window_printer_test" withoutPrinter
