#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_wmf: one small metafile per kind of record."""
import os
import struct
import sys

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "fuzz_wmf")


def rec(function, words=(), raw=b""):
    body = b"".join(struct.pack("<h" if w < 0 else "<H", w) for w in words) + raw
    if len(body) % 2:
        body += b"\0"
    return struct.pack("<IH", 3 + len(body) // 2, function) + body


def colour(r, g, b):
    return [r | g << 8, b]


def metafile(records, box=(0, 0, 100, 100), inch=96, placeable=True):
    body = b"".join(records) + rec(0)
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(body)) // 2, 8, 64, 0)
    if not placeable:
        return header + body
    ph = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, *box, inch, 0)
    check = 0
    for i in range(0, 20, 2):
        check ^= struct.unpack("<H", ph[i:i + 2])[0]
    return ph + struct.pack("<H", check) + header + body


def dib(w, h):
    stride = (w * 3 + 3) & ~3
    head = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, stride * h, 0, 0, 0, 0)
    pixels = b"".join(bytes((x * 40 % 256, y * 60 % 256, 128)) * 1 for y in range(h) for x in range(w))
    rows = b"".join(pixels[y * w * 3:(y + 1) * w * 3].ljust(stride, b"\0") for y in range(h))
    return head + rows


brush = [rec(0x02FC, [0] + colour(255, 0, 0) + [0]), rec(0x012D, [0])]
pen = [rec(0x02FA, [0, 3, 0] + colour(0, 0, 255)), rec(0x012D, [1])]
font = rec(0x02FB, [-20, 0, 450, 450, 700, 0, 0, 0, 0], b"DejaVu Sans".ljust(32, b"\0"))


def ext_text_out(x, y, text):
    return rec(0x0A32, [y, x, len(text), 0], text)


black_brush = [rec(0x02FC, [0] + colour(0, 0, 0) + [0]), rec(0x012D, [0])]
times = rec(0x02FB, [-480, 0, 0, 0, 400, 0, 0, 0, 0], b"Times New Roman".ljust(32, b"\0"))
symbol = rec(0x02FB, [-480, 0, 0, 0, 400, 0, 0, 0, 0], b"Symbol".ljust(32, b"\0"))
upwards = rec(0x02FB, [-40, 0, 900, 900, 400, 0, 0, 0, 0], b"DejaVu Sans".ljust(32, b"\0"))

seeds = {
    "ellipse.wmf": metafile(brush + pen + [rec(0x0418, [80, 90, 10, 10])]),
    "polygons.wmf": metafile(brush + pen + [rec(0x0106, [1]), rec(0x0538, [2, 4, 4, 0, 0, 90, 0, 90, 90, 0, 90, 20, 20, 70, 20, 70, 70, 20, 70])]),
    "lines.wmf": metafile(pen + [rec(0x0214, [10, 10]), rec(0x0213, [90, 90]), rec(0x0325, [3, 0, 50, 50, 0, 99, 50])]),
    "arcs.wmf": metafile(brush + pen + [rec(0x081A, [0, 50, 50, 100, 100, 100, 0, 0]), rec(0x0830, [100, 50, 50, 0, 90, 90, 10, 10]), rec(0x0817, [0, 0, 99, 99, 99, 99, 0, 0])]),
    "text.wmf": metafile([font, rec(0x012D, [0]), rec(0x0209, colour(0, 0, 0)), rec(0x012E, [24]), rec(0x0521, [5], b"Hallo" + b"\0" + struct.pack("<hh", 50, 10))]),
    "bitmap.wmf": metafile([rec(0x0F43, [0x0020, 0x00CC, 0, 3, 4, 0, 0, 60, 80, 10, 10], dib(4, 3))]),
    "clip.wmf": metafile(brush + [rec(0x0416, [60, 60, 20, 20]), rec(0x041B, [100, 100, 0, 0])]),
    "window.wmf": metafile(brush + [rec(0x0103, [8]), rec(0x020B, [2000, 65536 - 3000]), rec(0x020C, [2000, 4000]), rec(0x041B, [4000, 65536 - 1000, 2000, 65536 - 3000])], box=(0, 0, 200, 100)),
    "flood.wmf": metafile(pen + brush + [rec(0x041B, [80, 80, 20, 20]), rec(0x0548, [0] + colour(0, 0, 255) + [50, 50])]),
    "plain.wmf": metafile(brush + [rec(0x061C, [10, 10, 40, 60, 10, 10])], placeable=False),
    # A shape drawing in its own window, the box far from the origin (1/1000 inch).
    "shapes-offset-box.wmf": metafile([rec(0x020B, [0, 0]), rec(0x020C, [1000, 2000]), rec(0x001E)] + black_brush
                                      + [rec(0x0324, [3, 100, 100, 900, 100, 500, 600]), rec(0x001E),
                                         rec(0x0418, [600, 1900, 100, 1100]), rec(0x0127, [65535])] + pen
                                      + [rec(0x0325, [2, 100, 850, 1900, 850])],
                                      box=(10866, 9154, 12866, 10154), inch=1000),
    # An equation: single characters on a baseline, escapes, mapper flags, a fraction bar,
    # in a window of other units than the box.
    "equation.wmf": metafile([rec(0x0103, [8]), rec(0x020B, [0, 0]), rec(0x020C, [736, 4416]),
                              rec(0x0626, [15, 8], b"MathType"), rec(0x0231, [1, 0]), rec(0x0209, colour(0, 0, 0)),
                              rec(0x0102, [1]), rec(0x012E, [24]), times, rec(0x012D, [0]), ext_text_out(200, 560, b"x"),
                              symbol, rec(0x012D, [1]), ext_text_out(1300, 560, b"p")] + pen
                             + [rec(0x0214, [380, 2000]), rec(0x0213, [380, 2600])], box=(0, 0, 222, 41), inch=96),
    "rotated-plain.wmf": metafile([upwards, rec(0x012D, [0]), rec(0x0209, colour(0, 0, 0)),
                                   rec(0x0521, [4], b"HHHH" + struct.pack("<hh", 300, 100))], placeable=False),
}

os.makedirs(here, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
sys.stdout.write("%d seeds in %s\n" % (len(seeds), here))
