#!/usr/bin/env python3
"""Writes the about box's two logos beside this script, as JPEG files that
the program carries as RCDATA resources:
  about_logo1.jpg  the program's own: a sheet with a bar chart, 64 x 64
  about_logo2.jpg  the maker's mark: an "S" of two rings on blue, 96 x 48
Each is drawn here at four times its size and averaged down, written as a
PPM and compressed by ImageMagick's convert (baseline JPEG, quality 92).
Run it again after changing a drawing."""
import math
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SCALE = 4

WHITE = (255, 255, 255)
PAPER = (250, 250, 246)
EDGE = (112, 120, 132)
FOLD = (214, 218, 224)
BLUE = (31, 95, 175)
DARK = (16, 48, 96)
GREEN = (40, 150, 70)
ORANGE = (240, 150, 30)
GREY = (150, 156, 166)


def inside_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def product_logo(x, y):
    """The colour at (x, y) of a 64 x 64 square: a sheet with a folded
    corner, a title bar and three rising bars."""
    sheet = [(12, 4), (44, 4), (54, 14), (54, 60), (12, 60)]
    fold = [(44, 4), (54, 14), (44, 14)]
    if inside_polygon(x, y, fold):
        return FOLD
    if not inside_polygon(x, y, sheet):
        return WHITE
    if any(not inside_polygon(x + dx, y + dy, sheet) for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1))):
        return EDGE
    if 16 <= x <= 40 and 9 <= y <= 12:
        return BLUE
    for left, top, colour in ((18, 38, GREY), (27, 30, BLUE), (36, 22, GREEN)):
        if left <= x <= left + 6 and top <= y <= 52:
            return colour
    if 16 <= x <= 50 and 52 < y <= 53.5:
        return DARK
    return PAPER


def maker_logo(x, y):
    """The colour at (x, y) of a 96 x 48 band with rounded corners."""
    r = 9.0
    for cx, cy in ((r, r), (96 - r, r), (r, 48 - r), (96 - r, 48 - r)):
        if abs(x - cx) > 0 and abs(y - cy) > 0 and (x - cx) * (cx - 48) > 0 and (y - cy) * (cy - 24) > 0 \
                and math.hypot(x - cx, y - cy) > r:
            return WHITE
    # An "S": the upper ring without its lower right quarter, the lower
    # ring without its upper left one.
    for cx, cy, gap_right, gap_below in ((48, 17.5, True, True), (48, 30.5, False, False)):
        if 4.0 <= math.hypot(x - cx, y - cy) <= 9.0 and not ((x > cx) == gap_right and (y > cy) == gap_below):
            return ORANGE
    return BLUE


def write_jpeg(name, width, height, colour_at):
    pixels = bytearray()
    for y in range(height):
        for x in range(width):
            total = [0, 0, 0]
            for sy in range(SCALE):
                for sx in range(SCALE):
                    c = colour_at(x + (sx + 0.5) / SCALE, y + (sy + 0.5) / SCALE)
                    for k in range(3):
                        total[k] += c[k]
            pixels.extend(round(t / SCALE / SCALE) for t in total)
    with tempfile.NamedTemporaryFile(suffix='.ppm', delete=False) as ppm:
        ppm.write(b'P6\n%d %d\n255\n' % (width, height) + bytes(pixels))
    try:
        subprocess.run(['convert', ppm.name, '-strip', '-quality', '92', '-sampling-factor', '4:4:4',
                        os.path.join(HERE, name)], check=True)
    finally:
        os.unlink(ppm.name)


if __name__ == '__main__':
    write_jpeg('about_logo1.jpg', 64, 64, product_logo)
    write_jpeg('about_logo2.jpg', 96, 48, maker_logo)
