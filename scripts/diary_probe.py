#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Keeps a climb as a user would, and checks that Tarvimo remembers it, over AT-SPI.

Started by scripts/diary_test.sh inside a session bus with the accessibility bus running, with
XDG_CONFIG_HOME and XDG_DATA_HOME pointing at empty folders of its own. It starts the program
three times: values typed, "Calcola", Ctrl+S and Ctrl+Q; at the next start the values are back,
the diary (Ctrl+D) lists the entry and "Riapri" writes it into the fields; then, with the diary
file damaged, the next start says so at the first use and keeps the old file aside."""

import argparse
import os
import sqlite3
import subprocess
import time
from pathlib import Path

import pyatspi

from a11y_probe import application, fail, press, text_of, tree, wait_for, window
from ride_probe import key

MAIN = "Tarvimo v0.1 "
TYPED = {"Nome della salita": "Passo di prova «è»", "Lunghezza della salita, in metri": "2500",
         "Dislivello, in metri": "210"}


def start(program):
    """The program started, its splash passed with Enter: (process, accessible app, main)."""
    process = subprocess.Popen([program])
    app = wait_for("the program on the accessibility bus", lambda: application(process.pid),
                   seconds=120)
    wait_for("splash dialog 'Tarvimo'", lambda: window(app, "dialog", "Tarvimo"), seconds=120)
    key(process.pid, "Tarvimo", ["Return"])
    main = wait_for("main window", lambda: window(app, "frame", MAIN.strip()), seconds=60)
    return process, app, main


def boxes(main):
    return {obj.name: obj for obj in tree(main) if obj.getRoleName() in ("text", "entry")}


def quit_with_ctrl_q(process):
    key(process.pid, MAIN, ["ctrl+q"])
    try:
        code = process.wait(60)
    except subprocess.TimeoutExpired:
        process.kill()
        fail("Ctrl+Q did not end the program within 60 s")
    if code != 0:
        fail(f"the program ended with status {code}")


def entries(path):
    try:
        with sqlite3.connect(f"file:{path}?mode=ro", uri=True) as db:
            return db.execute("select count(*) from salite").fetchone()[0]
    except sqlite3.Error:
        return None


def check_fields(main, expected, what):
    got = {name: text_of(boxes(main)[name]) for name in expected}
    print(f"== {what}: {got}")
    if got != expected:
        fail(f"{what}: {got} instead of {expected}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    args = parser.parse_args()
    data = Path(os.environ["XDG_DATA_HOME"]) / "Tarvimo"
    diary = data / "diario.sqlite"

    # 1. Values typed, Calcola, Ctrl+S, Ctrl+Q.
    process, app, main_window = start(args.program)
    fields = boxes(main_window)
    for name, text in TYPED.items():
        fields[name].queryEditableText().setTextContents(text)
    press(next(obj for obj in tree(main_window) if obj.name == "Calcola"))
    key(process.pid, MAIN, ["ctrl+s"])
    wait_for("the entry in the diary", lambda: True if entries(diary) == 1 else None, seconds=60)
    quit_with_ctrl_q(process)

    # 2. The values back at the next start; the diary lists the entry, "Riapri" writes it back.
    process, app, main_window = start(args.program)
    check_fields(main_window, TYPED, "i valori alla nuova partenza")
    boxes(main_window)["Nome della salita"].queryEditableText().setTextContents("un'altra")
    key(process.pid, MAIN, ["ctrl+d"])
    diary_window = wait_for("window 'Diario'", lambda: window(app, "frame", "Diario"), seconds=60)
    table = wait_for("the diary's table", lambda: next(
        obj for obj in tree(diary_window) if obj.getRoleName() == "table"))
    rows = table.queryTable().nRows
    listed = [obj.name for obj in tree(table) if obj.name == TYPED["Nome della salita"]]
    print(f"== Diario: {rows} righe, la salita {'elencata' if listed else 'assente'}")
    if rows != 1 or not listed:
        fail("the diary does not list the entry saved")
    table.queryTable().addRowSelection(0)
    press(next(obj for obj in tree(diary_window) if obj.name == "Riapri"))
    wait_for("the entry written back", lambda: True if text_of(boxes(main_window)[
        "Nome della salita"]) == TYPED["Nome della salita"] else None)
    check_fields(main_window, TYPED, "i valori riaperti dal diario")
    quit_with_ctrl_q(process)

    # 3. The diary damaged: the first use says so, the old file stays aside.
    for suffix in ("-wal", "-shm"):
        Path(f"{diary}{suffix}").unlink(missing_ok=True)
    diary.write_bytes(b"Questo non e' un database SQLite.\n" * 200)
    process, app, main_window = start(args.program)
    key(process.pid, MAIN, ["ctrl+d"])
    message = wait_for("a message about the damaged diary", lambda: next(
        (child for child in app if child is not None and child.getRoleName() in
         ("alert", "dialog") and child.name.strip() != "Tarvimo v0.1"), None), seconds=60)
    said = " ".join(obj.name for obj in tree(message) if obj.getRoleName() == "label")
    print(f"== messaggio: {said}")
    aside = sorted(data.glob("diario.sqlite.danneggiato-*"))
    print(f"== messo da parte: {[path.name for path in aside]}")
    if not aside or aside[0].read_bytes()[:10] != b"Questo non":
        fail("the damaged diary was not kept aside")
    if aside[0].name not in said:
        fail("the message does not name the file kept aside")
    process.kill()
    print("OK")


if __name__ == "__main__":
    main()
