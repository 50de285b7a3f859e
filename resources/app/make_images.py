#!/usr/bin/env python3
"""Writes the program's images beside this script:
  toolbar.bmp       the tool bars' glyphs, 16 x 16 each, side by side
  tree.bmp          the tree views' glyphs, 16 x 16 each, side by side
  Sprawozdawca.ico  the program icon, 32 x 32 and 16 x 16
The glyphs are drawn below, one character per pixel; '.' is the mask
colour (fuchsia) that the image lists make transparent.  Run it again
after changing a drawing."""
import math
import os
import struct

PALETTE = {
    '.': (255, 0, 255),
    'k': (0, 0, 0),
    'g': (128, 128, 128),
    'l': (192, 192, 192),
    'w': (255, 255, 255),
    'y': (216, 168, 56),   # folder back
    'o': (248, 216, 120),  # folder front
    'n': (139, 90, 43),    # door
    'Y': (255, 224, 0),    # knob, highlight
    'b': (0, 80, 192),
    'B': (0, 32, 96),
    'c': (176, 216, 248),  # glass
    'r': (200, 0, 0),
    'G': (0, 144, 0),
    's': (224, 224, 224),
}

EXIT = """
................
.kkkkkkkk.......
.knnnnnnk.......
.knnnnnnk.......
.knnnnnnk...r...
.knnnnnnk...rr..
.knnnnnnkrrrrrr.
.knnnnYnkrrrrrrr
.knnnnnnkrrrrrr.
.knnnnnnk...rr..
.knnnnnnk...r...
.knnnnnnk.......
.knnnnnnk.......
.knnnnnnk.......
.kkkkkkkk.......
................
"""

NEW = """
................
...kkkkkkkk.....
...kwwwwwwkk....
...kwwwwwwkwk...
...kwwwwwwkkkk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kkkkkkkkkkk..
................
"""

OPEN = """
................
................
................
.kkkkk..........
kyyyyyk.........
kyyyyyykkkkkkk..
kyyyyyyyyyyyyk..
kyykkkkkkkkkkkkk
kyykoooooooooook
kykoooooooooook.
kykoooooooooook.
kkoooooooooook..
kkoooooooooook..
kkkkkkkkkkkkk...
................
................
"""

SAVE = """
................
.kkkkkkkkkkkkkk.
.kbbwwwwwwwwbbk.
.kbbwllllllwbbk.
.kbbwwwwwwwwbbk.
.kbbwllllllwbbk.
.kbbwwwwwwwwbbk.
.kbbbbbbbbbbbbk.
.kbbbbbbbbbbbbk.
.kbbbsssssssbbk.
.kbbbsskksssbbk.
.kbbbsskksssbbk.
.kbbbsskksssbbk.
..kbbsssssssbbk.
...kkkkkkkkkkkk.
................
"""

PRINT = """
................
....kkkkkkkk....
....kwwwwwwk....
....kwllllwk....
....kwwwwwwk....
..kkkkkkkkkkkk..
.klllllllllllgk.
.kllllllllllGgk.
.klllllllllllgk.
.kggggggggggggk.
.kkkkkkkkkkkkkk.
..kwwwwwwwwwwk..
..kwkkkkkkkkwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
"""

FIT_WIDTH = """
................
..kkkkkkkkkkkk..
..kwwwwwwwwwwk..
..kwllllllllwk..
..kwwwwwwwwwwk..
.bkwwwwwwwwwwkb.
bbbbbbbbbbbbbbbb
.bkwwwwwwwwwwkb.
..kwwwwwwwwwwk..
..kwllllllllwk..
..kwwwwwwwwwwk..
..kwllllllllwk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
"""

FIT_HEIGHT = """
.......bb.......
......bbbb......
...kkkkbbkkkk...
...kwwwbbwwwk...
...kwllbbllwk...
...kwwwbbwwwk...
...kwllbbllwk...
...kwwwbbwwwk...
...kwllbbllwk...
...kwwwbbwwwk...
...kwllbbllwk...
...kwwwbbwwwk...
...kwwwbbwwwk...
...kkkkbbkkkk...
......bbbb......
.......bb.......
"""

NATURAL = """
................
..kkkkkkkkkkkk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kwwbwwwwbwwk..
..kwbbwwwbbwwk..
..kwwbwbwwbwwk..
..kwwbwwwwbwwk..
..kwwbwbwwbwwk..
..kwbbbwwbbbwk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
"""

STEP = """
................
................
.....kk.........
.....kGk........
.....kGGk.......
..kkkkGGGk......
..kGGGGGGGk.....
..kGGGGGGGGk....
..kGGGGGGGk.....
..kkkkGGGk......
.....kGGk.......
.....kGk........
.....kk.........
................
................
................
"""

STEP_SELECTED = """
................
................
.....kk.........
.....kYk........
.....kYYk.......
..kkkkYYYk......
..kYYYYYYYk.....
..kYYYYYYYYk....
..kYYYYYYYk.....
..kkkkYYYk......
.....kYYk.......
.....kYk........
.....kk.........
................
................
................
"""

