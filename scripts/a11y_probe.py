#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a running Tarvimo over AT-SPI as a screen reader does, and checks what it hears.

Started by scripts/a11y_test.sh inside a session bus with the accessibility bus running.
Prints every role and name it read; exits 1 on the first failure."""

import argparse
import re
import subprocess
import sys
import time

import pyatspi

# The default sheet's results, with the Italian number settings. The calculation reads its own
# results back with the display separator, so the total keeps its fraction and its comma.
RESULTS = {
    "mostrapgrav": "222.3",
    "mostraVmedia": "12.75",
    "mostrapaero": "8.9",
    "mostrapatt": "3.4",
    "mostraptot": "234,6",
    "mostrawkg": "3.9",
    "mostrapmedia": "9.02",
    "mostraPPM": "58",
    "mostraVAM": "1150",
    "mostraCoppia": "38.6",
    "mostraFmax": "43.4",
}

# What each kind of control in the main window's table is on the bus.
ROLES = {
    "Frame": {"panel"},
    "Label": {"label"},
    "Button": {"push button"},
    "Box": {"text", "entry"},
}

ROW = re.compile(
    r'ControlSpec\{"(\w+)",\s*(\w+),\s*(?:nullptr|"[^"]*"),\s*(nullptr|"[^"]*"),'
    r'.*,\s*(nullptr|"[^"]*")\},'
)


def fail(message):
    print(f"FALLITO: {message}")
    sys.exit(1)


def control_table(path):
    """name -> (kind, name a screen reader should hear), from the main window's table."""
    rows = {}
    with open(path, encoding="utf-8") as table:
        for line in table:
            match = ROW.search(line)
            if match:
                name, kind, caption, accessible = match.groups()
                heard = accessible if accessible != "nullptr" else caption
                rows[name] = (kind, None if heard == "nullptr" else heard.strip('"'))
    if sum(kind == "Box" for kind, _ in rows.values()) != 27:
        fail(f"{path}: 27 text boxes expected, {len(rows)} rows read")
    return rows


def wait_for(what, find, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # an object gone while it was read
            found = None
        if found is not None:
            return found
        time.sleep(0.2)
    fail(f"{what}: not found within {seconds} s")


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def window(app, role, name):
    """The top-level window with this role and name, or None."""
    app.clearCache()
    for child in app:
        if child is not None and child.getRoleName() == role and child.name.strip() == name:
            return child
    return None


def tree(root):
    """Every object under root (root included), depth first."""
    objects = [root]
    for child in root:
        if child is not None:
            objects.extend(tree(child))
    return objects


def read_window(title, root):
    """Prints the window's tree; every object in it must have a name."""
    print(f"== {title}")
    objects = tree(root)
    for obj in objects:
        print(f"  {obj.getRoleName():12} {obj.name!r}")
    nameless = [obj.getRoleName() for obj in objects if not obj.name.strip()]
    if nameless:
        fail(f"{title}: objects without a name: {nameless}")
    return objects


def press(obj):
    action = obj.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    index = next((i for i, n in enumerate(names) if n in ("press", "click")), None)
    if index is None:
        fail(f"{obj.name!r}: no press action among {names}")
    action.doAction(index)


def notice_box(splash):
    """The splash's notice box once it is built, or None; the drawing that stands in for it
    during the first frame may go while the tree is read."""
    try:
        return next((obj for obj in tree(splash)
                     if obj.getRoleName() == "text" and obj.name == "Avviso"), None)
    except Exception:  # an object gone while it was read
        return None


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, text.characterCount)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--table", required=True)
    args = parser.parse_args()
    table = control_table(args.table)

    app = wait_for("the program on the accessibility bus", lambda: application(args.pid))
    print(f"applicazione: {app.name!r}")

    splash = wait_for("splash dialog 'Tarvimo'", lambda: window(app, "dialog", "Tarvimo"))
    # The notice box comes right after the window's first frame: read the window once it is in.
    notice = wait_for("the notice box 'Avviso'", lambda: notice_box(splash))
    read_window("splash (dialog)", splash)
    if "AVVISO:" not in text_of(notice):
        fail(f"the notice box reads {text_of(notice)!r}")

    # A key typed on the splash leads on, as for a sighted user.
    ids = subprocess.run(
        ["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(args.pid)],
        check=True, capture_output=True, text=True, timeout=20,
    ).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", ids[0], "key", "Return"],
                   check=True, timeout=20)

    main_window = wait_for("main window (frame) 'Tarvimo v0.1'",
                           lambda: window(app, "frame", "Tarvimo v0.1"))
    objects = read_window("main window (frame)", main_window)
    heard = {}
    for obj in objects[1:]:
        heard.setdefault((obj.getRoleName(), obj.name), obj)
    boxes = {}
    for name, (kind, expected) in table.items():
        matches = [obj for (role, said), obj in heard.items()
                   if role in ROLES[kind] and (said == expected or (expected is None and said))]
        if expected is None:  # the contact label, named after the address it shows
            matches = [obj for obj in matches if obj.name.startswith("Contatto")]
        if not matches:
            fail(f"{name}: no {'/'.join(sorted(ROLES[kind]))} named {expected!r}")
        if kind == "Box":
            boxes[name] = matches[0]

    print("== Calcola, through its Action interface")
    press(heard[("push button", "Calcola")])
    # The press is carried out when the program's event loop comes round to it.
    def settled(previous={}):
        now = {field: text_of(boxes[field]) for field in RESULTS}
        ready = all(now.values()) and now == previous
        previous.clear()
        previous.update(now)
        return now if ready else None

    results = wait_for("the eleven results", settled, 10)
    wrong = []
    for field, expected in RESULTS.items():
        got = results[field]
        print(f"  {boxes[field].name}: {got}")
        if got != expected:
            wrong.append(f"{field} {got!r} instead of {expected!r}")
    if wrong:
        fail("results: " + "; ".join(wrong))

    press(heard[("push button", table["Command1"][1])])
    help_window = wait_for("help dialog 'Help'", lambda: window(app, "dialog", "Help"))
    read_window("help (dialog)", help_window)
    print("a11y: tutti i controlli superati")


if __name__ == "__main__":
    main()
