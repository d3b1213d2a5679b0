#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a small FIT activity: a file_id message and one record a second climbing a straight road,
# with position, altitude, distance, cadence and power, so the tests can check what gpsbabel keeps.
# With --damage the file is damaged at record points // 2, as a head unit that loses power leaves
# it: "cut" ends it there, mid-record (between two fields); "crc" keeps every record but spoils the
# final CRC; "record" gives that record a local message type nothing defined, with a right CRC.
# Usage: scripts/make_fit.py OUT.fit [points] [--damage cut|crc|record]
import argparse
import struct

CRC_TABLE = [0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00, 0x2800, 0xE401,
             0xA001, 0x6C00, 0x7800, 0xB401, 0x5000, 0x9C01, 0x8801, 0x4400]
FIT_EPOCH = 631065600  # 1989-12-31T00:00:00Z in Unix seconds
START = 1717228800     # 2024-06-01T08:00:00Z


def crc16(data, crc=0):
    for byte in data:
        for nibble in (byte & 0xF, byte >> 4):
            tmp = CRC_TABLE[crc & 0xF]
            crc = (crc >> 4) & 0x0FFF
            crc = crc ^ tmp ^ CRC_TABLE[nibble]
    return crc


def definition(local, global_number, fields):
    body = struct.pack("<BBBHB", 0x40 | local, 0, 0, global_number, len(fields))
    return body + b"".join(struct.pack("<BBB", *field) for field in fields)


def semicircles(degrees):
    return round(degrees * 2**31 / 180)


RECORD = struct.Struct("<BIiiHIBH")
RECORD_CUT = 13  # bytes of the cut record kept: its header, time, latitude and longitude


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("points", type=int, nargs="?", default=60)
    parser.add_argument("--damage", choices=["cut", "crc", "record"])
    args = parser.parse_args()
    points = args.points
    data = bytearray()
    # file_id: type (activity), manufacturer, product, serial number, time created.
    data += definition(0, 0, [(0, 1, 0x00), (1, 2, 0x84), (2, 2, 0x84), (3, 4, 0x8C),
                              (4, 4, 0x86)])
    data += struct.pack("<BBHHII", 0, 4, 1, 1, 12345, START - FIT_EPOCH)
    # record: timestamp, lat, long, altitude, distance, cadence, power.
    data += definition(1, 20, [(253, 4, 0x86), (0, 4, 0x85), (1, 4, 0x85), (2, 2, 0x84),
                               (5, 4, 0x86), (4, 1, 0x02), (7, 2, 0x84)])
    first_record = len(data)
    for i in range(points):
        metres = 5.0 * i
        lat = 45.0 + metres / 111_132.0
        lon = 7.0
        altitude = 500.0 + 0.08 * metres
        data += RECORD.pack(1, START + i - FIT_EPOCH, semicircles(lat),
                            semicircles(lon), round((altitude + 500) * 5), round(metres * 100),
                            80 + i % 10, 200 + i % 50)
    damaged = first_record + RECORD.size * (points // 2)
    if args.damage == "record":
        data[damaged] = 5
    header = struct.pack("<BBHI4s", 14, 0x20, 2132, len(data), b".FIT")
    header += struct.pack("<H", crc16(header))
    body = header + data
    crc = crc16(body)
    if args.damage == "cut":
        body = body[:len(header) + damaged + RECORD_CUT]
    elif args.damage == "crc":
        body += struct.pack("<H", crc ^ 0xFFFF)
    else:
        body += struct.pack("<H", crc)
    with open(args.out, "wb") as file:
        file.write(body)


if __name__ == "__main__":
    main()
