#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives a Tarvimo as a user would, opens a ride file one of the ways a user can, and reads the
fields it filled.

Started by scripts/ride_test.sh inside a session bus with the accessibility bus running: a key
passes the splash; the ride is opened from the command line or through "Apri con" (the program
was started with it), by Ctrl+O and the file dialog, or by a drop on a text box (on Wayland, on
the window, from a client's drag); Enter accepts "Importa salita", and the six fields are read
over AT-SPI. With --second-climb, the ride has two climbs: Down in the list "Salite" chooses the
second, and the fields must hold its figures as its row shows them."""

import argparse
import queue
import re
import subprocess
import threading
import time

import pyatspi

# The screen-reader helpers of the main windows' probe, beside this file.
from a11y_probe import application, fail, text_of, tree, wait_for, window
from xdnd_drop import drop_file

EXPECTED = {
    "Lunghezza della salita, in metri": "1990",
    "Dislivello, in metri": "159",
    "Tempo impiegato, minuti": "9",
    "Tempo impiegato, secondi": "57",
    "Data della salita": "14-06-2026",
    "Nome della salita": "Salita di prova è",
}


def key(pid, name, keys, wayland=False, target=None):
    """Types keys into the program's visible window with this title; under Wayland, into
    weston's output window, which passes them to the window that has the focus: `target`'s,
    once weston has given it (a window is on the accessibility bus before it is shown)."""
    if wayland:
        wait_for(f"the keyboard focus on {name!r}", lambda: True if target.getState().contains(
            pyatspi.STATE_ACTIVE) else None, seconds=120)
        subprocess.run(["xdotool", "key", *keys], check=False, timeout=20)
        return
    ids = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid),
                          "--name", f"^{name}$"], check=True, capture_output=True, text=True,
                         timeout=20).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", ids[-1], "key", *keys],
                   check=False, timeout=20)


def choose(pid, app, ride):
    """Ctrl+O, then the path written in the dialog's focused name box and Enter."""
    key(pid, "Tarvimo v0.1 ", ["ctrl+o"])
    dialog = wait_for("dialog 'Apri una traccia'",
                      lambda: window(app, "dialog", "Apri una traccia"))
    name_box = wait_for("the dialog's focused name box", lambda: next(
        obj for obj in tree(dialog) if obj.getRoleName() == "text"
        and obj.getState().contains(pyatspi.STATE_FOCUSED)))
    name_box.queryEditableText().setTextContents(ride)
    key(pid, "Apri una traccia", ["Return"])


def drop(pid, main_window, ride):
    """The file dropped on the middle of the climb's name box."""
    box = next(obj for obj in tree(main_window) if obj.name == "Nome della salita"
               and obj.getRoleName() in ("text", "entry"))
    x, y, width, height = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    target = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name",
                             "^Tarvimo v0.1 $"], check=True, capture_output=True, text=True,
                            timeout=20).stdout.split()[-1]
    if not drop_file(int(target), x + width // 2, y + height // 2, ride):
        fail("the main window refused the dropped file")


def drawn(colour=None):
    """The bounding box (x, y, width, height) of what weston draws on its output, on black, or of
    the pixels of one colour; the pointer, parked in the bottom right corner, left out."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], check=True, capture_output=True,
                          text=True).stdout
    window = re.search(r'(0x[0-9a-f]+) "Weston Compositor', tree).group(1)
    shot = subprocess.run(["import", "-window", window, "png:-"], check=True,
                          capture_output=True).stdout
    only = ["-fill", "black", "+opaque", colour] if colour else []
    box = subprocess.run(["convert", "png:-", *only, "-fill", "black", "-draw",
                          "rectangle 870,670 900,700", "-format", "%@", "info:"], input=shot,
                         check=True, capture_output=True).stdout.decode()
    width, height, x, y = map(int, re.match(r"(\d+)x(\d+)\+(\d+)\+(\d+)", box).groups())
    return (x, y, width, height) if width > 1 else None


def steady(colour=None):
    """What is drawn, once three looks 0.4 s apart agree."""
    boxes = []
    for _ in range(3):
        boxes.append(drawn(colour))
        time.sleep(0.4)
    return boxes[0] if boxes[0] is not None and boxes.count(boxes[0]) == 3 else None


def said(process):
    """The lines a process writes, in a queue, as they come."""
    lines = queue.Queue()

    def read():
        for line in process.stdout:
            lines.put(line.strip())

    threading.Thread(target=read, daemon=True).start()
    return lines


def hear(source, lines, word, what, seconds=120, meanwhile=None):
    """Waits until `source` says `word`, doing `meanwhile` every second until then."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            if lines.get(timeout=1) == word:
                return
        except queue.Empty:
            if source.poll() is not None:
                fail(f"{what}: the dragging client ended first, status {source.returncode}")
            if meanwhile:
                meanwhile()
    fail(f"{what}: not within {seconds} s")


def drag_across(program, app, ride):
    """On Wayland: a client that drags the ride opens beside the main window, wherever weston
    puts it, and the ride is dragged from it to a point of the window it does not cover. Each
    step waits for what the client says: the drag begun, the file accepted, the drag over."""
    wait_for("the splash closed", lambda: True if window(app, "dialog", "Tarvimo") is None
             else None, seconds=120)
    x, y, width, height = wait_for("the main window drawn", steady, seconds=120)
    source = subprocess.Popen([program, ride], stdout=subprocess.PIPE, text=True)
    lines = said(source)
    sx, sy, swidth, sheight = wait_for("the dragging client", lambda: steady("magenta"),
                                       seconds=120)
    uncovered = [(x + width * i // 4, y + height * j // 4)
                 for i, j in ((2, 2), (1, 3), (3, 3), (1, 1), (3, 1))]
    end = next(p for p in uncovered if not (sx - 10 <= p[0] <= sx + swidth + 10
                                            and sy - 10 <= p[1] <= sy + sheight + 10))
    start = (sx + swidth // 2, sy + sheight // 2)
    subprocess.run(["xdotool", "mousemove", *map(str, start), "mousedown", "1"], check=True)
    # Where weston lets the press go by, it stays so: the caller tries again on a fresh weston.
    hear(source, lines, "trascino", "the drag begun in the dragging client", seconds=30)
    for step in range(1, 11):
        subprocess.run(["xdotool", "mousemove", str(start[0] + (end[0] - start[0]) * step // 10),
                        str(start[1] + (end[1] - start[1]) * step // 10)], check=True)
    # A slow target answers late: the pointer moves a pixel and back until it does.
    nudge = iter(range(10**6))
    hear(source, lines, "accettato", "the main window accepting the dragged ride",
         meanwhile=lambda: subprocess.run(["xdotool", "mousemove", str(end[0] + next(nudge) % 2),
                                           str(end[1])], check=True))
    subprocess.run(["xdotool", "mouseup", "1"], check=True)
    try:
        taken = source.wait(timeout=120) == 0
    except subprocess.TimeoutExpired:
        source.kill()
        fail("the drag did not end within 120 s of the drop")
    if not taken:
        fail("the main window refused the ride dragged from another program")


def second_climb(pid, dialog, wayland):
    """Down in the list of climbs, which has the focus at opening with the first climb (to the
    highest point) chosen: the second row chosen. Gives
    the fields it must fill, read from the row ("4ª · da km 4,5 · 1,5 km · 90 m · 6,0 % ·
    7 min 30 s")."""
    climbs = wait_for("list 'Salite'", lambda: next(
        (obj for obj in tree(dialog) if obj.name == "Salite" and obj.getRoleName() == "list"),
        None))
    rows = [climbs.getChildAtIndex(i) for i in range(climbs.childCount)]
    print("  salite:", [row.name for row in rows])
    if len(rows) != 2:
        fail(f"two climbs expected, {len(rows)} listed")
    if not rows[0].getState().contains(pyatspi.STATE_SELECTED):
        fail("the climb to the highest point is not the one chosen at opening")
    key(pid, "Importa salita", ["Down"], wayland, dialog)
    wait_for("the second climb chosen", lambda: True if rows[1].getState().contains(
        pyatspi.STATE_SELECTED) else None)
    found = re.search(r"· ([\d,]+) km · (\d+) m · [\d,]+ % · (\d+) min (\d\d) s$", rows[1].name)
    if not found:
        fail(f"the second row says {rows[1].name!r}")
    km, gain, minutes, seconds = found.groups()
    return {"Lunghezza della salita, in metri": km.replace(",", "."), "Dislivello, in metri": gain,
            "Tempo impiegato, minuti": minutes, "Tempo impiegato, secondi": seconds,
            "Data della salita": "14-06-2026", "Nome della salita": "Due salite"}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--wayland", action="store_true")
    parser.add_argument("--open", choices=("started", "ctrl-o", "drop"), default="started")
    parser.add_argument("--ride", help="the file to open by Ctrl+O or by a drop")
    parser.add_argument("--drag-program", help="on Wayland, the client that drags the file")
    parser.add_argument("--second-climb", action="store_true",
                        help="choose the second of the ride's two climbs in the list")
    args = parser.parse_args()
    pid, wayland = args.pid, args.wayland

    # Bounds generous for a loaded machine: each wait ends as soon as its state is there.
    app = wait_for("the program on the accessibility bus", lambda: application(pid), seconds=120)
    splash = wait_for("splash dialog 'Tarvimo'", lambda: window(app, "dialog", "Tarvimo"),
                      seconds=120)
    key(pid, "Tarvimo", ["Return"], wayland, splash)
    if args.open != "started":
        main_window = wait_for("main window", lambda: window(app, "frame", "Tarvimo v0.1"))
        if args.open == "ctrl-o":
            choose(pid, app, args.ride)
        elif wayland:
            drag_across(args.drag_program, app, args.ride)
        else:
            drop(pid, main_window, args.ride)

    dialog = wait_for("dialog 'Importa salita'",
                      lambda: window(app, "dialog", "Importa salita"), seconds=120)
    sliders = [obj for obj in tree(dialog) if obj.getRoleName() == "slider"]
    print("== Importa salita")
    for obj in sliders:
        print(f"  slider {obj.name!r}: {obj.queryValue().currentValue:.3f} km")
    if len(sliders) != 2:
        fail(f"two sliders expected, {len(sliders)} found")
    expected = second_climb(pid, dialog, wayland) if args.second_climb else EXPECTED
    key(pid, "Importa salita", ["Return"], wayland, dialog)
    wait_for("'Importa salita' closed",
             lambda: True if window(app, "dialog", "Importa salita") is None else None,
             seconds=120)

    main_window = wait_for("main window", lambda: window(app, "frame", "Tarvimo v0.1"),
                           seconds=120)
    boxes = {obj.name: obj for obj in tree(main_window) if obj.getRoleName() in ("text", "entry")}
    wrong = []
    print("== campi")
    for name, value in expected.items():
        got = text_of(boxes[name]) if name in boxes else None
        print(f"  {name}: {got!r}")
        # The length in metres against the row's km to one decimal.
        if "," not in value and "." in value:
            right = got is not None and got.isdigit() and abs(int(got) / 1000 - float(value)) < 0.05
        else:
            right = got == value
        if not right:
            wrong.append(f"{name}: {got!r} instead of {value!r}")
    if wrong:
        fail("; ".join(wrong))
    print("OK")


if __name__ == "__main__":
    main()
