#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package the way Debian would accept it and checks it: the licence of every
# file (reuse), the desktop files, lintian with no errors or warnings, a second build of the same
# files in another folder giving the same bytes, and the package installed with apt and started
# under a virtual X server, where it must stay up and show its start-up window, "Stampa", with
# no printer installed, must save the page as a PDF through the printing module, and Ctrl+D must
# open the diary through its module.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."

bash scripts/setup.sh dpkg-dev file desktop-file-utils appstream xdotool lintian reuse man-db
export DEBIAN_FRONTEND=noninteractive

# Same dates and flags for every build: the last commit's date, Debian's hardening flags, and
# the source folder mapped away so no build path reaches the program.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH
export DEB_BUILD_MAINT_OPTIONS=hardening=+all

# Builds the package from the sources in folder $1 and prints the .deb's path.
build_package() (
    cd "$1"
    eval "$(dpkg-buildflags --export=sh)"
    export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
    # From nothing, as Debian builds: a reused folder keeps outputs stamped with the date of the
    # commit it was last built at (rcc's resource times), and the two packages would differ.
    rm -rf build/package
    cmake --preset package >&2
    cmake --build --preset package --parallel "$(nproc)" >&2
    rm -f build/package/tarvimo_*.deb
    (cd build/package && cpack >&2)
    ls "$PWD"/build/package/tarvimo_*.deb
)

reuse lint
desktop-file-validate assets/org.tarvimo.Tarvimo.desktop
appstreamcli validate --no-net assets/org.tarvimo.Tarvimo.metainfo.xml

deb=$(build_package .)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

# lintian as root needs to be told it may; every tag is listed, errors and warnings fail.
tags=$(lintian --allow-root --display-info --tag-display-limit 0 "$deb" || true)
echo "${tags:-lintian: nessuna segnalazione.}"
errors=$(grep -c '^E: ' <<<"$tags" || true)
warnings=$(grep -c '^W: ' <<<"$tags" || true)
echo "lintian: $errors errori, $warnings avvertimenti."
if [ "$errors" -ne 0 ] || [ "$warnings" -ne 0 ]; then
    exit 1
fi

# The same files in another folder must give a byte-identical package.
other=$(mktemp -d)
trap 'rm -rf "$other"' EXIT
git ls-files -z | xargs -0 tar -cf - | tar -xmf - -C "$other"
other_deb=$(build_package "$other")
first=$(sha256sum <"$deb" | cut -d' ' -f1)
second=$(sha256sum <"$other_deb" | cut -d' ' -f1)
echo "sha256 $first  $deb"
echo "sha256 $second  $other_deb"
if [ "$first" != "$second" ]; then
    echo "Due compilazioni degli stessi file hanno dato pacchetti diversi." >&2
    bash scripts/setup.sh diffoscope-minimal >/dev/null 2>&1 && diffoscope "$deb" "$other_deb" | head -100 >&2
    exit 1
fi
echo "Pacchetto riproducibile: due compilazioni, stessi byte."

apt-get install -y -qq --reinstall "./$(realpath --relative-to=. "$deb")"
test -x /usr/bin/tarvimo
test -f /usr/share/applications/org.tarvimo.Tarvimo.desktop
test -f /usr/share/icons/hicolor/48x48/apps/org.tarvimo.Tarvimo.png
test -f /usr/share/doc/tarvimo/copyright
man --warnings -l /usr/share/man/it/man1/tarvimo.1.gz >/dev/null
for module in tarvimo_print tarvimo_ride tarvimo_diary; do
    test -f "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/tarvimo/$module.so"
done
# The diary's SQLite driver is a plugin Qt loads at run time, which dpkg-shlibdeps cannot see.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6sql6-sqlite' ||
    { echo "Il pacchetto non dipende dal driver SQLite del diario." >&2; exit 1; }

source scripts/xvfb.sh
start_xvfb "${SMOKE_DISPLAY:-98}"
app=
home=$(mktemp -d)
trap 'kill $app $XVFB_PID 2>/dev/null || true; rm -rf "$other" "$home"' EXIT
# On the screen just started, whatever platform the caller's environment names.
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share LANG=it_IT.UTF-8 \
    env -u QT_QPA_PLATFORM /usr/bin/tarvimo &
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

# Each key goes through XTEST to a window focused first: with no window manager nothing
# else gives the focus, and a key sent to a window itself can find it already closed on
# its release, where xdotool fails on a window that is gone.
press() {
    timeout 20 xdotool windowfocus --sync "$1"
    xdotool key Return
}
press "$window" # past the splash
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvimo v0\.1 $' | head -n 1)
sleep 0.5
# The controls sit below the menu bar.
height=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: [0-9]*x//p')
bar=$((height - 362))
# "Stampa" without a printer: the program offers a PDF (Return answers Sì), then the save
# dialog proposes a name in the home folder (Return saves).
xdotool mousemove --sync --window "$main" 52 $((196 + bar)) click 1 # "Stampa"
offer=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvimo$' | head -n 1)
press "$offer"
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Salva come PDF$' | head -n 1)
sleep 0.5
press "$dialog"
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
# Ctrl+D: the diary's module, Qt Sql and its SQLite driver loaded from where the package put them.
timeout 20 xdotool windowfocus --sync "$main"
xdotool key ctrl+d
if ! timeout 20 xdotool search --sync --onlyvisible --name '^Diario$' >/dev/null ||
    [ ! -s "$home/.local/share/Tarvimo/diario.sqlite" ]; then
    echo "Il diario del programma installato non si apre." >&2
    exit 1
fi
echo "Diario del programma installato: aperto, $home/.local/share/Tarvimo/diario.sqlite creato."
echo "Pacchetto installato e avviato: ok."
