#!/usr/bin/env python3
"""Writes the small pictures of the HTML pages and of the print mode selector (data/Pics/Zutaten/).

- "Star.gif": one star of the quality rating (a page shows one per point);
- "Difficulty1.gif" to "Difficulty5.gif": five bars rising left to right, as many filled as
  the difficulty;
- "PrnRezTPL.bmp", "PrnRezSim.bmp", "PrnWeekSim.bmp", "PrnMenu.bmp": 113 x 161 miniatures of
  what each print mode puts out (a web page with a picture, a plain printed recipe, the week
  plan list, a menu card).

Everything is drawn here with a few shapes at four times the size and averaged down, so the
edges are smooth. Run from the repository folder: python3 tools/html_pictures/make_pictures.py
"""
import math
import os
import struct

OUT = os.path.join("data", "Pics", "Zutaten")
SS = 4  # supersampling


class Canvas:
    def __init__(self, w, h, bg=(255, 255, 255)):
        self.w, self.h = w, h
        self.px = [[bg for _ in range(w * SS)] for _ in range(h * SS)]

    def _blend(self, x, y, colour, a=1.0):
        if 0 <= x < self.w * SS and 0 <= y < self.h * SS:
            o = self.px[y][x]
            self.px[y][x] = tuple(round(o[k] + (colour[k] - o[k]) * a) for k in range(3))

    def fill(self, inside, colour, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.w, self.h)
        for y in range(max(0, int(y0 * SS)), min(self.h * SS, int(math.ceil(y1 * SS)))):
            for x in range(max(0, int(x0 * SS)), min(self.w * SS, int(math.ceil(x1 * SS)))):
                if inside((x + 0.5) / SS, (y + 0.5) / SS):
                    self._blend(x, y, colour)

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: True, colour, (x0, y0, x1, y1))

    def frame(self, x0, y0, x1, y1, colour, t=1.0):
        self.rect(x0, y0, x1, y0 + t, colour)
        self.rect(x0, y1 - t, x1, y1, colour)
        self.rect(x0, y0, x0 + t, y1, colour)
        self.rect(x1 - t, y0, x1, y1, colour)

    def round_rect(self, x0, y0, x1, y1, r, colour):
        def inside(x, y):
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self.fill(inside, colour, (x0, y0, x1, y1))

    def disc(self, cx, cy, r, colour):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour,
                  (cx - r, cy - r, cx + r, cy + r))

    def ring(self, cx, cy, r, t, colour):
        self.fill(lambda x, y: (r - t) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour,
                  (cx - r, cy - r, cx + r, cy + r))

    def polygon(self, points, colour):
        def inside(x, y):
            c = False
            for i in range(len(points)):
                ax, ay = points[i]
                bx, by = points[i - 1]
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    c = not c
            return c
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill(inside, colour, (min(xs), min(ys), max(xs) + 1, max(ys) + 1))

    def text_line(self, x0, y, x1, colour, t=1.0):
        """A line standing for a line of text."""
        self.round_rect(x0, y, x1, y + t, t / 2, colour)

    def pixels(self):
        out = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                acc = [0, 0, 0]
                for sy in range(SS):
                    for sx in range(SS):
                        p = self.px[y * SS + sy][x * SS + sx]
                        for k in range(3):
                            acc[k] += p[k]
                row.append(tuple(round(a / (SS * SS)) for a in acc))
            out.append(row)
        return out


