#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Monkey: a seeded random-input driver for Tarvimo, run under Xvfb with the openbox window manager.

It starts the real program and sends it real X events through XTEST (xdotool): keys, hostile
texts typed and pasted (0-200,000 characters), middle-clicks with and without an owner of the
PRIMARY selection (xclip, killed to drop it), the help, "Stampa" answered every way, resizes,
minimising, closing, a ride dropped on the main window, the import window's profile poked and
dragged, the menus opened and their items chosen, the diary's window poked. It reads fields back
through the clipboard to check that nothing typed is lost, pings the program (_NET_WM_PING) to
catch hangs, and watches its output for sanitizer reports.

Run:     tests/monkey/monkey.py --program build/test/ui/tarvimo [--seconds 180]
Replay:  the same with --seed N (printed at the start and with every fault); --events K stops
         after K events. A seed gives the same events whatever the timing: --log FILE writes them.
Time:    --seconds, or TARVIMO_MONKEY_SECONDS, default 180; TARVIMO_MONKEY_SEED fixes the seed.
         Exit 0 clean, 1 fault, 77 skipped.

A new window is a row in WINDOWS: its title and size, the window it opens from and how, the points
to poke, and which of them are line fields that must give back what was typed."""

import argparse
import os
import random
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import zlib
from dataclasses import dataclass, field
from pathlib import Path

SKIP = 77
HERE = Path(__file__).resolve().parent
SCRIPTS = HERE.parents[1] / "scripts"
sys.path.insert(0, str(SCRIPTS))  # xdnd_drop


@dataclass
class Window:
    title: str  # full match of the window's name
    size: tuple  # fixed client size, to tell the window from a dialog with the same title;
    # None: any size, told by its title alone, its points given as fractions of its size
    parent: str = None  # opened from this window by `opener`; None: shown when the program starts
    opener: tuple = ()  # ("key", keys), ("click", control) or ("drop", control): the ride dropped
    controls: dict = field(default_factory=dict)  # name -> (x, y) in the window
    fields: tuple = ()  # line fields that must give back what was typed
    weight: int = 1
    modal: bool = False  # closed with Escape before another window is used
    drag: bool = False  # takes mouse drags
    bar: bool = False  # a menu bar of its own height sits above `size`, which its points are in


def twips(value):
    return (value + 7) // 15


def main_controls(table):
    """Centre points of the main window's controls, read from its table of twips."""
    row = re.compile(r'ControlSpec\{"(\w+)",\s*(\w+),\s*(nullptr|"\w+"),\s*(?:nullptr|"[^"]*"),'
                     r'\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)')
    found, boxes = {}, []
    for name, kind, parent, *rect in row.findall(table.read_text(encoding="utf-8")):
        left, top, width, height = (twips(int(v)) for v in rect)
        ox, oy = found.get(parent.strip('"'), (0, 0, 0, 0))[:2]
        found[name] = (ox + left, oy + top, width, height)
        if kind == "Box":
            boxes.append(name)
    points = {n: (x + w // 2, y + h // 2) for n, (x, y, w, h) in found.items()}
    return points, tuple(boxes)


def make_windows(table):
    points, boxes = main_controls(table)
    return {
        "splash": Window("Tarvimo", (358, 284), weight=1,
                         controls={"Avvisofull": (258, 186), "Frame1": (166, 90)}),
        "main": Window("Tarvimo v0.1 ", (384, 362), "splash", ("key", "Return"), weight=8,
                       controls=points, fields=boxes, bar=True),
        "help": Window("Help", (402, 284), "main", ("click", "Command1"), weight=3,
                       controls={"Text1": (200, 57), "Text2": (200, 176)}),
        # Its size follows the screen: the handles where the climb starts and ends on the
        # monkey's ride, the profile, the two buttons.
        "import": Window("Importa salita", None, "main", ("drop", "sceglinomebici"), weight=3,
                         modal=True, drag=True,
                         controls={"inizio": (0.415, 0.095), "fine": (0.585, 0.095),
                                   "profilo": (0.5, 0.37), "usa": (0.752, 0.951),
                                   "annulla": (0.921, 0.951)}),
        # Not modal, its size its own: the search box, the table, the chart's choice and the
        # chart, the buttons (the CSV ones open file dialogs, which settle() gives up).
        "diary": Window("Diario", None, "main", ("key", "ctrl+d"), weight=2,
                        controls={"cerca": (0.57, 0.033), "voci": (0.5, 0.3),
                                  "misura": (0.12, 0.573), "grafico": (0.5, 0.75),
                                  "riapri": (0.052, 0.965), "elimina": (0.139, 0.965),
                                  "esportaCsv": (0.235, 0.965), "importaCsv": (0.33, 0.965)}),
    }

# The main window's menus: the letter that opens each with Alt, and how many items it has. "Esci"
# (the last of File) is left out: it ends the program, which "close" already does.
MENUS = {"f": 3, "d": 1, "m": 1, "question": 2}


PIECES = ["12,5", "1.234,56", "-0,0", "1e308", "٣٫١٤", "NaN", " 7 ", "0x1F", "1 000", "½", "∞",
          "שלום עולם", "مرحبا ١٢٣", "\u202eabc\u202c", "🚴\u200d♀️💨", "👍🏽", "e\u0301\u0301\u0301",
          "Z̤͔ͧ̑̓ä͖̭̈̇lͮ̒ͫǧ̗͚̚o", "%s%n%1 %2", "<b>x</b>", "Passo dello Stelvio", "città", "ÀÈÌÒÙ"]
CONTROL = ["\x01", "\x07", "\x1b[2J", "\t", "\n", "\r\n", "\x00", "\x7f", "\u2028", "\ufeff"]
KEYS = ["Tab", "shift+Tab", "Return", "Escape", "Up", "Down", "Left", "Right", "Home", "End",
        "BackSpace", "Delete", "ctrl+a", "ctrl+z", "ctrl+shift+z", "ctrl+c", "ctrl+x", "space",
        "F1", "shift+End", "ctrl+BackSpace", "Menu", "Insert", "Page_Down", "KP_Decimal",
        "ctrl+s", "ctrl+d"]
PDF_NAMES = ["corsa.pdf", "Salita 🚴 ñ", "x" * 300 + ".pdf", "nessuna/cartella/f.pdf",
             "/dev/full", "", " .pdf", "corsa.pdf"]
MAX_FIELD = 65536


def hostile(rng, size, clean):
    """A text of `size` characters, made of the pieces; `clean` leaves out control characters."""
    pool = PIECES if clean else PIECES + CONTROL
    parts, length = [], 0
    while length < size:
        parts.append(rng.choice(pool) if rng.random() < 0.7 else "9" * rng.randint(1, 5000))
        length += len(parts[-1])
    return "".join(parts)[:size]


def shown(text):
    return f"{len(text)} car. crc {zlib.crc32(text.encode('utf-8', 'surrogatepass')):08x} {text[:24]!r}"


def plan(rng, windows):
    """The next event: which window, what to do, and everything drawn for it."""
    name = rng.choices(list(windows), [w.weight for w in windows.values()])[0]
    win = windows[name]
    points = sorted(win.controls)
    action = rng.choices(["key", "type", "paste", "middle", "keep", "click", "resize", "minimise",
                          "close", "stampa", "calcola", "drag", "menu"],
                         [8, 4, 4, 5, 4, 3, 1, 1, 1, 2, 2, 3, 2])[0]
    if action in ("stampa", "calcola", "keep") and not win.fields:
        action = "drag" if win.drag else "middle"
    if action == "drag" and not win.drag:
        action = "click"
    if action == "menu" and not win.bar:
        action = "key"
    if action == "key":
        return name, action, {"keys": rng.sample(KEYS, rng.randint(1, 3))}
    if action == "type":
        return name, action, {"at": rng.choice(points), "text": hostile(rng, rng.randint(1, 40),
                                                                        rng.random() < 0.5)}
    if action == "paste":
        size = int(10 ** rng.uniform(0, 5.3)) if rng.random() < 0.9 else 0
        return name, action, {"at": rng.choice(points), "text": hostile(rng, size, rng.random() < 0.5)}
    if action == "middle":
        owner = rng.random() < 0.5
        text = hostile(rng, int(10 ** rng.uniform(0, 5.3)), rng.random() < 0.5) if owner else None
        return name, action, {"at": rng.choice(points), "owner": text}
    if action == "keep":
        # Typed in plain keys: xdotool types other characters by remapping a key for a moment,
        # and a slow program may read the key after the map is back. Pastes check the rest.
        text = "".join(rng.choice(" 0123456789,.-+eE%xX'") for _ in range(rng.randint(1, 30)))
        return name, action, {"at": rng.choice(win.fields), "text": text}
    if action == "click":
        at = (rng.random(), rng.random()) if win.size is None else tuple(map(rng.randrange, win.size))
        return name, action, {"at": at, "button": rng.choice([1, 1, 3])}
    if action == "drag":
        return name, action, {"at": rng.choice(points), "to": (rng.uniform(-0.1, 1.1), rng.random())}
    if action == "menu":
        letter = rng.choice(sorted(MENUS))
        return name, action, {"menu": letter, "item": rng.randrange(MENUS[letter]),
                              "answer": rng.choice(["Return", "Return", "Escape"])}
    if action == "resize":
        return name, action, {"w": rng.randint(1, 2000), "h": rng.randint(1, 2000)}
    if action == "stampa":
        return name, action, {"answer": rng.choice(["Return", "alt+n", "Escape"]),
                              "dialog": rng.choice(["name", "name", "Escape"]), "name": rng.choice(PDF_NAMES)}
    return name, action, {}


def describe(params):
    return " ".join(f"{k}={shown(v) if isinstance(v, str) and len(v) > 24 else v!r}"
                    for k, v in params.items())


class Fault(Exception):
    pass


class FieldReader:
    """Reads the focused line field back through the clipboard, and pastes into it checking what
    it keeps. Below it: own(selection, text), keys(*names), ping(), clipboard() and
    answer_refusal(length), the X server's in Monkey, a fake field's in monkey_test.py."""
    kept = reads = 0

    def read_field(self):
        """The field's text; None where nothing was copied: the field is empty, or the keys went
        elsewhere. A marker put on the clipboard first tells that from the clipboard's own text."""
        self.ping()  # the keys typed before are handled by then: no copy comes after the marker
        self.reads += 1
        marker = f"segnaposto della scimmia n. {self.reads}"
        self.own("clipboard", marker)
        self.keys("ctrl+a", "ctrl+c")
        self.ping()
        got = self.clipboard()
        return None if got == marker else got

    def expect(self, box, text):
        got = self.read_field()
        if (got or "") != text:
            read = "niente (nulla è stato copiato)" if got is None else shown(got)
            raise Fault(f"il campo {box} non rende ciò che è stato scritto:\n  scritto {shown(text)}\n"
                        f"  letto   {read}")
        self.kept += 1

    def paste_kept(self, text):
        before = self.read_field() or ""
        self.own("clipboard", text)
        self.keys("ctrl+a", "ctrl+v")
        # Qt reads the clipboard's UTF-8 as a text of its own and drops a byte order mark that
        # begins it: the program gets the rest.
        pasted = text.removeprefix("\ufeff")
        # The limit counts characters, as len() does; the refusal comes once the paste is over.
        if len(pasted) > MAX_FIELD:
            self.answer_refusal(len(pasted))
        self.expect("incollato", pasted if len(pasted) <= MAX_FIELD else before)


class Monkey(FieldReader):
    def __init__(self, args, windows, work):
        self.args, self.windows, self.work = args, windows, work
        # Folders of its own: the program starts from the default values, and keeps them there.
        self.env = dict(os.environ, HOME=str(work), XDG_RUNTIME_DIR=str(work), LC_ALL="C.UTF-8",
                        XDG_CONFIG_HOME=str(work / "config"), XDG_DATA_HOME=str(work / "data"),
                        CUPS_SERVER=str(work / "no-cups.sock"), QT_QPA_PLATFORM="xcb",
                        ASAN_OPTIONS="detect_leaks=1", UBSAN_OPTIONS="print_stacktrace=1")
        for key in ("QT_QPA_PLATFORMTHEME", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "QT_STYLE_OVERRIDE"):
            self.env.pop(key, None)
        self.procs, self.app, self.log_seen, self.pings = [], None, 0, []
        self.log = open(work / "tarvimo.log", "wb+")
        # A ride of 3,000 points: a flat approach, the climb, a descent.
        self.ride = work / "giro.gpx"
        subprocess.run(["/usr/bin/python3", SCRIPTS / "make_ride.py", self.ride, "3000"], check=True)

    # -- the X server, the window manager, the program
    def start_x(self):
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        ready, _, _ = select.select([xvfb.stdout], [], [], 30)
        if not ready:
            raise Fault("Xvfb non parte")
        self.env["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        from Xlib import X, display
        self.X, self.dpy = X, display.Display()
        self.root = self.dpy.screen().root
        self.root.change_attributes(event_mask=X.StructureNotifyMask)  # ping replies come here
        self.procs.append(subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1)

    def start_app(self):
        self.app = subprocess.Popen([os.path.abspath(self.args.program)], env=self.env, cwd=self.work,
                                    stdout=self.log, stderr=self.log)
        self.note(f"avvio del programma, pid {self.app.pid}")
        self.wait_for("splash", 60)

    def close_app(self):
        """Closes every window as a user would; the program must end cleanly."""
        self.settle()
        for name in ("import", "help", "diary", "main", "splash"):
            wid = self.find(name)
            if wid:
                self.xdo("windowactivate", "--sync", wid, "key", "alt+F4")
        try:
            code = self.app.wait(30)
        except subprocess.TimeoutExpired:
            raise Fault("chiuse le finestre, il programma non termina")
        self.check_output()
        if code != 0 and not self.leaks_only():
            raise Fault(f"il programma chiuso è terminato con stato {code}")
        self.app = None

    def check_output(self):
        self.log.flush()
        self.log.seek(self.log_seen)
        new = self.log.read().decode("utf-8", "replace")
        self.log_seen = self.log.tell()
        for marker in ("ERROR: AddressSanitizer", "runtime error:", "Segmentation fault"):
            if marker in new:
                raise Fault(f"rapporto del sanitizer: {marker}\n{new[-4000:]}")

    def leaks_only(self):
        """A leak report alone, with no frame of Tarvimo's own in it, is Qt's and the system's."""
        text = (self.work / "tarvimo.log").read_text("utf-8", "replace")
        return "LeakSanitizer" in text and " in tarvimo::" not in text.split("LeakSanitizer", 1)[1]

    def alive(self):
        if self.app is not None and self.app.poll() is not None:
            self.check_output()
            raise Fault(f"il programma è terminato da solo con stato {self.app.returncode}")

    # -- windows
    def xdo(self, *args, timeout=30):
        try:
            return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                                  text=True, timeout=timeout).stdout
        except subprocess.TimeoutExpired:
            return ""

    def visible(self):
        """(id, name, size) of the program's shown windows."""
        found = []
        if self.app is None:
            return found
        for wid in self.xdo("search", "--onlyvisible", "--pid", self.app.pid).split():
            try:
                win = self.dpy.create_resource_object("window", int(wid))
                name = win.get_full_text_property(self.dpy.intern_atom("_NET_WM_NAME")) or ""
                geometry = win.get_geometry()
                found.append((int(wid), name, (geometry.width, geometry.height)))
            except Exception:  # gone while it was read
                pass
        return found

    @staticmethod
    def fits(win, size):
        """Whether a window of this size can be `win`; a menu bar is a few dozen pixels high."""
        if win.size is None or win.size == size:
            return True
        return win.bar and size[0] == win.size[0] and 0 < size[1] - win.size[1] <= 60

    def find(self, name):
        win = self.windows[name]
        return next((w for w, n, s in self.visible() if n == win.title and self.fits(win, s)), None)

    def dialogs(self):
        return [w for w, n, s in self.visible()
                if not any(n == win.title and self.fits(win, s) for win in self.windows.values())]

    def at(self, wid, win, point):
        """A point of the window in pixels; fractions of its size where its size is not fixed."""
        if win.size is not None:
            if win.bar:  # the controls sit below the menu bar
                height = self.dpy.create_resource_object("window", wid).get_geometry().height
                return point[0], point[1] + height - win.size[1]
            return point
        geometry = self.dpy.create_resource_object("window", wid).get_geometry()
        return round(point[0] * geometry.width), round(point[1] * geometry.height)

    def wait_for(self, name, seconds=20):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.alive()
            wid = self.find(name)
            if wid:
                return wid
            time.sleep(0.1)
        raise Fault(f"la finestra {name} non compare")

    def ensure(self, name):
        """The window, opened the way its row says, from the window it opens from."""
        self.settle()
        self.close_modal(but=name)
        wid = self.app and self.find(name)
        if wid:
            return wid
        win = self.windows[name]
        if win.parent is None:
            if self.app:
                self.close_app()
            self.start_app()
        else:
            parent = self.ensure(win.parent)
            self.act_on(parent)
            kind, what = win.opener
            if kind == "key":
                self.xdo("key", what)
            else:
                opener = self.windows[win.parent]
                point = self.at(parent, opener, opener.controls[what])
                (self.drop if kind == "drop" else self.click)(parent, point)
        return self.wait_for(name)

    def close_modal(self, but):
        """Gives up the open modal windows, with Escape, before another window is used."""
        for name, win in self.windows.items():
            wid = win.modal and name != but and self.app and self.find(name)
            if wid:
                self.xdo("windowactivate", "--sync", wid, "key", "Escape", timeout=5)
                deadline = time.monotonic() + 20
                while self.find(name):
                    self.alive()
                    if time.monotonic() > deadline:
                        raise Fault(f"la finestra {name} non si chiude con Esc")
                    time.sleep(0.1)

    def drop(self, wid, point):
        """The monkey's ride dropped on the window at `point`, as a file manager drops a file."""
        from xdnd_drop import drop_file
        win = self.dpy.create_resource_object("window", wid)
        spot = self.root.translate_coords(win, *point)
        try:
            drop_file(wid, spot.x, spot.y, str(self.ride))
        except TimeoutError as error:
            self.alive()
            raise Fault(f"la finestra non risponde al trascinamento: {error}")

    def settle(self):
        """Answers leftover dialogs with Escape, as a user who gives up would."""
        for attempt in range(8):
            self.alive()
            self.check_output()
            dialogs = self.dialogs()
            if not dialogs:
                return
            # A popup (the file dialog's completer) holds the keyboard: Escape goes to it first.
            if attempt % 2:
                self.xdo("windowactivate", "--sync", dialogs[-1], timeout=5)
            self.xdo("key", "Escape")
            time.sleep(0.3)
        raise Fault(f"una finestra di dialogo non si chiude con Esc: {[v for v in self.visible() if v[0] in self.dialogs()]}")

    def act_on(self, wid):
        self.xdo("windowactivate", "--sync", wid, timeout=5)

    def release_modifiers(self):
        """xdotool types a character missing from the keymap through a key it remaps for a moment,
        and can leave a modifier down: the next click or shortcut would carry it."""
        self.xdo("keyup", "Shift_L", "Shift_R", "Control_L", "Control_R", "Alt_L", "Alt_R",
                 "ISO_Level3_Shift", "Mode_switch", "Super_L")

    def click(self, wid, point, button=1):
        self.xdo("mousemove", "--window", wid, point[0], point[1], "click", button)
        self.released()

    def released(self):
        """Waits until no button is down. openbox holds a click until it has caught up (after a
        keyboard map changed, seconds later) and then hands it on; keys sent meanwhile go straight
        through, to the control that had the focus before the click."""
        buttons = self.X.Button1Mask | self.X.Button2Mask | self.X.Button3Mask
        deadline = time.monotonic() + 30
        while self.root.query_pointer().mask & buttons:
            self.alive()
            if time.monotonic() > deadline:
                raise Fault("un clic resta premuto per 30 s: il gestore delle finestre non lo consegna")
            time.sleep(0.02)

    # -- selections and the ping
    def own(self, selection, text):
        """An xclip that holds `text` as the selection, once it does: a paste or a copy sent
        before would meet the previous owner, or be overwritten."""
        atom = self.dpy.intern_atom(selection.upper())
        previous = self.owner(atom)
        owner = subprocess.Popen(["xclip", "-quiet", "-selection", selection, "-i"], env=self.env,
                                 stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs = [p for p in self.procs if p.poll() is None] + [owner]
        owner.stdin.write(text.encode("utf-8", "surrogatepass"))
        owner.stdin.close()
        deadline = time.monotonic() + 30
        while self.owner(atom) in (previous, 0):
            if owner.poll() is not None or time.monotonic() > deadline:
                raise Fault(f"xclip non prende la selezione {selection}")
            time.sleep(0.02)
        return owner

    def owner(self, atom):
        found = self.dpy.get_selection_owner(atom)
        return getattr(found, "id", found)

    def disown_primary(self):
        owner = self.own("primary", "")
        owner.kill()  # the X server drops the ownership of a client that goes
        owner.wait()
        time.sleep(0.1)

    def keys(self, *names):
        self.xdo("key", *names)

    def clipboard(self):
        try:
            out = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.env,
                                 capture_output=True, timeout=30).stdout
        except subprocess.TimeoutExpired:
            raise Fault("il programma non consegna gli appunti")
        return out.decode("utf-8", "surrogateescape")

    def answer_refusal(self, length):
        self.wait_dialog(f"nessun messaggio rifiuta un testo incollato di {length} caratteri", 30)
        self.settle()
        self.act_on(self.find("main"))

    def ping(self):
        from Xlib import protocol
        wid = next((w for w, _, _ in self.visible()), None)
        if wid is None:
            return
        protocols, net_ping = self.dpy.intern_atom("WM_PROTOCOLS"), self.dpy.intern_atom("_NET_WM_PING")
        stamp = len(self.pings) + 1
        win = self.dpy.create_resource_object("window", wid)
        win.send_event(protocol.event.ClientMessage(window=win, client_type=protocols,
                                                    data=(32, [net_ping, stamp, wid, 0, 0])))
        self.dpy.flush()
        start = time.monotonic()
        while time.monotonic() - start < self.args.hang:
            while self.dpy.pending_events():
                event = self.dpy.next_event()
                if (event.type == self.X.ClientMessage and event.client_type == protocols
                        and list(event.data[1][:2]) == [net_ping, stamp]):
                    self.pings.append(time.monotonic() - start)
                    return
            select.select([self.dpy.fileno()], [], [], 0.05)
        self.alive()
        raise Fault(f"nessuna risposta al ping in {self.args.hang} s: il programma è bloccato")

    # -- the events
    def run_event(self, name, action, p):
        wid = self.ensure(name)
        if action not in ("close",):
            self.act_on(wid)
        win = self.windows[name]
        if action == "key":
            self.xdo("key", "--delay", 30, *p["keys"])
        elif action == "type":
            self.click(wid, self.at(wid, win, win.controls[p["at"]]))
            self.xdo("type", "--delay", 15, "--", p["text"].replace("\x00", ""))  # argv holds no NUL
            self.release_modifiers()
        elif action == "paste":
            self.own("clipboard", p["text"])
            self.click(wid, self.at(wid, win, win.controls[p["at"]]))
            if p["at"] in win.fields and "\x00" not in p["text"]:
                self.paste_kept(p["text"])
            else:
                self.xdo("key", "ctrl+v")
        elif action == "middle":
            if p["owner"] is None:
                self.disown_primary()
            else:
                self.own("primary", p["owner"])
            self.click(wid, self.at(wid, win, win.controls[p["at"]]), 2)
        elif action == "keep":
            self.click(wid, self.at(wid, win, win.controls[p["at"]]))
            self.xdo("key", "ctrl+a")
            self.xdo("type", "--delay", 15, "--", p["text"])
            self.release_modifiers()
            self.expect(p["at"], p["text"])
        elif action == "click":
            self.click(wid, self.at(wid, win, p["at"]), p["button"])
        elif action == "drag":
            start, end = self.at(wid, win, win.controls[p["at"]]), self.at(wid, win, p["to"])
            # "--": a point left of the window is negative, and not an option.
            self.xdo("mousemove", "--window", wid, "--", *start, "mousedown", 1, "mousemove",
                     "--window", wid, "--", *end, "mouseup", 1)
            self.released()
        elif action == "menu":
            # Opened by its letter with the first item lit; a dialog an item opens is given up
            # by settle() below, as a user who changes their mind would.
            self.xdo("key", f"alt+{p['menu']}", *["Down"] * p["item"], p["answer"])
            self.release_modifiers()
        elif action == "resize":
            self.xdo("windowsize", wid, p["w"], p["h"])
        elif action == "minimise":
            self.xdo("windowminimize", "--sync", wid, timeout=5)
            time.sleep(0.3)
            self.act_on(wid)
        elif action == "close":
            if name in ("help", "import", "diary"):
                self.xdo("key", "alt+F4")
            else:
                self.close_app()
        elif action == "calcola":
            self.click(wid, self.at(wid, win, win.controls["pulsantecalcola"]))
        elif action == "stampa":
            self.stampa(wid, win, p)
        time.sleep(0.2)
        self.settle()
        if self.app:
            self.ping()
            if action == "resize" and not self.find(name):
                raise Fault(f"la finestra {name} non ha più la sua misura {win.size}")

    def stampa(self, wid, win, p):
        self.click(wid, self.at(wid, win, win.controls["Stampa"]))
        question = self.wait_dialog()
        self.xdo("windowactivate", "--sync", question, "key", p["answer"], timeout=5)
        if p["answer"] != "Return":
            return
        dialog = self.wait_dialog()
        self.act_on(dialog)
        if p["dialog"] == "name":
            self.xdo("key", "ctrl+a")
            if p["name"]:
                self.xdo("type", "--delay", 5, "--", p["name"])
            self.xdo("key", "Return")
        else:
            self.xdo("key", p["dialog"])
        time.sleep(1)

    def wait_dialog(self, missing="nessuna finestra di dialogo dopo \"Stampa\"", seconds=20):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.alive()
            dialogs = self.dialogs()
            if dialogs:
                return dialogs[-1]
            time.sleep(0.1)
        raise Fault(missing)

    def shutdown(self):
        for proc in ([self.app] if self.app else []) + self.procs[::-1]:
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()

    def note(self, text):
        print(f"        # {text}", flush=True)


def run(args, seed):
    table = Path(args.controls)
    windows = make_windows(table)
    rng = random.Random(seed)
    work = Path(tempfile.mkdtemp(prefix="tarvimo-monkey."))
    monkey = Monkey(args, windows, work)
    events = open(args.log, "w", encoding="utf-8") if args.log else None
    print(f"seme {seed} (per ripetere: --seed {seed})", flush=True)
    start, count = time.monotonic(), 0
    try:
        monkey.start_x()
        monkey.start_app()
        while time.monotonic() - start < args.seconds and (args.events is None or count < args.events):
            name, action, params = plan(rng, windows)
            line = f"{count:5d} {name:7} {action:8} {describe(params)}"
            print(line, flush=True)
            if events:
                print(line, file=events, flush=True)
            monkey.run_event(name, action, params)
            count += 1
        if monkey.app:
            monkey.close_app()
    except Fault as fault:
        print(f"FALLITO all'evento {count} dopo {time.monotonic() - start:.1f} s: {fault}\n"
              f"per ripetere: --seed {seed} --events {count + 1}; uscita del programma in "
              f"{work / 'tarvimo.log'}, schermo in {work / 'schermo.png'}", flush=True)
        subprocess.run(["import", "-window", "root", work / "schermo.png"], env=monkey.env, timeout=30)
        monkey.shutdown()
        return 1
    pings = monkey.pings or [0]
    print(f"superato: seme {seed}, {count} eventi in {time.monotonic() - start:.0f} s, "
          f"{len(monkey.pings)} ping (il più lento {max(pings) * 1000:.0f} ms), "
          f"{monkey.kept} campi riletti uguali", flush=True)
    monkey.shutdown()
    shutil.rmtree(work, ignore_errors=True)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True)
    parser.add_argument("--controls", default=str(HERE.parents[1] / "ui" / "windows" / "control_table.cpp"))
    parser.add_argument("--seconds", type=float, default=float(os.environ.get("TARVIMO_MONKEY_SECONDS", 180)))
    parser.add_argument("--seed", type=int, default=os.environ.get("TARVIMO_MONKEY_SEED"))
    parser.add_argument("--events", type=int, default=None)
    parser.add_argument("--hang", type=float, default=20, help="seconds without a ping reply")
    parser.add_argument("--log", help="file for the events, one a line")
    args = parser.parse_args()
    missing = [t for t in ("Xvfb", "openbox", "xdotool", "xclip") if not shutil.which(t)]
    try:
        import Xlib  # noqa: F401
    except ImportError:
        missing.append("python3-xlib")
    if missing:
        print(f"saltato: mancano {', '.join(missing)}")
        return SKIP
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(10**9)
    return run(args, seed)


if __name__ == "__main__":
    sys.exit(main())