FORM = """
................
..kkkkkkkkk.....
..kwwwwwwwkk....
..kwllllwwkwk...
..kwwwwwwwkkkk..
..kwllllllllwk..
..kwwwwwwwwwwk..
..kwllllllllwk..
..kwwwwwwwwwwk..
..kwllllllllwk..
..kwwwwwwwwwwk..
..kwllllllllwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
................
"""


def grid(drawing):
    rows = [r for r in drawing.strip('\n').split('\n')]
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), drawing
    return [[PALETTE[ch] for ch in row] for row in rows]


def magnifier(plus):
    """A lens with a handle; a plus or a minus on the glass."""
    px = [[PALETTE['.']] * 16 for _ in range(16)]
    cx, cy = 6.0, 6.0
    for y in range(16):
        for x in range(16):
            d = math.hypot(x - cx, y - cy)
            if d <= 4.0:
                px[y][x] = PALETTE['c']
            elif d <= 5.3:
                px[y][x] = PALETTE['k']
    for i in range(10, 15):  # the handle, two pixels wide
        px[i][i] = PALETTE['n']
        px[i][i - 1] = PALETTE['k']
        if i + 1 < 16:
            px[i][i + 1] = PALETTE['k'] if i < 14 else PALETTE['n']
    for x in range(4, 9):
        px[6][x] = PALETTE['B']
    if plus:
        for y in range(4, 9):
            px[y][6] = PALETTE['B']
    return px


def strip(glyphs):
    """Glyphs side by side: rows of (r, g, b)."""
    return [sum((g[y] for g in glyphs), []) for y in range(16)]


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


# ---- The program icon -------------------------------------------------------
ICON_LAYOUT = {
    # sheet (x0, y0, x1, y1) inclusive, fold size, head band, rules' rows and
    # columns, bars (x, height), bar width.
    32: dict(sheet=(4, 1, 24, 30), fold=7, band=(7, 4, 15, 7), rules=((11, 14, 17, 20, 23, 26), 7, 21),
             bars=((16, 9), (21, 14), (26, 19)), bar_width=5),
    16: dict(sheet=(2, 0, 12, 15), fold=3, band=(4, 2, 7, 3), rules=((6, 8, 10, 12), 4, 10),
             bars=((8, 4), (11, 7), (14, 10)), bar_width=2),
}


def icon_image(size):
    """A statement sheet with a folded corner, a blue head, ruled lines and a
    rising green bar chart over its lower right corner; RGBA rows."""
    L = ICON_LAYOUT[size]
    clear, white, edge = (0, 0, 0, 0), (255, 255, 255, 255), (70, 70, 80, 255)
    flap, blue, rule = (205, 210, 220, 255), (31, 95, 175, 255), (160, 170, 195, 255)
    green, dark = (40, 170, 60, 255), (20, 90, 30, 255)
    img = [[clear] * size for _ in range(size)]
    x0, y0, x1, y1 = L['sheet']
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = edge if x in (x0, x1) or y in (y0, y1) else white
    fx, fy = x1 - L['fold'], y0 + L['fold']  # the flap's corner
    for y in range(y0, fy + 1):
        for x in range(fx, x1 + 1):
            d = (x - fx) - (y - y0)
            img[y][x] = clear if d > 0 else edge if d == 0 or x == fx or y == fy else flap
    bx0, by0, bx1, by1 = L['band']
    for y in range(by0, by1 + 1):
        for x in range(bx0, bx1 + 1):
            img[y][x] = blue
    rows, rx0, rx1 = L['rules']
    for y in rows:
        for x in range(rx0, rx1 + 1):
            img[y][x] = rule
    w = L['bar_width']
    for bx, h in L['bars']:
        for y in range(size - h, size):
            for x in range(bx, min(size, bx + w)):
                outline = y == size - h or (w > 2 and x in (bx, bx + w - 1))
                img[y][x] = dark if outline else green
    return img


def ico_entry(img):
    size = len(img)
    xor = bytearray()
    for row in reversed(img):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def write_ico(path, images):
    entries = [ico_entry(img) for img in images]
    out = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for img, data in zip(images, entries):
        size = len(img)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(entries))


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    # Order = the image indexes of the actions (MainCreate.cpp).
    toolbar = [grid(EXIT), grid(NEW), grid(OPEN), grid(SAVE), grid(PRINT),
               grid(FIT_WIDTH), grid(FIT_HEIGHT), grid(NATURAL), magnifier(True), magnifier(False)]
    write_bmp(os.path.join(here, 'toolbar.bmp'), strip(toolbar))
    tree = [grid(STEP), grid(STEP_SELECTED), grid(FORM), grid(FORM.replace('w', 'o'))]
    write_bmp(os.path.join(here, 'tree.bmp'), strip(tree))
    write_ico(os.path.join(here, 'Sprawozdawca.ico'), [icon_image(32), icon_image(16)])
