#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a made-up ride as GPX: 3 km of flat approach, a 9 km climb with a short dip, and a
descent, a point every 10 m with a few metres of GPS noise, times, power and cadence.

Usage: scripts/ride_sample.py FILE"""

import datetime
import math
import random
import sys

random.seed(15)
start = datetime.datetime(2026, 6, 14, 7, 30, tzinfo=datetime.timezone.utc)


def elevation(km):
    if km < 3:
        return 420
    if km < 12:
        climb = 420 + 78 * (km - 3)
        return climb - (12 if 7 < km < 7.6 else 0)
    return 1122 - 60 * (km - 12)


lines = ['<?xml version="1.0" encoding="UTF-8"?>',
         '<gpx version="1.1" creator="tarvimo ride_sample.py" '
         'xmlns="http://www.topografix.com/GPX/1/1" '
         'xmlns:gpxtpx="http://www.garmin.com/xmlschemas/TrackPointExtension/v1">',
         "<trk><name>Colle di prova</name><trkseg>"]
seconds = 0.0
for i in range(1601):
    km = i / 100
    grade = (elevation(km + 0.01) - elevation(km)) / 10
    speed = 11.0 if abs(grade) < 0.02 else (4.2 if grade > 0 else 14.0)  # m/s
    seconds += 10 / speed
    when = (start + datetime.timedelta(seconds=seconds)).strftime("%Y-%m-%dT%H:%M:%SZ")
    lat = 45.9 + km * 0.00899
    lon = 8.1 + 0.002 * math.sin(km)
    ele = elevation(km) + random.uniform(-3, 3)
    power = 250 + random.randint(-30, 30) if grade > 0 else random.randint(0, 120)
    lines.append(f'<trkpt lat="{lat:.6f}" lon="{lon:.6f}"><ele>{ele:.1f}</ele><time>{when}</time>'
                 f"<extensions><power>{power}</power><gpxtpx:TrackPointExtension>"
                 f"<gpxtpx:cad>{78 + random.randint(-6, 6)}</gpxtpx:cad>"
                 "</gpxtpx:TrackPointExtension></extensions></trkpt>")
lines.append("</trkseg></trk></gpx>")
with open(sys.argv[1], "w", encoding="utf-8") as out:
    out.write("\n".join(lines) + "\n")
