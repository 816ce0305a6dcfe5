#!/usr/bin/env python3
"""Writes the example pictures, one of each kind Pictura tells apart:

  1.png  colour only: a tile with a diagonal gradient and a frame
  2.png  colour and alpha: an orange ball with a soft edge
  3.png  mask: a white star on transparency, which Quenta lays on in the
         text colour

Uses the standard library only. Run it from anywhere; the pictures land
beside it. The outputs are checked in, so this is needed only to change them.
"""
import math
import struct
import zlib
from pathlib import Path

SIZE = 24


def write_png(path, width, height, rows, with_alpha):
    """rows: lists of (r, g, b) or (r, g, b, a) tuples, top row first."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if with_alpha else 2, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                     chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def coverage(inside, x, y, samples=4):
    """How much of pixel (x, y) lies inside, by supersampling, 0..255."""
    hits = sum(inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples)
               for i in range(samples) for j in range(samples))
    return round(255 * hits / (samples * samples))


def tile():
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            if x in (0, SIZE - 1) or y in (0, SIZE - 1):
                row.append((255, 255, 255))
            else:
                t = (x + y) / (2 * SIZE - 2)
                row.append((round(40 + 60 * t), round(90 + 150 * t), round(220 - 120 * t)))
        rows.append(row)
    return rows


def ball():
    centre, radius = SIZE / 2, SIZE / 2 - 1.5
    inside = lambda x, y: math.hypot(x - centre, y - centre) <= radius
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            # Lighter towards the upper left, as if lit from there.
            light = max(0.0, 1 - math.hypot(x - centre + 4, y - centre + 4) / (2 * radius))
            row.append((255, round(120 + 110 * light), round(20 + 150 * light),
                        coverage(inside, x, y)))
        rows.append(row)
    return rows


def star():
    centre = SIZE / 2
    points = []
    for k in range(10):
        angle = -math.pi / 2 + k * math.pi / 5
        r = (SIZE / 2 - 1) if k % 2 == 0 else (SIZE / 2 - 1) * 0.42
        points.append((centre + r * math.cos(angle), centre + 0.5 + r * math.sin(angle)))

    def inside(x, y):
        # Even-odd rule over the star's outline.
        result = False
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                result = not result
        return result

    return [[(255, 255, 255, coverage(inside, x, y)) for x in range(SIZE)] for y in range(SIZE)]


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    write_png(here / "1.png", SIZE, SIZE, tile(), with_alpha=False)
    write_png(here / "2.png", SIZE, SIZE, ball(), with_alpha=True)
    write_png(here / "3.png", SIZE, SIZE, star(), with_alpha=True)
