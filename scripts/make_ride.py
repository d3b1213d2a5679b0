#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a GPX shaped like a Strava export (about 290 bytes a point: position, elevation, time,
# power, heart rate and cadence), one point a second: a flat approach with GPS noise, a climb of
# 8 % to the ride's highest point, a descent and a flat return. For the reading benchmark.
# Usage: scripts/make_ride.py OUT.gpx [points]   (1,000,000 by default)
import math
import random
import sys
import time

START = 1717228800  # 2024-06-01T08:00:00Z


def elevation(fraction, noise):
    if fraction < 0.4:
        return 300.0 + noise
    if fraction < 0.6:
        return 300.0 + (fraction - 0.4) / 0.2 * 1200.0 + noise
    if fraction < 0.8:
        return 1500.0 - (fraction - 0.6) / 0.2 * 1200.0 + noise
    return 300.0 + noise


def main():
    out = sys.argv[1]
    points = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    rng = random.Random(15)
    lines = ['<?xml version="1.0" encoding="UTF-8"?>\n'
             '<gpx creator="Tarvimo benchmark" version="1.1" '
             'xmlns="http://www.topografix.com/GPX/1/1" '
             'xmlns:gpxtpx="http://www.garmin.com/xmlschemas/TrackPointExtension/v1">\n'
             ' <metadata>\n  <time>2024-06-01T08:00:00Z</time>\n </metadata>\n'
             ' <trk>\n  <name>Giro di prova</name>\n  <type>cycling</type>\n  <trkseg>\n']
    lat, lon = 45.0, 7.0
    heading = 0.3
    with open(out, "w", encoding="utf-8") as file:
        for i in range(points):
            fraction = i / points
            heading += rng.uniform(-0.05, 0.05)
            # About 6 m a second.
            lat += 6.0 * math.cos(heading) / 111_132.0
            lon += 6.0 * math.sin(heading) / (111_320.0 * math.cos(math.radians(lat)))
            stamp = time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(START + i))
            lines.append(
                f'   <trkpt lat="{lat:.7f}" lon="{lon:.7f}">\n'
                f'    <ele>{elevation(fraction, rng.uniform(-3, 3)):.1f}</ele>\n'
                f'    <time>{stamp}</time>\n'
                f'    <extensions>\n     <power>{rng.randint(150, 350)}</power>\n'
                f'     <gpxtpx:TrackPointExtension>\n'
                f'      <gpxtpx:hr>{rng.randint(120, 175)}</gpxtpx:hr>\n'
                f'      <gpxtpx:cad>{rng.randint(70, 100)}</gpxtpx:cad>\n'
                f'     </gpxtpx:TrackPointExtension>\n    </extensions>\n   </trkpt>\n')
            if len(lines) >= 10_000:
                file.write("".join(lines))
                lines.clear()
        lines.append("  </trkseg>\n </trk>\n</gpx>\n")
        file.write("".join(lines))


if __name__ == "__main__":
    main()
