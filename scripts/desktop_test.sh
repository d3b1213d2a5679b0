#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the built program from outside, as a user would, on the desktops people run:
# - Wayland (weston): the title bar's maximise on the main and help windows neither ends the
#   program nor changes a text, and the windows come back as they were;
# - X11 under light, dark and high-contrast palettes: the help band's contrast and the printed
#   page's luminance, measured from pixels, and WM_CLASS against the desktop entry;
# - the keyboard: Return on a focused button, Tab/Shift+Tab/Escape in the help window.
# Prints the measured figures. Reuses build/test (scripts/test.sh) and ends with
# scripts/a11y_test.sh when it is there, unless told --without-a11y (CTest runs that one apart).
# Usage: scripts/desktop_test.sh [--without-a11y]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh weston qt6-wayland qt6-gtk-platformtheme qt6ct xdotool x11-utils \
    imagemagick poppler-utils desktop-file-utils python3
[ -f build/test/CMakeCache.txt ] || cmake --preset test >/dev/null
cmake --build --preset test --parallel 2 --target tarvimo >/dev/null
app=$PWD/build/test/ui/tarvimo
source scripts/xvfb.sh
source scripts/weston.sh

wayland_display=${DESKTOP_TEST_DISPLAY:-110}
x11_display=$((wayland_display + 1))
work=$(mktemp -d /tmp/tarvimo-desktop.XXXXXX)
chmod 0700 "$work"
export XDG_RUNTIME_DIR=$work LANG=C.UTF-8 LC_ALL=C.UTF-8
# No print queue, whatever the machine has: "Stampa" then offers the PDF.
export CUPS_SERVER=$work/no-cups.sock
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME GTK_THEME QT_STYLE_OVERRIDE
# Each start of the program from the default values, in folders of its own.
source scripts/fresh_home.sh
fresh_home "$work/home"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

