#!/usr/bin/env python3
"""Draws the pictures of the capture dialogs and the captured-screen preview.

cross.cur: the 32 x 32 monochrome cross-hair over the picture, hot spot
(15, 15): a one-pixel black cross whose arms reach from 6 to 24 on both
axes, outlined in white, with a black centre dot inside a one-pixel
transparent ring.

tasks.bmp: the four 16 x 16 task symbols side by side (catalog, clipboard,
printer, disk), a 24-bit Windows bitmap; choices.bmp: the eight pictures of
the capture dialogs, the same way. Every picture is a grid of
characters read with the colour key KEY; '.' is the magenta ground, which
the program makes transparent by taking the colour of each picture's
bottom-left pixel.

Run it in this folder after changing a picture; the files it writes are
committed.
"""
import struct

KEY = {
    ".": (255, 0, 255),    # ground, made transparent
    "#": (0, 0, 0),
    "d": (64, 64, 64),
    "g": (128, 128, 128),
    "s": (192, 192, 192),
    "w": (255, 255, 255),
    "u": (128, 64, 0),     # board
    "U": (192, 128, 64),
    "y": (255, 255, 0),
    "n": (0, 0, 128),
    "b": (0, 0, 255),
    "k": (128, 192, 255),
    "G": (0, 128, 0),
}

CATALOG = """
................
...##########...
...#wwwwwwww#...
..##wkkkkkkw#...
..#w#kkkkkkw#...
..#w#kGkkkkw#...
..#w#GGGkkkw#...
..#w#GGGGGkw#...
..#w#wwwwwww#...
..#w#wwwwwww#...
..#w##########..
..#wwwwwwwww#...
..############..
................
................
................
"""

CLIPBOARD = """
......####......
..uuu#ssss#uuu..
.uUUU#gggg#UUUu.
.uU##########Uu.
.uU#wwwwwwww#Uu.
.uU#w######w#Uu.
.uU#wwwwwwww#Uu.
.uU#w#####ww#Uu.
.uU#wwwwwwww#Uu.
.uU#w######w#Uu.
.uU#wwwwwwww#Uu.
.uU#w####www#Uu.
.uU#wwwwwwww#Uu.
.uU##########Uu.
..uuuuuuuuuuuu..
................
"""

PRINTER = """
................
.....#######....
.....#wwwww#....
.....#w###w#....
.....#wwwww#....
...###########..
..#sssssssssss#.
..#sssssssssGs#.
..#ggggggggggg#.
..#g#########g#.
..##wwwwwwwww##.
....#w#####w#...
....#wwwwwww#...
....#########...
................
................
"""

DISK = """
................
.##############.
.#nn#wwwwww#nn#.
.#nn#wwwwww#nn#.
.#nn#wwwwww#nn#.
.#nn#wwwwww#nn#.
.#nnn######nnn#.
.#nnnnnnnnnnnn#.
.#nn########nn#.
.#nn#ss##ss#nn#.
.#nn#ss##ss#nn#.
.#nn#ss##ss#nn#.
.#nn#ssssss#nn#.
..#############.
................
................
"""

CLOCK = """
................
.....######.....
...##wwwwww##...
..#www#wwwwww#..
..#wwwwwwwwww#..
.#wwwwww#wwww#..
.#w#wwww#wwww#..
.#wwwwww####w#..
.#wwwwwwwwwww#..
..#wwwwwwwwww#..
..#wwwwwwwww#...
...##wwwwww##...
.....######.....
................
................
................
"""

KEYBOARD = """
................
................
................
.##############.
.#ssssssssssss#.
.#s#s#s#s#s#ss#.
.#ssssssssssss#.
.#ss#s#s#s#s#s#.
.#ssssssssssss#.
.#s#s######s#s#.
.#ssssssssssss#.
.##############.
................
................
................
................
"""

CURSOR = """
................
..#.............
..##............
..#w#...........
..#ww#..........
..#www#.........
..#wwww#........
..#wwwww#.......
..#wwwwww#......
..#wwwwwww#.....
..#wwww#####....
..#w#ww#........
..##.#ww#.......
..#..#ww#.......
......#ww#......
......####......
"""

# The Options button's arrow: a black outline whose inside (around the
# point 8, 8) the dialog fills with the window-text colour.
ARROW = """
................
................
................
................
................
................
....#########...
.....#.....#....
......#...#.....
.......#.#......
........#.......
................
................
................
................
................
"""

TASKS = [CATALOG, CLIPBOARD, PRINTER, DISK]
# The pictures of the capture dialogs' lists, by their numbers: time delay,
# key pressed, catalog, clipboard, printer, disk, mouse cursor, and the
# Options arrow.
CHOICES = [CLOCK, KEYBOARD, CATALOG, CLIPBOARD, PRINTER, DISK, CURSOR, ARROW]


def grid(text, size=16):
    rows = text.strip("\n").split("\n")
    if len(rows) != size or any(len(row) != size for row in rows):
        raise ValueError("picture is not %d x %d: %s" % (size, size, [len(row) for row in rows]))
    for row in rows:
        for ch in row:
            if ch not in KEY:
                raise ValueError("no colour for %r" % ch)
    if rows[-1][0] != ".":
        raise ValueError("picture has no ground at its bottom-left pixel")
    return rows


def bmp_file(width, height, pixel):
    """A 24-bit bottom-up Windows bitmap; pixel(x, y) gives (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def strip_file(pictures):
    rows = [grid(p) for p in pictures]
    return bmp_file(16 * len(rows), 16, lambda x, y: KEY[rows[x // 16][y][x % 16]])


def cross_pixel(x, y, centre=15, first=6, last=24):
    """'#' black, '.' white, ' ' transparent."""
    ring = max(abs(x - centre), abs(y - centre)) == 1
    def on_arm(px, py):
        if max(abs(px - centre), abs(py - centre)) <= 1:
            return (px, py) == (centre, centre)
        return (py == centre and first <= px <= last) or (px == centre and first <= py <= last)
    if ring:
        return " "
    if on_arm(x, y):
        return "#"
    if any(on_arm(x + dx, y + dy) and (x + dx, y + dy) != (centre, centre)
           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
        return "."
    return " "


def cur_file(hotspot=(15, 15)):
    xor_rows, and_rows = [], []
    for y in range(32):
        xor_bits = and_bits = 0
        for x in range(32):
            bit = 1 << (31 - x)
            ch = cross_pixel(x, y)
            if ch == " ":
                and_bits |= bit  # transparent: screen kept
            elif ch == ".":
                xor_bits |= bit  # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # DIB rows run bottom-up.
    xor = b"".join(reversed(xor_rows))
    mask = b"".join(reversed(and_rows))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor + mask
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return struct.pack("<HHH", 0, 2, 1) + entry + image


def main():
    outputs = {"cross.cur": cur_file(), "tasks.bmp": strip_file(TASKS), "choices.bmp": strip_file(CHOICES)}
    for name, data in outputs.items():
        with open(name, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
