#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, checks its desktop files, installs it with apt and starts the
# installed program under a virtual X server: it must stay up and show its start-up window.
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

source scripts/xvfb.sh
start_xvfb "${SMOKE_DISPLAY:-98}"
app=
trap 'kill $app $XVFB_PID 2>/dev/null || true' EXIT
/usr/bin/tarvimo &
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
echo "Pacchetto installato e avviato: ok."