fail() {
    echo "FALLITO: $*" >&2
    mkdir -p build/desktop-test
    cp "$work"/*.png "$work"/*.log build/desktop-test/ 2>/dev/null || true
    exit 1
}
running() { [ -d "/proc/$1" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status"; }
# Pixels that differ between two pictures of the same size, beyond a text cursor's blink.
changed() { compare -fuzz 8% -metric AE "$1" "$2" null: 2>&1 || true; }
# Waits until a command prints something and prints it.
poll() {
    local out
    for _ in $(seq 100); do
        out=$("$@" 2>/dev/null || true)
        [ -n "$out" ] && echo "$out" && return 0
        sleep 0.1
    done
    return 1
}

# ---------------------------------------------------------------- Wayland
start_xvfb "$wayland_display" 1280x600x24
pids+=("$XVFB_PID")
poll xdpyinfo >/dev/null || fail "Xvfb $DISPLAY non parte"
# Two outputs of 640x600, side by side: a new window opens on the one under the pointer, so
# each window can be found alone on its output, on black.
start_weston wl-tarvimo-desk "$work/weston.log" --width=640 --height=600 --output-count=2
pids+=("$WESTON_PID")
output_window() { xwininfo -root -tree | awk -v n="Weston Compositor - screen$1\"" 'index($0, n) {print $1}'; }
screen0=$(poll output_window 0) || fail "weston non parte"
screen1=$(poll output_window 1) || fail "weston non parte"
xdotool windowmove "$screen1" 640 0
# Bounding box of what is drawn on an output, without the pointer parked in a bottom corner.
shot() { import -window "$1" "$2"; }
box() {
    shot "$1" "$work/box.png"
    convert "$work/box.png" -fill black -draw 'rectangle 0,585 15,600' \
        -draw 'rectangle 625,585 640,600' -format '%@' info: 2>/dev/null | grep -v '^0x0' || true
}
box_sized() { box "$1" | grep "^$2+" || true; }

# The pointer rests in an output's bottom right corner, moving there within that output so
# that weston follows it from one output to the other.
park() {
    xdotool mousemove $(($1 - 100)) 300
    sleep 0.2
    xdotool mousemove "$1" 599
    sleep 0.2
}
park 639
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wl-tarvimo-desk "$app" >"$work/wayland.log" 2>&1 &
app_pid=$!
pids+=($app_pid)
poll box_sized "$screen0" 358x284 >/dev/null || fail "finestra iniziale non vista su Wayland"
xdotool key Return
# 384x362 of client area under the menu bar, within weston's frame (6 wide, 33 high).
main=$(poll box_sized "$screen0" '390x[0-9]*') || fail "finestra principale non vista su Wayland"
read -r mw mh mx my < <(echo "$main" | tr 'x+' '  ')
bar=$((mh - 33 - 362))
echo "Wayland, principale: ${mw}x${mh} con la cornice, barra dei menu alta $bar"
[ "$bar" -gt 10 ] && [ "$bar" -le 40 ] || fail "Wayland: barra dei menu alta $bar"
xdotool key ctrl+a
xdotool type --delay 50 '12,5'
sleep 0.5
shot "$screen0" "$work/main.png"
convert "$work/main.png" -crop "${mw}x${mh}+${mx}+${my}" +repage "$work/main-before.png"

# Maximise, then restore, with the title bar's middle button (the same place when maximised).
maximise() { # output-window x-offset window-box
    local w h x y
    read -r w h x y < <(echo "$3" | tr 'x+' '  ')
    xdotool mousemove $(($2 + x + w - 40)) $((y + 15)) click 1
    park $(($2 + 639))
}
check_maximise() { # name output-window x-offset window-box content-size before.png
    local name=$1 w h x y
    read -r w h x y < <(echo "$4" | tr 'x+' '  ')
    maximise "$2" "$3" "$4"
    poll box_sized "$2" 640x600 >/dev/null || fail "$name: non si massimizza"
    sleep 0.5
    running "$app_pid" || fail "$name: il programma è terminato alla massimizzazione"
    shot "$2" "$work/max.png"
    convert "$work/max.png" -crop "$5+3+30" +repage "$work/max-content.png"
    convert "$6" -crop "$5+3+30" +repage "$work/before-content.png"
    local inside
    inside=$(changed "$work/max-content.png" "$work/before-content.png")
    maximise "$2" "$3" "640x600+0+0"
    poll box_sized "$2" "${w}x${h}" >/dev/null || fail "$name: non torna alla sua misura"
    sleep 0.5
    running "$app_pid" || fail "$name: il programma è terminato al ripristino"
    shot "$2" "$work/restored.png"
    convert "$work/restored.png" -crop "${w}x${h}+${x}+${y}" +repage "$work/restored-window.png"
    local after
    after=$(changed "$work/restored-window.png" "$6")
    echo "Wayland, $name: massimizzata e ripristinata; pixel diversi da prima: $inside da massimizzata, $after dopo"
    [ "$inside" -le 40 ] && [ "$after" -le 40 ] || fail "$name: il contenuto è cambiato"
    cp "$work/max.png" "$work/$name-maximised.png"
}
check_maximise principale "$screen0" 0 "$main" "384x$((362 + bar))" "$work/main-before.png"

# "?" from the keyboard (Shift+Tab from the first box, then Return), with the pointer on the
# second output, where the help window then opens.
park 1279
xdotool key shift+Tab Return
help=$(poll box_sized "$screen1" 408x317) || fail "guida non vista su Wayland"
read -r hw hh hx hy < <(echo "$help" | tr 'x+' '  ')
shot "$screen1" "$work/help.png"
convert "$work/help.png" -crop "${hw}x${hh}+${hx}+${hy}" +repage "$work/help-before.png"
check_maximise guida "$screen1" 640 "$help" 402x284 "$work/help-before.png"
xdotool key Escape
for _ in $(seq 50); do [ -z "$(box "$screen1")" ] && break; sleep 0.1; done
[ -z "$(box "$screen1")" ] || fail "Esc non chiude la guida su Wayland"
# The main window's close box ends the program, normally.
xdotool mousemove $((mx + mw - 17)) $((my + 15)) click 1
for _ in $(seq 50); do running "$app_pid" || break; sleep 0.1; done
running "$app_pid" && fail "la finestra principale non si chiude su Wayland"
wait "$app_pid" || fail "su Wayland il programma è terminato con stato $?: $(cat "$work/wayland.log")"
echo "Wayland: nessun errore del compositore; chiusura normale con stato 0"

# ---------------------------------------------------------------- X11
# The program starts here again and again: by default Xvfb starts afresh when its last client
# leaves, and a program started in that moment finds no screen.
start_xvfb "$x11_display" 1024x768x24 -noreset
pids+=("$XVFB_PID")
poll xdpyinfo >/dev/null || fail "Xvfb $DISPLAY non parte"

# WCAG 2.1 contrast ratio between the band's colour and its letters', from a picture's
# histogram: the band is the commonest colour, the letters the one farthest from it.
band_contrast() {
    convert "$1" -crop 402x41+0+0 -depth 8 -format %c histogram:info:- | python3 -c '
import re, sys
def lum(c):
    c = [v / 255 for v in c]
    c = [v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
    return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
colours = []
for line in sys.stdin:
    m = re.match(r"\s*(\d+):\s*\(\s*([\d.]+),\s*([\d.]+),\s*([\d.]+)", line)
    if m:
        colours.append((int(m[1]), lum([float(m[i]) for i in (2, 3, 4)])))
band = max(colours)[1]
text = max((abs(l - band), l) for n, l in colours if n >= 5)[1]
print("%.2f" % ((max(band, text) + 0.05) / (min(band, text) + 0.05)))'
}

# Starts the program, from the default values, and leaves the splash for the main window, whose
# id goes in $main, and the menu bar's height in $bar: the controls sit that much lower.
start_x11() {
    rm -rf "$work/home/config/Tarvimo" "$work/config/Tarvimo"
    "$@" "$app" >"$work/x11.log" 2>&1 &
    app_pid=$!
    pids+=($app_pid)
    local splash
    splash=$(poll xdotool search --onlyvisible --pid "$app_pid") || fail "finestra iniziale non vista"
    xdotool windowfocus --sync "$splash" key Return
    main=$(poll xdotool search --onlyvisible --name '^Tarvimo v0\.1 $') ||
        fail "finestra principale non vista"
    local size
    size=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p')
    bar=$((${size#*x} - 362))
    [ "${size%x*}" = 384 ] && [ "$bar" -gt 10 ] && [ "$bar" -le 40 ] ||
        fail "finestra principale di ${size}: non 384x362 sotto la barra dei menu"
}
stop_x11() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
}

# Keyboard, under the plain light palette.
start_x11 env
wm_class=$(xprop -id "$main" WM_CLASS | sed 's/.*= //')
desktop_class=$(sed -n 's/^StartupWMClass=//p' assets/org.tarvimo.Tarvimo.desktop)
echo "WM_CLASS: $wm_class; StartupWMClass: $desktop_class"
[[ "$wm_class" == *"\"$desktop_class\""* ]] || fail "WM_CLASS e StartupWMClass non coincidono"
desktop-file-validate assets/org.tarvimo.Tarvimo.desktop
import -window "$main" "$work/k0.png"
xdotool windowfocus --sync "$main" key --delay 20 $(printf 'Tab %.0s' $(seq 20)) Return # "Calcola"
sleep 0.3
import -window "$main" "$work/k1.png"
echo "X11, principale: 384x$((362 + bar)), barra dei menu alta $bar"
for k in k0 k1; do convert "$work/$k.png" -crop "384x146+0+$((216 + bar))" +repage "$work/$k-results.png"; done
results=$(changed "$work/k0-results.png" "$work/k1-results.png")
echo "Tastiera: Invio su \"Calcola\" cambia $results pixel dei risultati"
[ "$results" -gt 500 ] || fail "Invio su \"Calcola\" non calcola"
xdotool key --delay 20 Tab Tab Tab Tab Tab Tab Tab Tab Tab Return # "?"
help=$(poll xdotool search --onlyvisible --name '^Help$') || fail "Invio su \"?\" non apre la guida"
xdotool windowfocus --sync "$help"
sleep 0.3
for step in 1 2 3 4 5; do
    case $step in 5) key=shift+Tab ;; *) key=Tab ;; esac
    xdotool key "$key"
    sleep 0.3
    import -window "$help" "$work/h$step.png"
done
# Odd steps leave the focus in the glossary, even ones in the instructions; a Tab typed into
# the glossary would make every picture differ.
same_glossary=$(changed "$work/h1.png" "$work/h3.png")
same_line=$(changed "$work/h2.png" "$work/h4.png")
back=$(changed "$work/h3.png" "$work/h5.png")
moved=$(changed "$work/h1.png" "$work/h2.png")
echo "Tastiera nella guida: Tab, Tab, Tab, Tab, Maiusc+Tab; pixel diversi 1-3: $same_glossary," \
    "2-4: $same_line, 3-5: $back, 1-2: $moved"
[ "$same_glossary" -le 40 ] && [ "$same_line" -le 40 ] && [ "$back" -le 40 ] &&
    [ "$moved" -gt 100 ] || fail "Tab e Maiusc+Tab non passano tra i due riquadri della guida"
xdotool key Escape
sleep 0.5
xdotool search --onlyvisible --name '^Help$' >/dev/null && fail "Esc non chiude la guida"
# "Esci" (Ctrl+Q) from a field ends the program normally, and the values it had are kept.
xdotool windowfocus --sync "$main" key ctrl+q
for _ in $(seq 50); do running "$app_pid" || break; sleep 0.1; done
running "$app_pid" && fail "Ctrl+Q non chiude il programma"
wait "$app_pid" || fail "dopo Ctrl+Q il programma è terminato con stato $?"
grep -q '^massac=60$' "$XDG_CONFIG_HOME/Tarvimo/tarvimo.ini" ||
    fail "Ctrl+Q: valori non salvati in $XDG_CONFIG_HOME/Tarvimo/tarvimo.ini"
echo "Ctrl+Q: chiusura normale, valori salvati in \$XDG_CONFIG_HOME/Tarvimo/tarvimo.ini"

# Palettes: the help band's contrast and the printed page, measured from pixels. Dark ones from
# GTK's Adwaita and from qt6ct, and a high-contrast one, white on black, through qt6ct.
mkdir -p "$work/config/qt6ct"
white='#ffffffff' black='#ff000000' grey='#ff808080'
roles="$white, $black, $white, $grey, $grey, $grey, $white, $white, $white, $black, $black, $white"
roles+=", #ff00ffff, $black, #ffffff00, #ff00ff00, #ff202020, $black, $black, $white, #ffc0c0c0"
printf '[ColorScheme]\nactive_colors=%s\ninactive_colors=%s\ndisabled_colors=%s\n' \
    "$roles" "$roles" "$roles" >"$work/high-contrast.conf"
qt6ct_with() {
    printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\nstyle=Fusion\n' "$1" \
        >"$work/config/qt6ct/qt6ct.conf"
    start_x11 env QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/config"
}
for palette in light Adwaita:dark qt6ct-darker qt6ct-high-contrast; do
    case $palette in
    light) start_x11 env ;;
    Adwaita:dark) start_x11 env QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark ;;
    qt6ct-darker) qt6ct_with /usr/share/qt6ct/colors/darker.conf ;;
    qt6ct-high-contrast) qt6ct_with "$work/high-contrast.conf" ;;
    esac
    name=${palette/:/-}
    xdotool mousemove --window "$main" 116 $((196 + bar)) click 1 # "?"
    help=$(poll xdotool search --onlyvisible --name '^Help$') || fail "$palette: guida non vista"
    sleep 0.5
    import -window "$help" "$work/help-$name.png"
    ratio=$(band_contrast "$work/help-$name.png")
    xdotool windowfocus --sync "$help" key Escape
    xdotool mousemove --window "$main" 76 $((164 + bar)) click 1 # "Calcola"
    sleep 0.3
    import -window "$main" "$work/main-$name.png"

    xdotool mousemove --window "$main" 52 $((196 + bar)) click 1 # "Stampa"
    offer=$(poll xdotool search --onlyvisible --name '^Tarvimo$') || fail "$palette: nessuna offerta del PDF"
    xdotool windowfocus --sync "$offer" key Return
    dialog=$(poll xdotool search --onlyvisible --name '^Salva come PDF$') ||
        fail "$palette: nessuna finestra per salvare"
    sleep 0.5
    xdotool windowfocus --sync "$dialog" key ctrl+a
    xdotool type --delay 20 "$work/page-$name.pdf"
    xdotool key Return
    poll ls "$work/page-$name.pdf" >/dev/null || fail "$palette: PDF non scritto"
    sleep 0.5
    pdftoppm -r 50 -gray -singlefile -png "$work/page-$name.pdf" "$work/page-$name"
    page=$(convert "$work/page-$name.png" -format '%[fx:mean]' info:)
    window=$(convert "$work/page-$name.png" -fuzz 2% -trim -format '%[fx:mean]' info:)
    printf 'Tavolozza %-20s contrasto della banda %6s:1; pagina stampata: luminanza media %.3f,' \
        "$palette" "$ratio" "$page"
    printf ' dell'\''immagine della finestra %.3f\n' "$window"
    python3 -c "import sys; sys.exit(not ($ratio >= 4.5 and $window >= 0.75))" ||
        fail "$palette: contrasto o pagina insufficienti"
    stop_x11
done
# The pictures stay for a look: build/desktop-test/.
mkdir -p build/desktop-test
cp "$work"/*.png build/desktop-test/

if [ "${1:-}" != "--without-a11y" ] && [ -f scripts/a11y_test.sh ]; then
    bash scripts/a11y_test.sh
fi
