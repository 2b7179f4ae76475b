#!/usr/bin/env python3
"""Writes the empty view's background picture "hintergrund.bmp" (data/Data/).

A warm linen tone with a soft vignette, a faint weave and a plate with knife and fork in the
middle, as an uncompressed 8-bit bitmap with a 256-step colour ramp (small, and stretched by the
view to any size). Run from the repository folder: python3 tools/background/make_background.py
"""
import math
import struct
import sys

WIDTH, HEIGHT = 640, 480
LIGHT = (247, 240, 228)   # the linen
DARK = (176, 150, 118)    # the deepest shade the ramp reaches


def ramp(i):
    t = i / 255.0
    return tuple(round(DARK[k] + (LIGHT[k] - DARK[k]) * t) for k in range(3))


def inside_rounded_bar(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def emblem(x, y):
    """How much the plate, knife and fork darken this pixel (0 none, 1 full)."""
    cx, cy = WIDTH / 2, HEIGHT / 2
    d = math.hypot(x - cx, y - cy)
    shade = 0.0
    # The plate: a rim and a well.
    if 104 <= d <= 112:
        shade = max(shade, 0.55)
    elif 70 <= d <= 73:
        shade = max(shade, 0.35)
    # The knife, right of the plate.
    kx = cx + 150
    if inside_rounded_bar(x, y, kx - 6, cy - 95, kx + 6, cy + 10, 6) and (x <= kx + 2 or y > cy - 70):
        shade = max(shade, 0.6)
    if inside_rounded_bar(x, y, kx - 4, cy + 5, kx + 4, cy + 95, 4):
        shade = max(shade, 0.6)
    # The fork, left of the plate: four tines, the neck and the handle.
    fx = cx - 150
    for t in (-9, -3, 3, 9):
        if inside_rounded_bar(x, y, fx + t - 1.5, cy - 95, fx + t + 1.5, cy - 50, 1.5):
            shade = max(shade, 0.6)
    if inside_rounded_bar(x, y, fx - 11, cy - 55, fx + 11, cy - 38, 8):
        shade = max(shade, 0.6)
    if inside_rounded_bar(x, y, fx - 4, cy - 45, fx + 4, cy + 95, 4):
        shade = max(shade, 0.6)
    return shade


def pixel(x, y):
    nx, ny = (x - WIDTH / 2) / (WIDTH / 2), (y - HEIGHT / 2) / (HEIGHT / 2)
    vignette = 0.16 * (nx * nx + ny * ny)
    # Linen: fine threads across and along, slightly irregular.
    weave = 0.012 * math.sin(x * 1.9 + math.sin(y * 0.05) * 2) + 0.012 * math.sin(y * 2.1 + math.sin(x * 0.04) * 2)
    grain = ((x * 73856093) ^ (y * 19349663)) % 1000 / 1000.0 * 0.015
    level = 1.0 - vignette - grain + weave - 0.08 * emblem(x, y)
    return max(0, min(255, round(255 * level)))


def main(path):
    row_size = (WIDTH + 3) & ~3
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in (ramp(i) for i in range(256)))
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up
        row = bytes(pixel(x, y) for x in range(WIDTH))
        rows.append(row + b"\0" * (row_size - WIDTH))
    data = b"".join(rows)
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "data/Data/hintergrund.bmp")
