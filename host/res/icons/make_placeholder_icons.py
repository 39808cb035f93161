#!/usr/bin/env python3
"""Writes placeholder tray icons until the real art arrives: 130 (the
application), 135 and 136 (the two frames of the hardware warning)."""
import os
import struct
import zlib

SIZE = 32
ICONS = {
    130: ((40, 110, 200), (235, 240, 250)),  # blue disc, light hub
    135: ((220, 40, 30), (255, 230, 60)),     # red disc, yellow hub
    136: ((255, 200, 40), (200, 30, 20)),     # yellow disc, red hub
}


def png(outer, inner):
    rows = []
    c = (SIZE - 1) / 2
    for y in range(SIZE):
        row = bytearray([0])
        for x in range(SIZE):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= 6:
                row += bytes(inner) + b"\xff"
            elif d <= 15:
                row += bytes(outer) + b"\xff"
            else:
                row += b"\x00\x00\x00\x00"
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for icon_id, (outer, inner) in ICONS.items():
        with open(os.path.join(here, f"{icon_id}.png"), "wb") as f:
            f.write(png(outer, inner))
