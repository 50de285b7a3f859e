#!/usr/bin/env python3
"""Writes the program's own cursors beside this script: the print preview's
hands, hand.cur and grab.cur, and the two the persistence helpers register,
fs_hand.cur (a pointing hand) and fs_drag.cur (an arrow dragging a sheet).
32 x 32 monochrome cursors drawn below ('#' black, 'o' white,
'.' transparent).  Run it again after changing a drawing."""
import os
import struct

HAND = """
.......##.......
...##.#oo###....
..#oo##oo#oo#...
..#oo##oo#oo#.#.
...#oo#oo#oo##o#
...#oo#oo#oo#oo#
.##.#oooooooo#o#
#oo##oooooooooo#
#ooo#ooooooooo#.
.#ooooooooooooo#
..#oooooooooooo#
..#ooooooooooo#.
...#oooooooooo#.
....#ooooooooo#.
.....#oooooooo#.
.....#oooooooo#.
"""

GRAB = """
................
................
................
................
....##.##.##....
...#oo#oo#oo##..
...#oooooooo#o#.
....#oooooooooo#
...##oooooooooo#
..#ooooooooooo#.
..#oooooooooooo#
...#ooooooooooo#
....#ooooooooo#.
.....#oooooooo#.
.....#oooooooo#.
................
"""

FS_HAND = """
.....##.........
....#oo#........
....#oo#........
....#oo#........
....#oo###......
....#oo#oo###...
..###oo#oo#oo##.
.#oo#oo#oo#oo#o#
.#ooooooooooo#o#
..#oooooooooooo#
..#oooooooooooo#
...#ooooooooooo#
...#oooooooooo#.
....#ooooooooo#.
....#ooooooooo#.
....###########.
"""

FS_DRAG = """
#...............
##..............
#o#.............
#oo#............
#ooo#...........
#oooo#..........
#ooooo#.........
#oooooo#........
#oooo#####......
#oo#o#.#oo#.....
#o#.#o#.#ooo#...
##..#o#.#oooo#..
#....#o##ooooo#.
.....#o##oooooo#
......#########.
................
"""

SIZE = 32


def cursor(drawing, hotspot):
    rows = [r.ljust(SIZE, ".") for r in drawing.strip("\n").split("\n")]
    rows += ["." * SIZE] * (SIZE - len(rows))
    xor, mask = b"", b""
    for row in reversed(rows):  # bottom-up
        x_bits = a_bits = 0
        for i, c in enumerate(row):
            bit = 1 << (31 - i)
            if c == "o":
                x_bits |= bit
            elif c == ".":
                a_bits |= bit
        xor += struct.pack(">I", x_bits)
        mask += struct.pack(">I", a_bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 2)
    palette = struct.pack("<8B", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


here = os.path.dirname(os.path.abspath(__file__))
for name, drawing, hotspot in (
    ("hand.cur", HAND, (8, 8)),
    ("grab.cur", GRAB, (8, 9)),
    ("fs_hand.cur", FS_HAND, (6, 0)),
    ("fs_drag.cur", FS_DRAG, (0, 0)),
):
    with open(os.path.join(here, name), "wb") as f:
        f.write(cursor(drawing, hotspot))
