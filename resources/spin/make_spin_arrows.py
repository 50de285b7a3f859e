#!/usr/bin/env python3
"""Writes the spin buttons' four arrow bitmaps beside this script: the
diagonal button's spin_up.bmp and spin_down.bmp, and the classic button's
spin_up_pole.bmp and spin_down_pole.bmp.  24-bit bitmaps drawn below
('#' black, '.' white, which the buttons draw transparent).  Run it again
after changing a drawing."""
import os
import struct

UP = """
..#..
.###.
#####
"""

UP_POLE = """
...#...
..###..
.#####.
#######
"""


def rows(drawing):
    return [line for line in drawing.strip("\n").split("\n")]


def write_bmp(path, lines):
    height, width = len(lines), len(lines[0])
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for line in reversed(lines):  # bottom-up
        row = b"".join(b"\x00\x00\x00" if c == "#" else b"\xff\xff\xff" for c in line)
        pixels += row + b"\x00" * (stride - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)


here = os.path.dirname(os.path.abspath(__file__))
for name, drawing in (("spin_up", UP), ("spin_up_pole", UP_POLE)):
    up = rows(drawing)
    write_bmp(os.path.join(here, name + ".bmp"), up)
    write_bmp(os.path.join(here, name.replace("up", "down") + ".bmp"), list(reversed(up)))
