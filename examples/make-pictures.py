#!/usr/bin/env python3
"""Writes the example pictures. The archive for <G>, one picture of each
kind Pictura tells apart:

  pictures/1.png  colour only: a tile with a diagonal gradient and a frame
  pictures/2.png  colour and alpha: an orange ball with a soft edge
  pictures/3.png  mask: a white star on transparency, which Quenta lays on
                  in the text colour

and a background for --background-image:

  window.png      a 640x170 message window with rounded, see-through corners

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


def window(width=640, height=170, radius=14):
    """A translucent navy panel with a light border and rounded corners."""
    def distance_outside(x, y):
        # How far (x, y) lies outside the rounded rectangle; negative inside.
        cx = min(max(x, radius), width - radius)
        cy = min(max(y, radius), height - radius)
        return math.hypot(x - cx, y - cy) - radius

    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            d = distance_outside(x + 0.5, y + 0.5)
            edge = max(0.0, min(1.0, 0.5 - d))  # anti-aliased outline
            if d > -3:
                colour = (200, 210, 240)
            else:
                t = y / (height - 1)
                colour = (round(20 + 10 * t), round(30 + 10 * t), round(80 - 30 * t))
            alpha = 255 if d <= -3 else round(255 * edge)
            row.append(colour + (round(alpha * 0.92) if d <= -3 else alpha,))
        rows.append(row)
    return rows


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    write_png(here / "pictures" / "1.png", SIZE, SIZE, tile(), with_alpha=False)
    write_png(here / "pictures" / "2.png", SIZE, SIZE, ball(), with_alpha=True)
    write_png(here / "pictures" / "3.png", SIZE, SIZE, star(), with_alpha=True)
    write_png(here / "window.png", 640, 170, window(), with_alpha=True)
