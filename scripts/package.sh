#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, checks its desktop files, installs it with apt and starts the
# installed program under a virtual X server: it must stay up and show its start-up window, and
# "Stampa", with no printer installed, must save the page as a PDF through the printing module.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh dpkg-dev file desktop-file-utils appstream xdotool
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DTARVIMO_BUILD_TESTS=OFF -DTARVIMO_WERROR=ON
cmake --build build/package --parallel "$(nproc)"
rm -f build/package/tarvimo_*.deb
(cd build/package && cpack)
deb=$(ls build/package/tarvimo_*.deb)
dpkg-deb --info "$deb"

desktop-file-validate assets/org.tarvimo.Tarvimo.desktop
appstreamcli validate --no-net assets/org.tarvimo.Tarvimo.metainfo.xml

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$deb"
test -x /usr/bin/tarvimo
test -f /usr/share/applications/org.tarvimo.Tarvimo.desktop
test -f /usr/share/icons/hicolor/48x48/apps/org.tarvimo.Tarvimo.png
test -f /usr/lib/tarvimo/tarvimo_print.so

source scripts/xvfb.sh
start_xvfb "${SMOKE_DISPLAY:-98}"
app=
home=$(mktemp -d)
trap 'kill $app $XVFB_PID 2>/dev/null || true; rm -rf "$home"' EXIT
HOME=$home LANG=it_IT.UTF-8 /usr/bin/tarvimo &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
sleep 3
if ! kill -0 "$app" 2>/dev/null; then
    echo "Il programma installato si è chiuso da solo." >&2
    exit 1
fi
geometry=$(xdotool getwindowgeometry "$window" | grep Geometry)
echo "Finestra iniziale del programma installato: $geometry"
case "$geometry" in
*354x280* | *358x284*) ;;
*)
    echo "La finestra aperta non è quella iniziale." >&2
    exit 1
    ;;
esac

# "Stampa" without a printer: the program offers a PDF (Return answers Sì), then the save
# dialog proposes a name in the home folder (Return saves).
xdotool key --window "$window" Return
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvimo v0\.1 $' | head -n 1)
sleep 0.5
xdotool mousemove --sync --window "$main" 52 196 click 1 # "Stampa"
sleep 1
xdotool key Return
timeout 20 xdotool search --sync --onlyvisible --name '^Salva come PDF$' >/dev/null
sleep 0.5
xdotool key Return
for _ in $(seq 50); do
    pdf=$(find "$home" -maxdepth 1 -name '*.pdf' | head -n 1)
    [ -n "$pdf" ] && [ -s "$pdf" ] && break
    sleep 0.2
done
if [ -z "${pdf:-}" ] || ! head -c 5 "$pdf" | grep -q '%PDF-'; then
    echo "\"Stampa\" nel programma installato non ha salvato il PDF." >&2
    exit 1
fi
echo "\"Stampa\" nel programma installato: salvato $(basename "$pdf") ($(stat -c %s "$pdf") byte)."
echo "Pacchetto installato e avviato: ok."
