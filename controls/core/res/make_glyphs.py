#!/usr/bin/env python3
"""Draws the 16x16 symbols of the standard button kinds into two-cell bitmaps
(enabled, disabled) beside this script. Run it again after changing a symbol."""
import math
import os
import struct

SIZE = 16
BACK = (255, 0, 255)          # the transparent colour: the bottom-left pixel
GREY = (128, 128, 128)
WHITE = (255, 255, 255)


def blank():
    return [[None] * SIZE for _ in range(SIZE)]


def dot(cell, x, y, colour):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        cell[y][x] = colour


def line(cell, x0, y0, x1, y1, colour, width=2):
    steps = max(abs(x1 - x0), abs(y1 - y0)) * 4 or 1
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i / steps
        y = y0 + (y1 - y0) * i / steps
        for dx in range(width):
            for dy in range(width):
                dot(cell, int(round(x)) + dx, int(round(y)) + dy, colour)


def ring(cell, cx, cy, r, colour, start=0, end=360, width=2):
    for a in range(start, end, 3):
        for w in range(width):
            rad = r - w
            dot(cell, int(round(cx + rad * math.cos(math.radians(a)))),
                int(round(cy - rad * math.sin(math.radians(a)))), colour)


def disc(cell, cx, cy, r, colour):
    for y in range(SIZE):
        for x in range(SIZE):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                dot(cell, x, y, colour)


def box(cell, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            dot(cell, x, y, colour)


def check(cell, colour):
    line(cell, 2, 8, 6, 12, colour)
    line(cell, 6, 12, 13, 3, colour)


def symbols():
    green, red, blue = (0, 128, 0), (192, 0, 0), (0, 0, 160)
    cells = {}
    c = blank(); check(c, green); cells['ok'] = c
    c = blank(); line(c, 3, 3, 12, 12, red); line(c, 12, 3, 3, 12, red); cells['cancel'] = c
    c = blank(); ring(c, 8, 5, 4, blue, -90, 180); line(c, 8, 9, 8, 10, blue); box(c, 7, 12, 10, 14, blue)
    cells['help'] = c
    c = blank(); check(c, (0, 160, 64)); box(c, 1, 14, 15, 15, (0, 160, 64)); cells['yes'] = c
    c = blank(); ring(c, 8, 8, 6, red); line(c, 4, 4, 12, 12, red); cells['no'] = c
    c = blank(); box(c, 4, 2, 12, 15, (128, 64, 0)); box(c, 5, 3, 11, 15, (200, 160, 96)); box(c, 9, 8, 10, 10, (0, 0, 0))
    cells['close'] = c
    c = blank(); disc(c, 8, 8, 6.5, red); box(c, 4, 7, 13, 10, WHITE); cells['abort'] = c
    c = blank(); ring(c, 8, 8, 5, green, 60, 360); line(c, 10, 1, 13, 4, green); line(c, 13, 4, 9, 5, green)
    cells['retry'] = c
    c = blank(); line(c, 2, 8, 11, 8, blue); line(c, 8, 4, 12, 8, blue); line(c, 8, 12, 12, 8, blue)
    box(c, 13, 3, 15, 14, GREY); cells['ignore'] = c
    c = blank()
    for top in (1, 6, 11):
        line(c, 1, top + 2, 3, top + 4, green, 1); line(c, 3, top + 4, 6, top, green, 1)
        box(c, 8, top + 2, 15, top + 3, (0, 0, 0))
    cells['all'] = c
    return cells


def disabled(cell):
    """The shape in grey with a white copy one pixel down and right."""
    out = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            if cell[y][x] is not None:
                dot(out, x + 1, y + 1, WHITE)
    for y in range(SIZE):
        for x in range(SIZE):
            if cell[y][x] is not None:
                out[y][x] = GREY
    return out


def write_bmp(path, cells):
    width, height = SIZE * len(cells), SIZE
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):          # bottom-up
        row = bytearray()
        for cell in cells:
            for x in range(SIZE):
                r, g, b = cell[y][x] or BACK
                row += bytes((b, g, r))
        row += b'\0' * (stride - len(row))
        rows.append(bytes(row))
    image = b''.join(rows)
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(image), 0, 0, 14 + 40)
    with open(path, 'wb') as out:
        out.write(file_header + header + image)


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    for name, cell in symbols().items():
        write_bmp(os.path.join(here, name + '.bmp'), [cell, disabled(cell)])
