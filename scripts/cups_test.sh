#!/usr/bin/env bash
# Printing through a real print server: starts cupsd with a default queue that writes each job
# to a file and presses "Stampa"; then removes every queue and checks the no-printer path.
# Expects the tests built by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh cups cups-client cups-bsd
tests=build/test/tests/ui
out=/tmp/tarvimo-cups
queue=TarvimoFile

grep -q '^FileDevice Yes' /etc/cups/cups-files.conf || echo 'FileDevice Yes' >>/etc/cups/cups-files.conf
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    pkill -x cupsd 2>/dev/null || true
    /usr/sbin/cupsd
fi
for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
done

rm -rf "$out" && mkdir -p "$out" && chmod 1777 "$out"
lpadmin -p "$queue" -E -v "file://$out/job.out" -m raw 2>/dev/null
lpadmin -d "$queue"
lpstat -d

export QT_QPA_PLATFORM=offscreen
TARVIMO_CUPS_OUTPUT="$out/job.out" "$tests/print_through_cups_test"
ls -l "$out"

# With no queue at all the same button offers to save a PDF instead.
lpadmin -x "$queue"
"$tests/window_printer_test" withoutPrinter
