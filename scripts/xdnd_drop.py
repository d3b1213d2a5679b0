# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drops a file on an X11 window the way a file manager does, over the XDND protocol: enter,
position, drop, the path handed over as text/uri-list when the target asks for it."""

import time
import urllib.parse

from Xlib import X, Xatom, display
from Xlib.protocol import event


def drop_file(target, x, y, path, seconds=20):
    """Drops `path` on the toplevel X window `target` at root position (x, y). Returns whether
    the target accepted it; raises TimeoutError where it stops answering."""
    dpy = display.Display()
    try:
        return _drop(dpy, target, x, y, path, seconds)
    finally:
        dpy.close()


def _drop(dpy, target, x, y, path, seconds):
    atom = lambda name: dpy.intern_atom(name)  # noqa: E731
    uri_list = atom("text/uri-list")
    source = dpy.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    source.set_selection_owner(atom("XdndSelection"), X.CurrentTime)
    target = dpy.create_resource_object("window", target)
    version = min(5, target.get_full_property(atom("XdndAware"), Xatom.ATOM).value[0])

    def send(kind, *data):
        data = [source.id, *data] + [0] * (4 - len(data))
        target.send_event(event.ClientMessage(window=target, client_type=atom(kind),
                                              data=(32, data)))
        dpy.flush()

    def wait(kind):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while dpy.pending_events():
                ev = dpy.next_event()
                if ev.type == X.SelectionRequest:
                    hand_over(ev)
                elif ev.type == X.ClientMessage and ev.client_type == atom(kind):
                    return ev.data[1]
            time.sleep(0.02)
        raise TimeoutError(f"nessun {kind} dalla finestra di destinazione")

    def hand_over(request):
        prop = request.property or request.target
        if request.target == uri_list:
            uri = "file://" + urllib.parse.quote(path) + "\r\n"
            request.requestor.change_property(prop, uri_list, 8, uri.encode())
        else:
            prop = X.NONE
        request.requestor.send_event(event.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection,
            target=request.target, property=prop))
        dpy.flush()

    send("XdndEnter", version << 24, uri_list)
    send("XdndPosition", 0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy"))
    accepted = bool(wait("XdndStatus")[1] & 1)
    if not accepted:
        send("XdndLeave")
        return False
    send("XdndDrop", 0, X.CurrentTime)
    finished = wait("XdndFinished")
    return version < 5 or bool(finished[1] & 1)
