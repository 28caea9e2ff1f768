#!/usr/bin/env python3
"""count_card_templates.py FOLDER: the A4 business-card sheets of 2 columns by 5 or 4 rows
among the label templates in FOLDER, counted with Python's own XML reader as a check on
the program's reading. Prints one line per sheet, "brand|part|cards", sorted."""
import math
import os
import re
import sys
import xml.etree.ElementTree as ET

UNITS = {"pt": 25.4 / 72, "": 25.4 / 72, "in": 25.4, "mm": 1.0, "cm": 10.0, "pc": 12 * 25.4 / 72}
LENGTH = re.compile(r"^\s*([+-]?(?:\d+(?:\.\d*)?|\.\d+)(?:[eE][+-]?\d+)?)\s*(pt|in|mm|cm|pc)?\s*$")


def local(tag):
    return tag.rsplit("}", 1)[-1]


def mm(text):
    m = LENGTH.match(text or "")
    if not m:
        return None
    value = float(m.group(1)) * UNITS[m.group(2) or ""]
    return value if math.isfinite(value) and value >= 0 else None


def templates(folder):
    found = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".xml"):
            continue
        try:
            root = ET.parse(os.path.join(folder, name)).getroot()
        except ET.ParseError:
            continue
        for t in root.iter():
            if local(t.tag) != "Template":
                continue
            key = (t.get("brand", "").strip(), t.get("part", "").strip())
            if key[0] and key[1] and key not in found:
                found[key] = t
    return found


def resolved(key, found):
    """The element holding the geometry and the categories of the template and its copies."""
    t = found[key]
    categories = set()
    mirrored = False
    chain = 0
    while True:
        categories |= {m.get("category") for m in t if local(m.tag) == "Meta" and m.get("category")}
        mirrored |= any(local(m.tag) == "Meta" and m.get("print") == "mirrored" for m in t)
        equiv = t.get("equiv")
        if not equiv:
            return t, categories, mirrored
        chain += 1
        if chain > 8 or (key[0], equiv.strip()) not in found:
            return None, categories, mirrored
        t = found[(key[0], equiv.strip())]


def tenths_fit(value, low, high):
    kept = round(value * 10) / 10
    text = str(int(kept)) if kept == int(kept) else "%.1f" % kept
    return len(text) <= 4 and low <= kept <= high


def sheet(t):
    size = t.get("size")
    if size == "Other":
        w, h = mm(t.get("width")), mm(t.get("height"))
        if w is None or h is None or abs(w - 210) > 0.5 or abs(h - 297) > 0.5:
            return None
    elif size != "A4":
        return None
    shapes = [e for e in t if local(e.tag).startswith("Label-")]
    if len(shapes) != 1 or local(shapes[0].tag) != "Label-rectangle":
        return None
    r = shapes[0]
    width, height = mm(r.get("width")), mm(r.get("height"))
    extras = [r.get(a) for a in ("round", "waste", "x_waste", "y_waste") if r.get(a) is not None]
    if width is None or height is None or any(mm(e) is None for e in extras):
        return None
    layouts = []
    for l in r:
        if local(l.tag) != "Layout":
            continue
        try:
            nx, ny = int(l.get("nx")), int(l.get("ny"))
        except (TypeError, ValueError):
            return None
        x0, y0 = mm(l.get("x0")), mm(l.get("y0"))
        dx = mm(l.get("dx")) if l.get("dx") is not None or nx > 1 else 0.0
        dy = mm(l.get("dy")) if l.get("dy") is not None or ny > 1 else 0.0
        if None in (x0, y0, dx, dy) or not (1 <= nx <= 1000 and 1 <= ny <= 1000):
            return None
        if (nx, ny, x0, y0, dx, dy) not in layouts:
            layouts.append((nx, ny, x0, y0, dx, dy))
    if len(layouts) == 1 and layouts[0][0] == 2:
        nx, ny, x0, y0, dx, dy = layouts[0]
    elif len(layouts) == 2:
        a, b = sorted(layouts, key=lambda l: l[2])
        if a[0] != 1 or b[0] != 1 or a[1] != b[1] or abs(a[3] - b[3]) > 0.01 or abs(a[5] - b[5]) > 0.01 or b[2] <= a[2]:
            return None
        nx, ny, x0, y0, dx, dy = 2, a[1], a[2], a[3], b[2] - a[2], a[5]
    else:
        return None
    if ny not in (4, 5) or width < 1 or height < 1 or dx < width - 0.5 or dy < height - 0.5:
        return None
    if x0 + dx + width > 210.5 or y0 + (ny - 1) * dy + height > 297.5:
        return None
    fields = [(x0 + 3, -50, 300), (y0 + 4, -50, 300), (width, 1, 300), (height, 1, 300), (dy - height, -50, 300)]
    if not all(tenths_fit(*f) for f in fields):
        return None
    return 2 * ny


def main():
    found = templates(sys.argv[1])
    lines = []
    for key in found:
        t, categories, mirrored = resolved(key, found)
        if t is None or mirrored or "business-card" not in categories:
            continue
        cards = sheet(t)
        if cards:
            lines.append("%s|%s|%d" % (key[0], key[1], cards))
    print("\n".join(sorted(lines)))


main()
