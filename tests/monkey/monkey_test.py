#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""The monkey's read-back of a pasted field, on a fake field and clipboard: a field that does
wrong must fail the check, whatever the clipboard held before."""

import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from monkey import MAX_FIELD, Fault, FieldReader  # noqa: E402

LONG = "9" * (MAX_FIELD + 1)


class FakeField(FieldReader):
    """A focused line field. takes_long: it takes a paste over the limit, though it says it
    refused it; refuses_silently: it refuses one without a message; loses: it ignores every
    paste; copies: ctrl+c reaches it."""

    def __init__(self, text, takes_long=False, refuses_silently=False, loses=False, copies=True):
        self.text, self.held = text, ""
        self.takes_long, self.refuses_silently = takes_long, refuses_silently
        self.loses, self.copies, self.refused = loses, copies, False

    def own(self, selection, text):
        self.held = text

    def keys(self, *names):
        if "ctrl+c" in names and self.copies and self.text:
            self.held = self.text
        if "ctrl+v" in names and not self.loses:
            over = len(self.held) > MAX_FIELD
            self.refused = over and not self.refuses_silently
            if not over or self.takes_long:
                self.text = self.held

    def ping(self):
        pass

    def clipboard(self):
        return self.held

    def answer_refusal(self, length):
        if not self.refused:
            raise Fault("no refusal")


ROWS = [
    # what it checks, the field's text, its faults, the text pasted, whether the check fails
    ("a short paste over a text is kept", "12,5", {}, "abc", False),
    ("an empty paste empties the field", "12,5", {}, "", False),
    ("an over-long paste refused leaves an empty field empty", "", {}, LONG, False),
    ("an over-long paste refused leaves the text", "7", {}, LONG, False),
    ("an empty field taking an over-long paste is caught", "", {"takes_long": True}, LONG, True),
    ("an over-long paste refused without a message is caught", "", {"refuses_silently": True},
     LONG, True),
    ("a short paste lost is caught", "", {"loses": True}, "abc", True),
    ("a copy that reaches no field is caught", "", {"copies": False}, "abc", True),
]


class ReadBackTest(unittest.TestCase):
    def test_rows(self):
        for what, text, faults, pasted, fails in ROWS:
            with self.subTest(what):
                field = FakeField(text, **faults)
                if fails:
                    self.assertRaises(Fault, field.paste_kept, pasted)
                else:
                    field.paste_kept(pasted)


if __name__ == "__main__":
    unittest.main()