def write_bmp(path, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def lzw(indices, min_size):
    clear, end = 1 << min_size, (1 << min_size) + 1
    table = {(i,): i for i in range(clear)}
    size, next_code = min_size + 1, end + 1
    bits, nbits, out = 0, 0, bytearray()

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    w = (indices[0],)
    for k in indices[1:]:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emit(table[w])
        if next_code < 4096:
            table[wk] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            size, next_code = min_size + 1, end + 1
        w = (k,)
    emit(table[w])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, rows):
    h, w = len(rows), len(rows[0])
    palette = sorted({p for row in rows for p in row})
    if len(palette) > 256:
        raise ValueError("too many colours for a GIF")
    depth = max(1, math.ceil(math.log2(max(2, len(palette)))))
    palette += [(0, 0, 0)] * ((1 << depth) - len(palette))
    index = {p: i for i, p in enumerate(palette)}
    indices = [index[p] for row in rows for p in row]
    min_size = max(2, depth)
    data = lzw(indices, min_size)
    blocks = b"".join(bytes((len(data[i:i + 255]),)) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    with open(path, "wb") as f:
        f.write(b"GIF89a" + struct.pack("<HHBBB", w, h, 0x80 | (depth - 1), 0, 0))
        f.write(b"".join(bytes(c) for c in palette))
        f.write(b"\x2c" + struct.pack("<HHHHB", 0, 0, w, h, 0))
        f.write(bytes((min_size,)) + blocks + b"\0\x3b")


def quantised(rows, levels=24):
    """Colours rounded so a small picture keeps a small palette."""
    step = 255 / (levels - 1)
    return [[tuple(round(round(c / step) * step) for c in p) for p in row] for row in rows]


GOLD, GOLD_DARK = (238, 170, 30), (184, 118, 10)
RED, GREY = (196, 58, 43), (214, 214, 214)
BLUE, INK, LIGHT = (31, 78, 121), (60, 60, 60), (170, 170, 170)


def star():
    c = Canvas(16, 16)
    cx, cy = 8, 8.4
    outer = [(cx + 7.6 * math.sin(a * math.pi / 5), cy - 7.6 * math.cos(a * math.pi / 5))
             if a % 2 == 0 else
             (cx + 3.2 * math.sin(a * math.pi / 5), cy - 3.2 * math.cos(a * math.pi / 5))
             for a in range(10)]
    inner = [(cx + (x - cx) * 0.72, cy + (y - cy) * 0.72) for x, y in outer]
    c.polygon(outer, GOLD_DARK)
    c.polygon(inner, GOLD)
    return quantised(c.pixels())


def difficulty(n):
    c = Canvas(34, 14)
    for i in range(5):
        x = 1 + i * 6.6
        top = 11 - (i + 1) * 2
        c.round_rect(x, top, x + 5, 13, 1.2, RED if i < n else GREY)
    return quantised(c.pixels())


def sheet(c):
    c.rect(0, 0, 113, 161, (236, 236, 236))
    c.rect(4, 4, 109, 157, (255, 255, 255))
    c.frame(4, 4, 109, 157, (150, 150, 150))


def web_page():
    c = Canvas(113, 161)
    sheet(c)
    c.rect(5, 5, 108, 14, (222, 229, 238))  # the browser's bar
    for i, col in enumerate(((218, 90, 80), (235, 190, 70), (110, 180, 90))):
        c.disc(10 + i * 5, 9.5, 1.6, col)
    c.text_line(10, 20, 60, BLUE, 3)
    c.text_line(10, 27, 48, LIGHT, 1.4)
    c.text_line(10, 31, 42, LIGHT, 1.4)
    for i in range(4):  # stars
        x = 10 + i * 5
        c.polygon([(x + 2 * math.sin(a * math.pi / 5) * (1 if a % 2 == 0 else 0.45),
                    37 - 2 * math.cos(a * math.pi / 5) * (1 if a % 2 == 0 else 0.45))
                   for a in range(10)], GOLD)
    # The photo: a plate on a table.
    c.round_rect(66, 18, 104, 46, 2, (120, 160, 96))
    c.disc(85, 32, 10, (250, 248, 240))
    c.ring(85, 32, 10, 1.2, (200, 196, 186))
    c.disc(85, 32, 5.5, (214, 120, 60))
    c.disc(83, 30, 1.6, (120, 170, 80))
    c.rect(10, 51, 104, 52, BLUE)
    for row in range(5):
        y = 57 + row * 5
        c.text_line(10, y, 20, INK, 1.4)
        c.text_line(23, y, 50, LIGHT, 1.4)
        c.text_line(58, y, 68, INK, 1.4)
        c.text_line(71, y, 98, LIGHT, 1.4)
    c.rect(10, 85, 104, 86, BLUE)
    for row in range(10):
        c.text_line(10, 91 + row * 5, 104 if row % 4 != 3 else 70, LIGHT, 1.4)
    c.text_line(10, 146, 40, (200, 200, 200), 1)
    return c.pixels()


def simple_recipe():
    c = Canvas(113, 161)
    sheet(c)
    c.text_line(12, 13, 70, INK, 3)
    c.rect(12, 17.5, 70, 18.3, INK)  # underlined title
    for row in range(6):  # key figures on the right
        c.text_line(60, 26 + row * 5, 100 - (row % 3) * 8, LIGHT, 1.4)
    for row in range(9):  # ingredients on the left
        y = 26 + row * 5
        if row == 4:
            c.text_line(12, y, 36, (120, 120, 120), 1.4)
            continue
        c.text_line(12, y, 18, INK, 1.4)
        c.text_line(21, y, 48 - (row % 3) * 5, INK, 1.4)
    for row in range(14):
        c.text_line(12, 78 + row * 5, 100 if row % 5 != 4 else 66, INK, 1.6)
    c.text_line(12, 150, 46, LIGHT, 1)
    return c.pixels()


def week_plan():
    c = Canvas(113, 161)
    sheet(c)
    c.text_line(12, 13, 88, INK, 3)
    c.rect(12, 17.5, 88, 18.3, INK)
    y = 26
    for day in range(5):
        c.text_line(12, y, 44, BLUE, 1.6)
        c.rect(12, y + 2.6, 44, 3 + y, BLUE)
        y += 6
        for entry in range(1 + day % 2):
            c.text_line(16, y, 80 - entry * 14, INK, 2.2)
            y += 5
            if entry == 0 and day % 3 == 1:
                c.text_line(16, y, 56, LIGHT, 1.4)
                y += 4
        y += 4
    c.text_line(12, 150, 46, LIGHT, 1)
    return c.pixels()


def menu_card():
    c = Canvas(113, 161)
    c.rect(0, 0, 113, 161, (236, 236, 236))
    c.rect(4, 4, 109, 157, (253, 250, 242))
    c.frame(8, 8, 105, 153, (150, 110, 50), 1.4)
    c.frame(11, 11, 102, 150, (150, 110, 50), 0.6)
    c.text_line(32, 22, 81, (120, 80, 30), 3.2)
    c.disc(56.5, 33, 1.8, (150, 110, 50))
    c.rect(36, 32.6, 52, 33.4, (150, 110, 50))
    c.rect(61, 32.6, 77, 33.4, (150, 110, 50))
    y = 44
    for course in range(4):
        c.text_line(40, y, 73, (150, 110, 50), 1.2)
        c.text_line(28, y + 6, 85, INK, 2)
        c.text_line(36, y + 11, 77, LIGHT, 1.2)
        y += 25
    return c.pixels()


def main():
    os.makedirs(OUT, exist_ok=True)
    write_gif(os.path.join(OUT, "Star.gif"), star())
    for n in range(1, 6):
        write_gif(os.path.join(OUT, "Difficulty%d.gif" % n), difficulty(n))
    write_bmp(os.path.join(OUT, "PrnRezTPL.bmp"), web_page())
    write_bmp(os.path.join(OUT, "PrnRezSim.bmp"), simple_recipe())
    write_bmp(os.path.join(OUT, "PrnWeekSim.bmp"), week_plan())
    write_bmp(os.path.join(OUT, "PrnMenu.bmp"), menu_card())


if __name__ == "__main__":
    main()
