#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draw Tarvimo's pictures and icons.

The images are drawn from code so they can be tweaked and redrawn without an
image editor. Standard library only; the output is deterministic, so running
the script twice gives the same bytes.

Run from the repository root:  python3 scripts/draw_assets.py
"""
import math
import os
import struct
import zlib

ASSETS = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "assets")
APP_ID = "org.tarvimo.Tarvimo"
HICOLOR_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
# Window icons larger than the 32 px design, for docks and task switchers on dense screens.
LARGE_WINDOW_ICON_SIZES = (48, 64, 128, 256)


# ------------------------------------------------------------------ PNG writer

def _chunk(tag, data):
    return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))


def _filter(rows, bpp):
    # Per row, keep whichever of None/Sub/Up gives the smallest residues:
    # the sky gradients shrink a lot with it.
    out, prev = bytearray(), bytes(len(rows[0]))
    for row in rows:
        sub = bytes((row[i] - (row[i - bpp] if i >= bpp else 0)) & 255 for i in range(len(row)))
        up = bytes((a - b) & 255 for a, b in zip(row, prev))
        cost = lambda r: sum(v if v < 128 else 256 - v for v in r)
        kind, data = min(enumerate((row, sub, up)), key=lambda kd: cost(kd[1]))
        out.append(kind)
        out += data
        prev = row
    return bytes(out)


def write_png(path, width, height, colour_type, depth, rows, palette=None, trns=None):
    """rows: one bytes object per scanline, already packed for colour_type/depth."""
    channels = {0: 1, 3: 1, 6: 4}[colour_type]
    raw = _filter(rows, max(1, channels * depth // 8))
    png = b"\x89PNG\r\n\x1a\n"
    png += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0))
    if palette:
        png += _chunk(b"PLTE", b"".join(bytes(c[:3]) for c in palette))
    if trns:
        png += _chunk(b"tRNS", bytes(trns))
    png += _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


# --------------------------------------------------------------------- colours

def rgb(hexcode, alpha=1.0):
    h = hexcode.lstrip("#")
    return tuple(int(h[i:i + 2], 16) / 255 for i in (0, 2, 4)) + (alpha,)


def grey(level, alpha=1.0):
    return (level / 255,) * 3 + (alpha,)


class VGrad:
    """Vertical gradient through (y, colour) stops, y in design units."""

    def __init__(self, *stops):
        self.stops = stops

    def __call__(self, y):
        s = self.stops
        if y <= s[0][0]:
            return s[0][1]
        for (y0, c0), (y1, c1) in zip(s, s[1:]):
            if y <= y1:
                t = (y - y0) / (y1 - y0)
                return tuple(a + (b - a) * t for a, b in zip(c0, c1))
        return s[-1][1]


# ---------------------------------------------------------------------- shapes
# A shape is a list of closed contours, filled with the even-odd rule.

def rect(x0, y0, x1, y1):
    return [[(x0, y0), (x1, y0), (x1, y1), (x0, y1)]]


def circle(cx, cy, r, n=72):
    return [[(cx + r * math.cos(2 * math.pi * i / n), cy + r * math.sin(2 * math.pi * i / n))
             for i in range(n)]]


def rrect(x0, y0, x1, y1, r, n=12):
    pts = []
    for cx, cy, a in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        pts += [(cx + r * math.cos(math.radians(a + 90 * i / n)), cy + r * math.sin(math.radians(a + 90 * i / n)))
                for i in range(n + 1)]
    return [pts]


def stroke_parts(pts, widths):
    """Round-capped, round-joined polyline as a union of quads and discs.
    widths: one width, or one per point (the road narrows with distance)."""
    if not isinstance(widths, (list, tuple)):
        widths = [widths] * len(pts)
    parts = [circle(x, y, w / 2, 24) for (x, y), w in zip(pts, widths)]
    for (x0, y0), (x1, y1), w0, w1 in zip(pts, pts[1:], widths, widths[1:]):
        d = math.hypot(x1 - x0, y1 - y0) or 1.0
        nx, ny = -(y1 - y0) / d, (x1 - x0) / d
        parts.append([[(x0 + nx * w0 / 2, y0 + ny * w0 / 2), (x1 + nx * w1 / 2, y1 + ny * w1 / 2),
                       (x1 - nx * w1 / 2, y1 - ny * w1 / 2), (x0 - nx * w0 / 2, y0 - ny * w0 / 2)]])
    return parts


# ----------------------------------------------------------------------- scene
# Drawings are recorded as a display list, so the same icon can be rasterised
# at every size and also written out as SVG.

def clip_convex(contour, window):
    """Sutherland-Hodgman: the part of contour inside a convex, clockwise window."""
    for (ax, ay), (bx, by) in zip(window, window[1:] + window[:1]):
        inside = lambda p: (bx - ax) * (p[1] - ay) - (by - ay) * (p[0] - ax) >= 0
        out = []
        for p, q in zip(contour, contour[1:] + contour[:1]):
            if inside(q) != inside(p):
                t = ((bx - ax) * (ay - p[1]) - (by - ay) * (ax - p[0])) / \
                    ((bx - ax) * (q[1] - p[1]) - (by - ay) * (q[0] - p[0]))
                out.append((p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t))
            if inside(q):
                out.append(q)
        contour = out
        if not contour:
            break
    return contour


class Scene:
    def __init__(self, width, height, min_stroke=0.0):
        self.width, self.height, self.min_stroke = width, height, min_stroke
        self.window = None  # convex outline that later fills are trimmed to
        self.ops = []

    def fill(self, shape, paint):
        self.fill_union([shape], paint)

    def fill_union(self, shapes, paint):
        if self.window:
            # Trim here rather than with an SVG clipPath, which simple renderers ignore.
            shapes = [[c for c in (clip_convex(c, self.window) for c in shape) if c] for shape in shapes]
        self.ops.append(("fill", shapes, paint))

    def circle(self, cx, cy, r, paint):
        self.ops.append(("circle", (cx, cy, r), paint))

    def stroke(self, pts, width, colour, closed=False):
        width = max(width, self.min_stroke)
        self.ops.append(("stroke", (pts, width, closed), colour))

    def ring(self, cx, cy, r, width, colour):
        self.stroke(circle(cx, cy, r, 48)[0], width, colour, closed=True)


class Canvas:
    """RGBA samples, `ss` per output pixel in each direction."""

    def __init__(self, width, height, unit, ss):
        self.ss, self.k = ss, unit * ss
        self.w, self.h = width * ss, height * ss
        self.rows = [[(0.0, 0.0, 0.0, 0.0)] * self.w for _ in range(self.h)]

    def spans(self, shape):
        edges = []
        for contour in shape:
            pts = [(x * self.k, y * self.k) for x, y in contour]
            edges += [(x0, y0, x1, y1) for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]) if y0 != y1]
        out = {}
        if not edges:
            return out
        top = max(0, int(min(min(e[1], e[3]) for e in edges)))
        bottom = min(self.h, int(max(max(e[1], e[3]) for e in edges)) + 1)
        for row in range(top, bottom):
            yc = row + 0.5
            xs = sorted(x0 + (yc - y0) * (x1 - x0) / (y1 - y0)
                        for x0, y0, x1, y1 in edges if min(y0, y1) <= yc < max(y0, y1))
            for a, b in zip(xs[::2], xs[1::2]):
                a, b = max(0, math.ceil(a - 0.5)), min(self.w, math.ceil(b - 0.5))
                if b > a:
                    out.setdefault(row, []).append((a, b))
        return out

    def union(self, shapes):
        rows = {}
        for shape in shapes:
            for row, spans in self.spans(shape).items():
                rows.setdefault(row, []).extend(spans)
        for row, spans in rows.items():
            spans.sort()
            merged = [list(spans[0])]
            for a, b in spans[1:]:
                if a <= merged[-1][1]:
                    merged[-1][1] = max(merged[-1][1], b)
                else:
                    merged.append([a, b])
            rows[row] = merged
        return rows

    def paint(self, rows, paint):
        for row, spans in rows.items():
            c = paint((row + 0.5) / self.k) if callable(paint) else paint
            line = self.rows[row]
            for a, b in spans:
                if c[3] >= 1.0:
                    line[a:b] = [c] * (b - a)
                else:
                    line[a:b] = [_over(c, d) for d in line[a:b]]

    def pixels(self):
        """Box-filter the samples down to output pixels, (r, g, b, a) in 0..1."""
        n, out = self.ss, []
        for oy in range(self.h // n):
            block, line = self.rows[oy * n:(oy + 1) * n], []
            for ox in range(self.w // n):
                r = g = b = a = 0.0
                for srow in block:
                    for p in srow[ox * n:(ox + 1) * n]:
                        pa = p[3]
                        r, g, b, a = r + p[0] * pa, g + p[1] * pa, b + p[2] * pa, a + pa
                line.append((r / a, g / a, b / a, a / (n * n)) if a > 0 else (0.0, 0.0, 0.0, 0.0))
            out.append(line)
        return out


def _over(s, d):
    sa = s[3]
    da = d[3] * (1 - sa)
    a = sa + da
    if a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    return tuple((s[i] * sa + d[i] * da) / a for i in range(3)) + (a,)


def rasterise(scene, size, ss=4):
    """Render a scene to size[0] x size[1] pixels."""
    cv = Canvas(size[0], size[1], size[0] / scene.width, ss)
    for kind, geom, paint in scene.ops:
        if kind == "fill":
            cv.paint(cv.union(geom), paint)
        elif kind == "circle":
            cv.paint(cv.spans(circle(*geom)), paint)
        elif kind == "stroke":
            pts, width, closed = geom
            cv.paint(cv.union(stroke_parts(pts + pts[:1] if closed else pts, width)), paint)
    return cv.pixels()


# ---------------------------------------------------------------- SVG writer

def _hex(c):
    return "#%02x%02x%02x" % tuple(round(v * 255) for v in c[:3])


def _paint_attr(name, paint, defs):
    if callable(paint):
        gid = "g%d" % len(defs)
        stops = "".join('<stop offset="%g" stop-color="%s"/>' % (
            (y - paint.stops[0][0]) / (paint.stops[-1][0] - paint.stops[0][0]), _hex(c)) for y, c in paint.stops)
        defs.append('<linearGradient id="%s" gradientUnits="userSpaceOnUse" x1="0" y1="%g" x2="0" y2="%g">%s'
                    '</linearGradient>' % (gid, paint.stops[0][0], paint.stops[-1][0], stops))
        return '%s="url(#%s)"' % (name, gid)
    attr = '%s="%s"' % (name, _hex(paint))
    return attr + (' %s-opacity="%g"' % (name, round(paint[3], 3)) if paint[3] < 1 else "")


def _d(shape):
    return " ".join("M" + " L".join("%g,%g" % (round(x, 2), round(y, 2)) for x, y in c) + " Z" for c in shape)


def svg(scene, px):
    defs, body = [], []
    for kind, geom, paint in scene.ops:
        if kind == "fill":
            for shape in geom:
                body.append('<path fill-rule="evenodd" %s d="%s"/>' % (_paint_attr("fill", paint, defs), _d(shape)))
        elif kind == "circle":
            body.append('<circle cx="%g" cy="%g" r="%g" %s/>' % (*(round(v, 2) for v in geom),
                                                                   _paint_attr("fill", paint, defs)))
        elif kind == "stroke":
            pts, width, closed = geom
            tag = "polygon" if closed else "polyline"
            body.append('<%s fill="none" %s stroke-width="%g" stroke-linecap="round" stroke-linejoin="round" '
                        'points="%s"/>' % (tag, _paint_attr("stroke", paint, defs), round(width, 2),
                                           " ".join("%g,%g" % (round(x, 2), round(y, 2)) for x, y in pts)))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
            'viewBox="0 0 %g %g">\n<defs>\n%s\n</defs>\n%s\n</svg>\n'
            % (px, px, scene.width, scene.height, "\n".join(defs), "\n".join(body)))


# --------------------------------------------------------------------- motifs

def _knee(hip, foot, thigh, shin):
    # Two-bone reach; the knee bends towards the front wheel (+u).
    dx, dy = foot[0] - hip[0], foot[1] - hip[1]
    dist = math.hypot(dx, dy)
    d = min(dist, thigh + shin - 1e-6)
    a = (thigh * thigh - shin * shin + d * d) / (2 * d)
    h = math.sqrt(max(0.0, thigh * thigh - a * a))
    ux, uy = dx / dist, dy / dist
    return (hip[0] + a * ux - h * uy, hip[1] + a * uy + h * ux)


def cyclist(sc, x, y, size, climb, body, bike, jersey=None, spokes=False, simple=False, gap=None, pedal=0.5):
    """A seated rider climbing; (x, y) is the ground point between the wheels,
    size the wheelbase, climb the road's angle and pedal the near crank's, in radians.
    simple drops the details that turn to mush at icon sizes."""
    ca, sa = math.cos(climb), math.sin(climb)

    def P(u, v):  # bike coordinates (y up, wheelbase 1) to the scene
        return (x + size * (u * ca - v * sa), y - size * (u * sa + v * ca))

    def line(pts, w, colour):
        sc.stroke([P(u, v) for u, v in pts], w * size, colour)

    r = 0.35
    rear, front, bb = (-0.5, r), (0.5, r), (-0.08, 0.3)
    hip, shoulder, head = (-0.21, 0.96), (0.27, 1.24), (0.41, 1.37)
    pedals = [(bb[0] + 0.17 * math.cos(a), bb[1] + 0.17 * math.sin(a)) for a in (pedal, pedal + math.pi)]
    far_leg, near_leg = [[hip, _knee(hip, p, 0.5, 0.5), p, (p[0] + 0.1, p[1] - 0.01)] for p in pedals[::-1]]

    if not simple:
        line(far_leg, 0.11, body)
    for cx, cy in (rear, front):
        sc.ring(*P(cx, cy), r * size * 0.92, 0.075 * size, bike)
        if spokes:
            for i in range(8):
                a = math.pi * i / 8
                line([(cx + 0.3 * math.cos(a), cy + 0.3 * math.sin(a)),
                      (cx - 0.3 * math.cos(a), cy - 0.3 * math.sin(a))], 0.012, bike)
    if simple:
        # Few pixels to spare: one stroke for the frame, the legs do the rest.
        line([rear, bb, (0.4, 0.78), front], 0.05, bike)
    else:
        line([rear, bb, (-0.2, 0.82), rear], 0.05, bike)                    # stays and seat tube
        line([(-0.2, 0.82), (0.38, 0.8), (0.42, 0.66), bb], 0.055, bike)     # top and down tube
        line([(0.42, 0.66), front], 0.045, bike)                             # fork
        line([(0.38, 0.8), (0.47, 0.86), (0.55, 0.84), (0.56, 0.74), (0.5, 0.71)], 0.045, bike)
        line([(-0.31, 0.88), (-0.13, 0.89)], 0.06, bike)                     # saddle
        line([pedals[0], pedals[1]], 0.04, bike)                             # cranks
    if gap:                                                                  # keeps the leg off the frame
        line(near_leg, 0.2, gap)
    line(near_leg, 0.12, body)
    line([hip, shoulder], 0.17, jersey or body)                              # torso
    line([shoulder, (0.43, 1.03), (0.53, 0.84)], 0.08, body if simple else jersey or body)  # arm
    sc.circle(*P(*head), (0.14 if simple else 0.115) * size, body)
    line([(0.33, 1.42), (0.5, 1.4)], 0.09, body)                             # helmet peak


def _lcg(seed):
    while True:
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        yield seed / 0x7FFFFFFF * 2 - 1


def ridge(points, rough, seed, depth=5):
    """Midpoint displacement between hand-placed points: a natural skyline."""
    rnd = _lcg(seed)
    for _ in range(depth):
        out = [points[0]]
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            span = math.hypot(x1 - x0, y1 - y0)
            out += [((x0 + x1) / 2, (y0 + y1) / 2 + next(rnd) * rough * span), (x1, y1)]
        points = out
    return points


def snow_edge(x0, x1, y, teeth, depth):
    """Jagged lower edge of a snow cap, from x1 back to x0."""
    pts = []
    for i in range(teeth * 2 + 1):
        t = i / (teeth * 2)
        pts.append((x1 + (x0 - x1) * t, y + (depth * (1 - abs(2 * t - 1)) if i % 2 else 0)))
    return pts


def conifer(sc, x, y, h, colour):
    w = h * 0.42
    for i, (top, base) in enumerate(((0.0, 0.45), (0.22, 0.72), (0.45, 0.95))):
        k = 0.6 + 0.2 * i
        sc.fill([[(x, y - h + top * h), (x + w * k / 2, y - h + base * h), (x - w * k / 2, y - h + base * h)]], colour)
    sc.fill(rect(x - h * 0.04, y - h * 0.06, x + h * 0.04, y), colour)


def hairpins(legs, steps=14):
    """Centre line of a road: straight legs joined by half turns."""
    pts = []
    for i, (a, b) in enumerate(legs):
        pts += [a, b]
        if i + 1 == len(legs):
            break
        c = legs[i + 1][0]
        mx, my = (b[0] + c[0]) / 2, (b[1] + c[1]) / 2
        vx, vy = b[0] - mx, b[1] - my
        dx, dy = b[0] - a[0], b[1] - a[1]
        sign = 1 if (-vy * dx + vx * dy) > 0 else -1   # turn outwards, ahead of the leg
        for s in range(1, steps):
            t = sign * math.pi * s / steps
            pts.append((mx + vx * math.cos(t) - vy * math.sin(t), my + vx * math.sin(t) + vy * math.cos(t)))
    return pts


def splash_scene():
    sc = Scene(250, 375)
    sc.fill(rect(0, 0, 250, 375), VGrad((0, grey(112)), (140, grey(192)), (230, grey(238))))
    sun = (182, 88)
    for i in range(12):                                     # soft glow, built up ring by ring
        sc.circle(*sun, 76 - 4.5 * i, grey(255, 0.045))
    sc.circle(*sun, 18, grey(253))
    for cx, cy, s in ((52, 62, 1.0), (66, 112, 0.65)):     # two flat clouds
        sc.fill_union([circle(cx, cy, 9 * s), circle(cx - 14 * s, cy + 4 * s, 6 * s),
                       circle(cx + 15 * s, cy + 3 * s, 7 * s), rect(cx - 20 * s, cy + 4 * s, cx + 22 * s, cy + 9 * s)],
                      grey(245, 0.55))

    far = ridge([(-5, 182), (35, 160), (75, 176), (112, 150), (160, 172), (205, 146), (255, 168)], 0.12, 7)
    sc.fill([far + [(255, 375), (-5, 375)]], grey(184))

    peak = (122, 92)
    left = ridge([(-5, 232), (40, 188), (80, 146), peak], 0.1, 3)
    right = ridge([peak, (160, 128), (192, 146), (226, 172), (255, 188)], 0.1, 11)
    sc.fill([left + right[1:] + [(255, 375), (-5, 375)]], grey(146))
    shade = [(122, 92), (136, 150), (150, 200), (168, 260)]
    sc.fill([right + [(255, 375), (168, 375)] + shade[::-1]], grey(116))
    snow_y = 120
    lx = next(px for px, py in left if py <= snow_y)
    rx = next(px for px, py in right if py >= snow_y)
    sx = 122 + 14 * (snow_y - 92) / 58
    sc.fill([[p for p in left if p[1] <= snow_y] + [(sx, snow_y)] + snow_edge(lx, sx, snow_y, 3, 8)], grey(248))
    sc.fill([[p for p in right if p[1] <= snow_y] + snow_edge(sx, rx, snow_y, 2, 7) + [peak]], grey(214))

    mid = ridge([(-5, 248), (55, 226), (118, 240), (178, 214), (255, 232)], 0.08, 5)
    sc.fill([mid + [(255, 375), (-5, 375)]], grey(124))
    for tx, ty, th in ((18, 244, 12), (30, 240, 10), (196, 222, 11), (210, 224, 9), (228, 228, 12)):
        conifer(sc, tx, ty, th, grey(92))

    near = ridge([(-5, 262), (48, 236), (108, 214), (150, 207), (204, 222), (255, 242)], 0.05, 9)
    sc.fill([near + [(255, 375), (-5, 375)]], VGrad((205, grey(104)), (375, grey(62))))
    for tx, ty, th in ((10, 292, 26), (28, 300, 20), (232, 268, 24), (244, 282, 28), (222, 360, 34),
                       (12, 330, 18), (118, 256, 9), (136, 249, 8), (40, 262, 12)):
        conifer(sc, tx, ty, th, grey(40))

    road = hairpins([((-30, 374), (196, 323)), ((196, 297), (62, 272)), ((62, 255), (166, 241)),
                     ((166, 230), (106, 223)), ((106, 217), (140, 210))])
    width = [max(2.2, 2.2 + 34 * ((py - 210) / 160) ** 1.6) for _, py in road]
    sc.fill_union(stroke_parts(road, [w * 1.22 for w in width]), grey(48))
    sc.fill_union(stroke_parts(road, width), VGrad((210, grey(188)), (375, grey(218))))
    for i in range(7):                                          # centre line, front leg only
        t0, t1 = i / 7 + 0.02, i / 7 + 0.07
        sc.stroke([(-30 + 226 * t0, 374 - 51 * t0), (-30 + 226 * t1, 374 - 51 * t1)], 1.6, grey(245))

    climb = math.atan2(51, 226)
    cyclist(sc, 98, 374 - 51 * 128 / 226 + 6, 48, climb, grey(22), grey(22), spokes=True, gap=grey(150))
    return sc


# Shared by the three 16-colour window icons; index 0 is transparent.
PALETTE = [rgb(c) for c in (
    "#000000", "#1d2433", "#3d4c78", "#5d72a3", "#93a7cc", "#d3def0", "#ffffff", "#4aa3e6",
    "#8fcaf2", "#cfe9fa", "#ffc53d", "#e0392e", "#2f7d3a", "#55ad5a", "#3a83cd", "#2563b4")]

SKY = VGrad((6, rgb("#4aa3e6")), (70, rgb("#cfe9fa")))


def icon_tile(px):
    # Keep the tile's edge on whole pixels so it stays crisp at small sizes.
    m = 100 * max(1, round(px / 32)) / px if px else 3.125
    return rrect(m, m, 100 - m, 100 - m, 19)


def icon_scene(kind, px=None):
    """Icons are drawn on a 100 x 100 grid; px is the target size (None: SVG)."""
    sc = Scene(100, 100, min_stroke=(1.1 * 100 / px if px else 0))
    small = px is not None and px < 32
    tile = icon_tile(px)
    if kind == "help":
        # Flat colours: a gradient would band into stripes with 16 colours.
        sc.fill(tile, rgb("#2563b4"))
        sc.fill(rrect(7, 7, 93, 93, 16), rgb("#3a83cd"))
        arc = [(50 + 15 * math.cos(math.radians(a)), 37 + 15 * math.sin(math.radians(a)))
               for a in range(190, 406, 12)]
        sc.stroke(arc + [(50, 57), (50, 63)], 12, rgb("#ffffff"))
        sc.circle(50, 79, 7.5, rgb("#ffffff"))
        return sc
    sc.fill(tile, SKY)
    sc.window = tile[0]
    sc.circle(79, 24, 12 if small else 10, rgb("#ffc53d"))
    mx, my = (32, 16) if kind == "main" else (44, 18)                   # the summit
    if not small:
        sc.fill([[(mx + 14, 100), (mx + 44, my + 26), (mx + 56, my + 34), (104, my + 28), (104, 100)]],
                rgb("#5d72a3"))
    sunny = [(-4, 100), (-4, 62), (mx, my), (mx + 24, my + 30), (mx + 36, my + 40), (104, 100)]
    sc.fill([sunny], rgb("#93a7cc"))
    sc.fill([sunny[2:] + [(mx + 2, 100), (mx + 9, my + 36)]], rgb("#5d72a3"))
    sc.fill([[(mx + dx, my + dy) for dx, dy in ((0, 0), (-12, 12), (-6, 15), (-1, 10), (4, 17), (6, 12))]],
            rgb("#ffffff"))
    sc.fill([[(mx + dx, my + dy) for dx, dy in ((0, 0), (6, 12), (10, 15), (9, 9))]], rgb("#d3def0"))
    if kind == "main":
        sc.fill([[(-4, 100), (-4, 92), (104, 66), (104, 100)]], rgb("#55ad5a"))
        sc.fill([[(-4, 100), (-4, 99), (104, 75), (104, 100)]], rgb("#2f7d3a"))
        climb = math.atan2(26, 108)
        gx = 48 if small else 46
        cyclist(sc, gx, 92 - 26 * (gx + 4) / 108 + (6 if small else 2), 46 if small else 40, climb,
                rgb("#1d2433"), rgb("#1d2433"), jersey=rgb("#e0392e"),
                spokes=(px is None or px >= 128), simple=(px is not None and px <= 32))
    else:
        sc.fill([[(-4, 100), (-4, 84), (40, 78), (104, 72), (104, 100)]], rgb("#55ad5a"))
    return sc


# ---------------------------------------------------------------------- output

def _quantise(c):
    if c[3] < 0.5:
        return 0
    return min(range(1, len(PALETTE)), key=lambda i: sum(w * (c[j] - PALETTE[i][j]) ** 2
                                                        for j, w in enumerate((2, 4, 3))))


def write_palette_icon(path, scene):
    rows = []
    for line in rasterise(scene, (32, 32), ss=6):
        idx = [_quantise(c) for c in line]
        rows.append(bytes((idx[i] << 4) | idx[i + 1] for i in range(0, 32, 2)))
    write_png(path, 32, 32, 3, 4, rows, palette=[[round(v * 255) for v in c] for c in PALETTE], trns=[0])


def _byte(v):
    return max(0, min(255, round(v * 255)))


def write_rgba_icon(path, scene, px):
    pixels = rasterise(scene, (px, px), ss=max(4, 128 // px))
    write_png(path, px, px, 6, 8, [bytes(_byte(v) for p in line for v in p) for line in pixels])


def main():
    # The same scene at twice the pixels, for screens scaled by two.
    for scale, name in ((1, "splash.png"), (2, "splash@2x.png")):
        w, h = 250 * scale, 375 * scale
        splash = rasterise(splash_scene(), (w, h), ss=4)
        write_png(os.path.join(ASSETS, name), w, h, 0, 8,
                  [bytes(_byte(0.299 * r + 0.587 * g + 0.114 * b) for r, g, b, _ in line) for line in splash])

    for name in ("main", "help", "splash"):
        write_palette_icon(os.path.join(ASSETS, "icons", name + ".png"), icon_scene(name, 32))
    # The main window's larger renderings are the hicolor ones below. The splash, on screen for
    # moments, only gets the one for a screen scaled by two: every size given to a window is
    # converted and sent to the window manager before its first paint.
    for px in LARGE_WINDOW_ICON_SIZES:
        write_rgba_icon(os.path.join(ASSETS, "icons", "help-%d.png" % px), icon_scene("help", px), px)
    write_rgba_icon(os.path.join(ASSETS, "icons", "splash-64.png"), icon_scene("splash", 64), 64)

    for px in HICOLOR_SIZES:
        write_rgba_icon(os.path.join(ASSETS, "icons", "hicolor", "%dx%d" % (px, px), "apps", APP_ID + ".png"),
                        icon_scene("main", px), px)
    scalable = os.path.join(ASSETS, "icons", "hicolor", "scalable", "apps", APP_ID + ".svg")
    os.makedirs(os.path.dirname(scalable), exist_ok=True)
    with open(scalable, "w", encoding="utf-8", newline="\n") as f:
        f.write(svg(icon_scene("main"), 256))

    with open(os.path.join(ASSETS, "tarvimo.qrc"), "w", encoding="utf-8", newline="\n") as f:
        # The 1x splash picture and the window icons are built into the program as pixels
        # (ui/CMakeLists.txt); only the picture for other pixel ratios is read as a PNG.
        f.write('<!DOCTYPE RCC>\n<!--\nSPDX-FileCopyrightText: 2026 The Tarvimo authors\n'
                'SPDX-License-Identifier: GPL-3.0-or-later\n-->\n<RCC version="1.0">\n    <qresource prefix="/">\n'
                + "".join("        <file>%s</file>\n" % p for p in ("splash@2x.png",))
                + "    </qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
