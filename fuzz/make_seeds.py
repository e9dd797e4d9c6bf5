#!/usr/bin/env python3
"""Writes the generated seeds of the fuzz targets: the hand-made gesture
scripts of the pointer target into fuzz/corpus-pointer/ (a small document
and gestures in the input layout fuzz_pointer.cpp decodes), and one page of
8192 records of every kind into fuzz/corpus/ so that the repaint target
starts at the size where repaint costs show. Run again after changing it."""
import math
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus-pointer")
REPAINT_OUT = os.path.join(HERE, "corpus")

# Indices into the palette buttons as the target lists them: the left tool
# group, then the right-button group, then the ring sizes.
SINGLE_BOND, SELECT_TOOL, ARROW, LEFT_BRACKET = 0, 6, 9, 13
LABEL_O, DB, TEXT, ALPHA, RING_5 = 16, 52, 59, 60, 66


def real6(v):
    if v == 0:
        return bytes(6)
    m, e = math.frexp(abs(v))
    f = round((2 * m - 1) * 2**39)
    if f == 2**39:
        f, e = 0, e + 1
    b = bytearray([e + 128]) + f.to_bytes(5, "little")
    if v < 0:
        b[5] |= 0x80
    return bytes(b)


def record(kind, x1, y1, x2, y2, color=0):
    return real6(x1) + real6(y1) + real6(x2) + real6(y2) + struct.pack("<iH2x", color, kind)


def coord(v):
    if -32768 <= v <= 32767:
        return bytes([1]) + struct.pack("<h", v)
    return bytes([0]) + struct.pack("<i", v)


def palette(index):
    return bytes([0, index])


def curvature(index):
    return bytes([2, index + 1])


def edit1(text):
    raw = text.encode("cp1252")
    return bytes([3, len(raw)]) + raw


def line_length(value):
    return bytes([4, 0]) + struct.pack("<i", value)


BUTTONS = {"left": 0, "right": 1, "middle": 2}


def press(x, y, button="left"):
    return bytes([5, BUTTONS[button]]) + coord(x) + coord(y)


def move(x, y):
    return bytes([7]) + coord(x) + coord(y)


def release(x, y, button="left"):
    return bytes([10, BUTTONS[button]]) + coord(x) + coord(y)


def move_step(direction):
    return bytes([12, direction])


UNDO = bytes([13])
GRID = bytes([14])


def seed(name, records, *steps):
    data = struct.pack("<H", len(records)) + b"".join(records) + b"".join(steps)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def full_page():
    """8192 records over the page: bonds, labels, text, Greek letters, arrows
    and brackets (the curved ones too), a few far off the page."""
    rng = random.Random(8192)
    kinds = (list(range(248, 256)) + list(range(401, 414)) + list(range(0, 45))
             + list(range(65, 247)) + list(range(532, 545)))
    records = []
    for i in range(8192):
        kind = rng.choice(kinds)
        x, y = rng.uniform(-20, 1220), rng.uniform(-20, 1020)
        if i % 997 == 0:
            x, y = rng.choice([1e30, -1e30, 1.5e38]), rng.uniform(-1e6, 1e6)
        if 248 <= kind <= 413:
            records.append(record(kind, x, y, x + rng.uniform(-60, 60), y + rng.uniform(-60, 60),
                                  rng.randrange(1 << 24)))
        else:
            records.append(record(kind, x, y, rng.choice([8, 12, 14, 20]), 0, rng.randrange(1 << 24)))
    with open(os.path.join(REPAINT_OUT, "full-page-of-8192-records"), "wb") as f:
        f.write(b"".join(records))


def main():
    os.makedirs(OUT, exist_ok=True)
    full_page()
    bond = record(255, 100, 100, 130, 100)
    seed("draw-a-bond-on-an-empty-page", [],
         press(200, 200), move(230, 190), move(260, 200), release(260, 200), UNDO)
    seed("click-without-move-for-every-drawing-tool", [bond],
         press(100, 100), release(100, 100),
         palette(ARROW), press(300, 300), release(300, 300),
         palette(LEFT_BRACKET), press(300, 300), release(300, 300))
    seed("select-drag-and-move-steps", [bond, record(0, 140, 90, 12, 0)],
         palette(SELECT_TOOL), press(90, 80), move(200, 150), release(200, 150),
         press(110, 100), move(130, 120), move(-40, -70), release(-40, -70),
         move_step(0), move_step(1), move_step(2), move_step(3), UNDO, UNDO)
    seed("labels-text-and-greek-by-right-press", [bond],
         palette(LABEL_O), press(300, 300, "right"), release(300, 300, "right"),
         palette(TEXT), edit1("H<2O>+"), press(320, 350, "middle"), release(320, 350, "middle"),
         palette(ALPHA), press(400, 400, "right"), move_step(1),
         palette(DB), press(115, 103, "right"), release(115, 103, "right"))
    seed("curved-arrow-and-ring-raster", [bond],
         palette(ARROW), curvature(3), press(130, 100), move(230, 40), release(230, 40),
         palette(RING_5), palette(SINGLE_BOND), GRID, press(130, 100), move(170, 60), release(170, 60))
    seed("zero-and-negative-line-length", [bond, record(255, 50, 50, 50, 50)],
         line_length(0), press(100, 100), move(140, 100), release(140, 100),
         line_length(30), palette(DB), press(50, 50, "right"),
         line_length(-30), press(115, 100, "right"),
         palette(LABEL_O), press(60, 60, "right"), palette(TEXT), edit1("Abc"), press(70, 70, "right"))
    seed("second-button-pressed-during-a-drag", [bond],
         press(200, 200), move(240, 200), press(300, 300, "right"), release(240, 200),
         palette(SELECT_TOOL), press(10, 10), press(20, 20, "middle"), move(400, 400),
         release(400, 400, "middle"), release(400, 400))
    seed("huge-pointer-positions", [record(255, 1e30, -1e30, 2e38 / 2, 5, 0xFF)],
         press(-2**31, 2**31 - 1), move(2**31 - 1, -2**31), release(0, 0),
         palette(SELECT_TOOL), press(-2**31, -2**31), move(2**31 - 1, 2**31 - 1),
         release(2**31 - 1, 2**31 - 1, "middle"),
         press(0, 0), move(-2**31, 2**31 - 1), release(5, 5), move_step(2))


if __name__ == "__main__":
    main()
