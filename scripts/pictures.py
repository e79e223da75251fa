"""What the picture scripts share: the colour key of the character grids, a
few ways of drawing and combining grids, the pictures that both the program
and the capture library show, and the writers of the Windows bitmap, icon
and cursor files.

A picture is a list of equal rows of characters, one per pixel, read with
KEY; '.' is the magenta ground, which the program makes transparent by
taking the colour of each picture's bottom-left pixel. A script imports this
module with

    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts"))

and writes its files with write_files().
"""
import struct

KEY = {
    ".": (255, 0, 255),    # ground, made transparent
    "#": (0, 0, 0),
    "d": (64, 64, 64),
    "g": (128, 128, 128),
    "s": (192, 192, 192),
    "l": (224, 224, 224),
    "w": (255, 255, 255),
    "r": (128, 0, 0),
    "R": (255, 0, 0),
    "o": (128, 128, 0),
    "y": (255, 255, 0),
    "G": (0, 128, 0),
    "L": (0, 255, 0),
    "t": (0, 128, 128),
    "c": (0, 255, 255),
    "n": (0, 0, 128),
    "b": (0, 0, 255),
    "k": (128, 192, 255),  # sky
    "u": (128, 64, 0),     # wood, leather
    "U": (192, 128, 64),
    "O": (255, 128, 0),
    "P": (255, 160, 192),  # rubber
    "q": (192, 96, 128),
}


# ---------------------------------------------------------------------------
# Grids.


def grid(text, size=16):
    """The rows of a size x size picture written as lines of text."""
    rows = text.strip("\n").split("\n")
    if len(rows) != size or any(len(row) != size for row in rows):
        raise ValueError("picture is not %d x %d: %s" % (size, size, [len(row) for row in rows]))
    for row in rows:
        for ch in row:
            if ch not in KEY:
                raise ValueError("no colour for %r" % ch)
    return rows


def mirror(rows):
    return [row[::-1] for row in rows]


def transpose(rows):
    return ["".join(row[x] for row in rows) for x in range(len(rows[0]))]


def overlay(rows, top):
    """The picture rows with every pixel of top that is not ground put on it."""
    return ["".join(b if b != "." else a for a, b in zip(ra, rb)) for ra, rb in zip(rows, top)]


def inset(rows, x, y, text):
    """The picture rows with the smaller picture written as text put in at x, y."""
    part = text.strip("\n").split("\n")
    out = list(rows)
    for dy, line in enumerate(part):
        row = out[y + dy]
        out[y + dy] = row[:x] + line + row[x + len(line):]
    return grid("\n".join(out), len(rows))


class Sketch:
    """A size x size picture on the ground, drawn with rectangles, lines and
    discs of one colour character each; rows() gives it as grid() does."""

    def __init__(self, size=32):
        self.size = size
        self.px = [["."] * size for _ in range(size)]

    def dot(self, x, y, ch):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = ch

    def fill(self, x1, y1, x2, y2, ch):
        """The pixels x1..x2, y1..y2 (both ends in)."""
        for y in range(y1, y2 + 1):
            for x in range(x1, x2 + 1):
                self.dot(x, y, ch)

    def box(self, x1, y1, x2, y2, edge, inside=None):
        if inside:
            self.fill(x1, y1, x2, y2, inside)
        for x in range(x1, x2 + 1):
            self.dot(x, y1, edge)
            self.dot(x, y2, edge)
        for y in range(y1, y2 + 1):
            self.dot(x1, y, edge)
            self.dot(x2, y, edge)

    def line(self, x1, y1, x2, y2, ch):
        steps = max(abs(x2 - x1), abs(y2 - y1), 1)
        for i in range(steps + 1):
            self.dot(round(x1 + (x2 - x1) * i / steps), round(y1 + (y2 - y1) * i / steps), ch)

    def disc(self, cx, cy, r, ch, edge=None):
        for y in range(self.size):
            for x in range(self.size):
                d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if d <= r * r:
                    self.dot(x, y, edge if edge and d > (r - 1) ** 2 else ch)

    def rows(self):
        return grid("\n".join("".join(row) for row in self.px), self.size)


# ---------------------------------------------------------------------------
# Pictures that both the program and the capture library show.

SCREEN_CAPTURE = """
############....
#wwwwwwwwwg#....
#w########g#....
#w#kkkkkk#g#....
#w#kkkkkk#g#....
#w#kkkkkk#g#....
#w#kkkk###g#....
#w##############
#ggggg#sgg##ggd#
#######sg#wn#gd#
....###s#wnnn#d#
..#####s#nnnn#d#
......#sg#nn#gd#
......#sgg##ggd#
......##########
................
"""

CAPTURE_THEME = """
.##############.
.#wwwwwwwwwwww#.
.#wRRRwwwwwwww#.
.#wRRRwggggggw#.
.#wRRRwwwwwwww#.
.#wwwwwwwwwwww#.
.#wLLLwwwwwwww#.
.#wLLLwggggggw#.
.#wLLLwwwwwwww#.
.#wwwwwwwwwwww#.
.#wbbbwwwwwwww#.
.#wbbbwggggggw#.
.#wbbbwwwwwwww#.
.#wwwwwwwwwwww#.
.##############.
................
"""


def monitor():
    """A screen on its stand, the display left for the picture on it."""
    s = Sketch()
    s.box(2, 3, 29, 23, "#", "s")
    s.box(4, 5, 27, 21, "g", "k")
    s.fill(12, 24, 19, 26, "g")
    s.box(8, 27, 23, 29, "#", "s")
    return s


def capture_picture():
    """The 32 x 32 screen capture: an area chosen on the monitor's display."""
    s = monitor()
    # A dashed area chosen on the display, with the cross of the pointer.
    for x in range(8, 22):
        if x % 3 != 2:
            s.dot(x, 9, "R")
            s.dot(x, 17, "R")
    for y in range(9, 18):
        if y % 3 != 2:
            s.dot(8, y, "R")
            s.dot(21, y, "R")
    s.line(21, 14, 21, 20, "#")
    s.line(18, 17, 24, 17, "#")
    return s.rows()


# ---------------------------------------------------------------------------
# Files.


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


def strip_file(pictures, size=16):
    """The size x size pictures side by side in one bitmap."""
    for n, rows in enumerate(pictures):
        if rows[-1][0] != ".":
            raise ValueError("picture %d has no ground at its bottom-left pixel" % n)
    return bmp_file(size * len(pictures), size, lambda x, y: KEY[pictures[x // size][y][x % size]])


def icon_image(rows):
    """One image of an icon: 32-bit colour with alpha, then the AND mask."""
    size = len(rows)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, ch in enumerate(row):
            if ch == ".":
                xor += bytes((0, 0, 0, 0))
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = KEY[ch]
                xor += bytes((b, g, r, 255))
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_file(images):
    """An icon holding one image for each square picture."""
    blobs = [icon_image(rows) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        size = len(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def cursor_file(rows, hotspot):
    """A 32 x 32 monochrome cursor: in its 32 rows of 32 characters ' ' is
    transparent, '.' white and any other character black."""
    xor_rows, and_rows = [], []
    for row in rows:
        xor_bits = and_bits = 0
        for x, ch in enumerate(row):
            bit = 1 << (31 - x)
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


def write_files(outputs):
    """Writes each file of outputs, a name -> contents mapping."""
    for name, data in outputs.items():
        with open(name, "wb") as f:
            f.write(data)
